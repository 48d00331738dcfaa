#include "report/pdflist.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "base/files.h"
#include "base/format.h"
#include "base/paths.h"
#include "base/text.h"

namespace dosber {

tpdflist::tpdflist() {
  for (int& i : fontindex) i = -1;
  normalfont = ftip_dscn;
  boldfont = ftip_dscb;
  italicfont = ftip_dsci;
  fontsize = 11;
  orientation = 0;
  decimals = 2;
  newpage();
  setorientation(orientation);
}

tpdflist::~tpdflist() = default;

void tpdflist::message(const std::string& text) {
  if (onmessage)
    onmessage(text);
  else
    std::cerr << text << "\n";
}

void tpdflist::settitle(std::string_view text) {
  titlelines.clear();
  if (text.empty()) return;
  int n = piececount(text, '\n');
  for (int i = 1; i <= n; ++i) titlelines.push_back(piece(text, '\n', i));
}

void tpdflist::setfontsize(int size, int o) {
  fontsize = size == 0 ? 11 : size;
  setorientation(o);
  lineheight = measure("Á_q", boldfont, fontsize).height;
  linegap = 0.25f * lineheight;
}

void tpdflist::setorientation(int value) {
  if (value == 0) {
    leftmargin = 15, topmargin = 5, bottommargin = 5, rightmargin = 5;
    usablewidth = 190, usableheight = 287;
  } else if (value == 1) {
    leftmargin = 5, topmargin = 15, bottommargin = 5, rightmargin = 5;
    usablewidth = 287, usableheight = 190;
  } else {
    return;
  }
  if (page >= 0) pages_[page].orientation = value;
}

void tpdflist::newpage() {
  pdfpage p;
  p.orientation = orientation;
  pages_.push_back(std::move(p));
  page = static_cast<int>(pages_.size()) - 1;
  x = 0;
  y = 0;
}

bool tpdflist::selectpage(int number) {
  if (number < 0 || number >= pagecount()) return false;
  page = number;
  x = 0;
  y = 0;
  setorientation(pages_[number].orientation);
  return true;
}

void tpdflist::newline(int n) {
  for (int i = 0; i < n; ++i) y = y + linegap + lineheight;
  x = 0;
}

void tpdflist::setfont(int type, int size) {
  if (page < 0) return;
  if (type < 0 || type > ftip_end) return;
  if (fontindex[type] < 0) {
    fontface(type);  // the font file is added on first use
    fontindex[type] = type;
  }
  pages_[page].font = type;
  pages_[page].size = size;
}

extent tpdflist::measure(std::string_view text, int type, int size) { return measuretext(text, type, size); }

void tpdflist::draw(float pagex, float pagey, std::string_view text) {
  if (page < 0 || text.empty()) return;
  pdfpage& p = pages_[page];
  int font = p.font >= 0 ? p.font : normalfont;
  int size = p.size > 0 ? p.size : fontsize;
  p.ops.emplace_back(textrun{font, size, pagex, pagey, validutf8(text)});
}

int tpdflist::styletype(std::string_view style) const {
  if (style.empty()) return normalfont;
  if (style[0] == 'B') return boldfont;
  if (style[0] == 'I') return italicfont;
  return normalfont;
}

float tpdflist::writecell(std::string_view text, bool right, float cx, float cy, float width,
                          std::string_view style) {
  int type = normalfont;
  if (!style.empty()) {
    if (style[0] == 'B') {
      type = boldfont;
      setfont(boldfont, fontsize);
    } else if (style[0] == 'I') {
      type = italicfont;
      setfont(italicfont, fontsize);
    }
  }
  std::string t(text);
  float w = measure(t, type, fontsize).width;
  if (right && width > 0 && w < width) {
    draw(leftmargin + cx + width - w, cy, t);
  } else {
    // A text without a width still ends at the right margin.
    float room = width > 0 ? width : usablewidth - cx;
    if (w > room) {
      t.resize(fittingprefix(t, type, room));
      w = measure(t, type, fontsize).width;
    }
    draw(leftmargin + cx, cy, t);
  }
  if (!style.empty()) setfont(normalfont, fontsize);
  return width > 0 ? width : w;
}

void tpdflist::writeat(std::string_view text, std::string_view style, float at, bool right, float width) {
  float used = writecell(text, right, at, y, width, style);
  x = x + used;
}

void tpdflist::writebox(std::string_view text, int alignment, float at, float width, std::string_view style) {
  int type = styletype(style);
  float w = measure(text, type, fontsize).width;
  if (page >= 0) pages_[page].ops.emplace_back(rectangle{leftmargin + at, y + linegap, width + 3, linegap + lineheight});
  switch (alignment) {
    case 0: writecell(text, false, at + 1, y, width, style); break;
    case 1: writecell(text, false, at + 1 + std::max(width - w, 0.0f) * 0.5f, y, width, style); break;
    case 2: writecell(text, true, at + 1, y, width, style); break;
    default: break;
  }
  x = x + width + 3;
}

void tpdflist::hrule() {
  if (page >= 0) pages_[page].ops.emplace_back(rule{leftmargin, y, leftmargin + usablewidth, y});
}

void tpdflist::doublerule() {
  hrule();
  y = y + 0.5f;
  hrule();
}

namespace {
// The free space between a left and a right text of a header line, in mm.
constexpr float headergap = 2;
// The widest page number the second header line keeps room for.
constexpr const char* widestpagenumber = "9999/9999.oldal";
constexpr std::string_view ellipsis = "…";

std::string_view trimblanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}
}  // namespace

float tpdflist::linepitch() const {
  return std::max(lineheight + linegap, std::max(linebox(normalfont, fontsize), linebox(boldfont, fontsize)));
}

// A header text or the title takes at most a quarter of the page.
size_t tpdflist::mostlines(float pitch) const {
  return std::max<size_t>(1, static_cast<size_t>(usableheight / 4 / pitch));
}

size_t tpdflist::fittingprefix(std::string_view text, int type, float width) {
  std::vector<size_t> ends;
  for (size_t i = 0; i < text.size();) ends.push_back(i = nextchar(text, i));
  // Widths grow with the prefix: the longest one that fits, by halving.
  size_t fits = 0, over = ends.size() + 1;
  while (over - fits > 1) {
    size_t mid = (fits + over) / 2;
    if (measure(text.substr(0, ends[mid - 1]), type, fontsize).width <= width)
      fits = mid;
    else
      over = mid;
  }
  return fits == 0 ? 0 : ends[fits - 1];
}

// The lines of a text in the given widths (the first line's and the
// others'): broken at blanks, inside a word only when it is wider than a
// line; at most `most` lines, the last one cut with "…" when text is left.
// A first line too narrow for one character stays empty.
std::vector<std::string> tpdflist::wraptext(std::string_view text, int type, float firstwidth, float width,
                                            size_t most) {
  std::vector<std::string> lines;
  text = trimblanks(text);
  while (!text.empty() && lines.size() < most) {
    float room = lines.empty() ? firstwidth : width;
    if (measure(text, type, fontsize).width <= room) {
      lines.emplace_back(text);
      break;
    }
    if (lines.size() + 1 == most) {
      size_t n = fittingprefix(text, type, room - measure(ellipsis, type, fontsize).width);
      lines.push_back(std::string(trimblanks(text.substr(0, n))) + std::string(ellipsis));
      break;
    }
    size_t cut = fittingprefix(text, type, room);
    if (cut < text.size() && text[cut] != ' ') {
      size_t blank = text.substr(0, cut).rfind(' ');
      if (blank != std::string_view::npos && blank > 0) cut = blank;
    }
    if (cut == 0 && !lines.empty()) cut = nextchar(text, 0);
    lines.emplace_back(trimblanks(text.substr(0, cut)));
    text = trimblanks(text.substr(cut));
  }
  return lines;
}

// The header lines at the current font, size and page: a left text wraps
// onto further lines where it would meet the right text of its line
// ("Készült: ..." on the first, the page number on the second).
tpdflist::headerblock tpdflist::layoutheader() {
  headerblock h;
  size_t most = mostlines(linepitch());
  if (!header->left1.empty() || !header->right1.empty()) {
    std::vector<std::string> right = wraptext(header->right1, normalfont, usablewidth, usablewidth, 1);
    if (!right.empty()) h.right1 = right.front();
    float room = h.right1.empty() ? usablewidth : usablewidth - measure(h.right1, normalfont, fontsize).width - headergap;
    h.first = wraptext(header->left1, normalfont, room, usablewidth, most);
    if (h.first.empty()) h.first.emplace_back();
  }
  if (!header->left2.empty() || header->pagenumbers) {
    float room = usablewidth;
    if (header->pagenumbers) room -= measure(widestpagenumber, normalfont, fontsize).width + headergap;
    h.second = wraptext(header->left2, normalfont, room, usablewidth, most);
    if (h.second.empty()) h.second.emplace_back();
  }
  return h;
}

void tpdflist::pageheader() {
  y = topmargin;
  lastspans_.clear();
  lastbaseline_ = -1;
  if (!header) return;
  setfont(normalfont, fontsize);
  pageinfo.push_back(std::to_string(normalfont) + ";" + std::to_string(fontsize) + ";" + generalnumber(lineheight) +
                     ";" + generalnumber(linegap));
  headerblock h = layoutheader();
  auto line = [&](const std::string& text) {
    draw(leftmargin, y, text);
    lastspans_ = {{0, measure(text, normalfont, fontsize).width}};
  };
  for (size_t i = 0; i < h.first.size(); ++i) {
    y = y + (i == 0 ? lineheight : lineheight + linegap);
    line(h.first[i]);
    if (i == 0 && !h.right1.empty()) {
      float w = measure(h.right1, normalfont, fontsize).width;
      draw(leftmargin + usablewidth - w, y, h.right1);
      lastspans_.emplace_back(usablewidth - w, usablewidth);
    }
  }
  for (size_t i = 0; i < h.second.size(); ++i) {
    y = y + lineheight + linegap;
    line(h.second[i]);
    if (i == 0 && header->pagenumbers)
      lastspans_.emplace_back(usablewidth - measure(widestpagenumber, normalfont, fontsize).width, usablewidth);
  }
  lastbaseline_ = y;
}

bool tpdflist::meetslastline(float from, float to) const {
  if (lastbaseline_ != y) return false;
  for (const auto& [a, b] : lastspans_)
    if (from < b && a < to) return true;
  return false;
}

// A title line wider than the page wraps; a line whose words would reach
// into those of the line above goes down by a whole line box.
void tpdflist::printtitle() {
  setfont(boldfont, fontsize);
  float box = std::max(linebox(normalfont, fontsize), linebox(boldfont, fontsize));
  size_t most = mostlines(box), printed = 0;
  for (const auto& line : titlelines) {
    if (printed == most) break;
    std::vector<std::string> pieces = wraptext(line, boldfont, usablewidth, usablewidth, most - printed);
    if (pieces.empty()) pieces.emplace_back();
    for (const std::string& piece : pieces) {
      setfont(boldfont, fontsize);
      extent e = measure(piece, boldfont, fontsize);
      x = std::max(usablewidth - e.width, 0.0f) * 0.5f;
      bool meets = meetslastline(x, x + e.width);
      y = y + (meets ? std::max(e.height, box) : e.height);
      draw(leftmargin + x, y, piece);
      lastspans_ = {{x, x + e.width}};
      lastbaseline_ = y;
      ++printed;
    }
  }
  setfont(normalfont, fontsize);
}

bool tpdflist::breakpage() {
  if (y + linegap <= usableheight) return false;
  newpage();
  pageheader();
  printtitle();
  newline(2);
  return true;
}

namespace {
float parsefloat(const std::string& s) {
  std::string t = s;
  std::replace(t.begin(), t.end(), ',', '.');
  return std::strtof(t.c_str(), nullptr);
}
}  // namespace

void tpdflist::savetofile(const std::string& name) {
  namespace fs = std::filesystem;
  saved = false;
  filename = name;
  if (name.empty()) {
    message("Meg kell adni a fájlnevet!");
    return;
  }
  std::error_code ec;
  if (fs::exists(fs::path(name), ec)) {
    // The file is replaced by a rename in its folder: it must be a file and
    // the folder writable.
    std::string folder = parentpath(name);
    bool replaceable = fs::is_regular_file(fs::path(name), ec) && ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
    if (!replaceable) {
      message("A fájlt (" + name + ")használják!");
      return;
    }
  }
  if (!ensurefolder(name)) {
    message("A fájl könyvtárának létrehozása sikertelen!\nKönyvtár: " + parentpath(name));
    return;
  }
  numberpages();
  savefile(name, render());
  saved = true;
}

void tpdflist::numberpages() {
  if (!header || !header->pagenumbers) return;
  int count = pagecount();
  for (int i = 0; i < count; ++i) {
    selectpage(i);
    if (static_cast<size_t>(i) >= pageinfo.size()) continue;
    const std::string& info = pageinfo[i];
    int type = std::atoi(piece(info, ';', 1).c_str());
    fontsize = std::atoi(piece(info, ';', 2).c_str());
    lineheight = parsefloat(piece(info, ';', 3));
    linegap = parsefloat(piece(info, ';', 4));
    setfont(type, fontsize);
    // The second header line lies below as many lines as the page's header
    // gave the first one, on the same baseline as its left text.
    int normal = normalfont;
    normalfont = type;
    size_t first = layoutheader().first.size();
    normalfont = normal;
    y = topmargin;
    for (size_t k = 0; k < first; ++k) y = y + (k == 0 ? lineheight : lineheight + linegap);
    y = y + (first == 0 ? lineheight : lineheight + linegap);
    std::string text = std::to_string(i + 1) + "/" + std::to_string(count) + ".oldal";
    draw(leftmargin + usablewidth - measure(text, type, fontsize).width, y, text);
  }
}

void tpdflist::appendpages(const tpdflist& other) {
  // The empty first page of a new document gives way to the appended ones.
  if (pages_.size() == 1 && pages_[0].ops.empty()) pages_.clear();
  pages_.insert(pages_.end(), other.pages_.begin(), other.pages_.end());
  page = static_cast<int>(pages_.size()) - 1;
}

bool tpdflist::showfile(bool usedefaultviewer) {
  if (!saved) return false;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::path(filename), ec)) {
    message("Fájl: " + filename + "\nNem létezik!");
    return false;
  }
  if (const char* no = std::getenv("DOSBER_NO_VIEWER"); no && std::string(no) == "1") return true;
  return !onshow || onshow(filename, usedefaultviewer);
}

std::string tpdflist::render() { return renderpdf(pages_, documentinfo{title, application}); }

}  // namespace dosber

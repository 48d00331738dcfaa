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
  p.ops.emplace_back(textrun{font, size, pagex, pagey, std::string(text)});
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
    if (width > 0)
      while (w > width && !t.empty()) {
        droplastchar(t);
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
    case 1: writecell(text, false, at + 1 + (width - w) * 0.5f, y, width, style); break;
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

void tpdflist::pageheader() {
  y = topmargin;
  if (!header) return;
  setfont(normalfont, fontsize);
  pageinfo.push_back(std::to_string(normalfont) + ";" + std::to_string(fontsize) + ";" + generalnumber(lineheight) +
                     ";" + generalnumber(linegap));
  if (!header->left1.empty() || !header->right1.empty()) {
    y = y + lineheight;
    draw(leftmargin, y, header->left1);
    draw(leftmargin + usablewidth - measure(header->right1, normalfont, fontsize).width, y, header->right1);
  }
  if (!header->left2.empty() || header->pagenumbers) {
    y = y + lineheight + linegap;
    draw(leftmargin, y, header->left2);
  }
}

void tpdflist::printtitle() {
  for (const auto& line : titlelines) {
    setfont(boldfont, fontsize);
    extent e = measure(line, boldfont, fontsize);
    x = std::max(usablewidth - e.width, 0.0f) * 0.5f;
    y = y + e.height;
    draw(leftmargin + x, y, line);
  }
  setfont(normalfont, fontsize);
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
    y = topmargin;
    if (!header->left1.empty() || !header->right1.empty()) y = y + lineheight + linegap;
    y = y + lineheight;
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

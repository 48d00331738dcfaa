#include "report/pdflist.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>

#include "archive/paths.h"
#include "report/format.h"
#include "report/savefile.h"

namespace dosber {
namespace {

constexpr float mm_per_pt = 25.4f / 72.0f;
constexpr double pt_per_mm = 72.0 / 25.4;

constexpr const char* fontbases[ftip_end + 1] = {
    "", "dejavusans", "dejavusans-bold", "dejavusans-oblique",
    "dejavusanscondensed", "dejavusanscondensed-bold", "dejavusanscondensed-oblique", ""};

}  // namespace

const char* fontfilebase(int type) { return type >= 0 && type <= ftip_end ? fontbases[type] : ""; }

std::string fontfolder() {
  // DOSBER_FONTS names another font folder (tests of a missing font file).
  if (const char* f = std::getenv("DOSBER_FONTS"); f && *f) return f;
  return joinpath(programfolder(), "fonts");
}

// The fonts: a FreeType face per font type, loaded on first use and kept for
// the rest of the run (cairo keeps its own references to the faces, so they
// must outlive every writer), measured and drawn through cairo with the same
// unhinted metrics.
struct tpdflist::fonts {
  struct shared {
    FT_Library library = nullptr;
    FT_Face face[ftip_end + 1] = {};
    cairo_font_face_t* cairoface[ftip_end + 1] = {};
    std::map<std::pair<int, int>, cairo_scaled_font_t*> scaled;
    cairo_font_options_t* options = nullptr;
    std::string folder[ftip_end + 1];
  };
  static shared& cache() {
    static shared s;
    if (!s.library) {
      if (FT_Init_FreeType(&s.library) != 0) throw std::runtime_error("FreeType cannot be started");
      s.options = cairo_font_options_create();
      cairo_font_options_set_hint_metrics(s.options, CAIRO_HINT_METRICS_OFF);
      cairo_font_options_set_hint_style(s.options, CAIRO_HINT_STYLE_NONE);
    }
    return s;
  }
  cairo_font_options_t* options = cache().options;

  cairo_font_face_t* facefor(int type) {
    shared& c = cache();
    if (type <= ftip_begin || type >= ftip_end) type = ftip_dscn;
    std::string path = joinpath(fontfolder(), std::string(fontbases[type]) + ".ttf");
    if (!c.cairoface[type] || c.folder[type] != path) {
      auto real = resolvepath(path);
      FT_Face face = nullptr;
      if (!real || FT_New_Face(c.library, real->c_str(), 0, &face) != 0)
        throw std::runtime_error("A betűkészlet nem található: " + path);
      static const cairo_user_data_key_t key{};
      cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
      // The FreeType face lives as long as cairo's face.
      cairo_font_face_set_user_data(cf, &key, face, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
      for (auto it = c.scaled.begin(); it != c.scaled.end();) {
        if (it->first.first == type) {
          cairo_scaled_font_destroy(it->second);
          it = c.scaled.erase(it);
        } else {
          ++it;
        }
      }
      if (c.cairoface[type]) cairo_font_face_destroy(c.cairoface[type]);
      c.cairoface[type] = cf;
      c.face[type] = face;
      c.folder[type] = path;
    }
    return c.cairoface[type];
  }

  cairo_scaled_font_t* scaledfor(int type, int size) {
    shared& c = cache();
    cairo_font_face_t* face = facefor(type);
    auto key = std::make_pair(type <= ftip_begin || type >= ftip_end ? int(ftip_dscn) : type, size);
    auto it = c.scaled.find(key);
    if (it != c.scaled.end()) return it->second;
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, size, size);
    cairo_matrix_init_identity(&ctm);
    cairo_scaled_font_t* s = cairo_scaled_font_create(face, &fm, &ctm, c.options);
    c.scaled[key] = s;
    return s;
  }
};

tpdflist::tpdflist() : fonts_(std::make_unique<fonts>()) {
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
    fonts_->facefor(type);  // the font file is added on first use
    fontindex[type] = type;
  }
  pages_[page].font = type;
  pages_[page].size = size;
}

extent tpdflist::measure(std::string_view text, int type, int size) {
  if (text.empty()) return {};
  cairo_text_extents_t te;
  std::string s(text);
  cairo_scaled_font_text_extents(fonts_->scaledfor(type, size), s.c_str(), &te);
  return {static_cast<float>(te.x_advance) * mm_per_pt, static_cast<float>(te.height) * mm_per_pt};
}

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

namespace {
// Drops the last UTF-8 character.
void droplast(std::string& s) {
  if (s.empty()) return;
  size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  s.resize(i);
}
}  // namespace

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
        droplast(t);
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
    message("A fájl könyvtárának létrehozása sikertelen!");
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

void tpdflist::showfile(bool usedefaultviewer) {
  if (!saved) return;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::path(filename), ec)) {
    message("Fájl: " + filename + "\nNem létezik!");
    return;
  }
  if (const char* no = std::getenv("DOSBER_NO_VIEWER"); no && std::string(no) == "1") return;
  if (onshow) onshow(filename, usedefaultviewer);
}

namespace {
cairo_status_t appendbytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}
}  // namespace

std::string tpdflist::render() {
  std::string out;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendbytes, &out, 595.2756, 841.8898);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_AUTHOR, "");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, application.c_str());
  char date[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &tm);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, date);
  cairo_t* cr = cairo_create(surface);
  cairo_set_font_options(cr, fonts_->options);
  for (const pdfpage& p : pages_) {
    bool landscape = p.orientation == 1;
    cairo_pdf_surface_set_size(surface, landscape ? 841.8898 : 595.2756, landscape ? 595.2756 : 841.8898);
    cairo_identity_matrix(cr);
    cairo_scale(cr, pt_per_mm, pt_per_mm);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 0.5);
    for (const drawop& op : p.ops) {
      if (auto t = std::get_if<textrun>(&op)) {
        cairo_set_font_face(cr, fonts_->facefor(t->font));
        cairo_set_font_size(cr, t->size * mm_per_pt);
        cairo_move_to(cr, t->x, t->y);
        cairo_show_text(cr, t->text.c_str());
      } else if (auto r = std::get_if<rectangle>(&op)) {
        cairo_rectangle(cr, r->x, r->y - r->h, r->w, r->h);
        cairo_stroke(cr);
      } else if (auto l = std::get_if<rule>(&op)) {
        cairo_move_to(cr, l->x1, l->y1);
        cairo_line_to(cr, l->x2, l->y2);
        cairo_stroke(cr);
      }
    }
    cairo_show_page(cr);
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(cairo_status_to_string(status));
  return out;
}

}  // namespace dosber

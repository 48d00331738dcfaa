#include "report/fontcache.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>

#include "base/paths.h"
#include "base/text.h"

namespace dosber {
namespace {

constexpr float mm_per_pt = 25.4f / 72.0f;

constexpr const char* fontbases[ftip_end + 1] = {
    "", "dejavusans", "dejavusans-bold", "dejavusans-oblique",
    "dejavusanscondensed", "dejavusanscondensed-bold", "dejavusanscondensed-oblique", ""};

int facetype(int type) { return type <= ftip_begin || type >= ftip_end ? int(ftip_dscn) : type; }

// One FreeType face per font type for the whole run: cairo keeps its own
// references to the faces, so they must outlive every document. Documents
// are laid out on the window's thread and on the threads of bulk work, so
// the cache is locked; cairo locks the faces themselves while it uses them.
struct cache {
  std::mutex lock;
  FT_Library library = nullptr;
  cairo_font_face_t* face[ftip_end + 1] = {};
  std::string path[ftip_end + 1];
  std::map<std::pair<int, int>, cairo_scaled_font_t*> scaled;
  cairo_font_options_t* options = nullptr;

  cache() {
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("A betűkezelő (FreeType) nem indítható el");
    options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  }

  cairo_font_face_t* facefor(int type) {
    type = facetype(type);
    std::string file = joinpath(fontfolder(), std::string(fontbases[type]) + ".ttf");
    if (face[type] && path[type] == file) return face[type];
    auto real = resolvepath(file);
    FT_Face ft = nullptr;
    if (!real || FT_New_Face(library, real->c_str(), 0, &ft) != 0)
      throw std::runtime_error("A betűkészlet nem található: " + file);
    static const cairo_user_data_key_t key{};
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    // The FreeType face lives as long as cairo's face.
    cairo_font_face_set_user_data(cf, &key, ft, [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    for (auto it = scaled.begin(); it != scaled.end();) {
      if (it->first.first == type) {
        cairo_scaled_font_destroy(it->second);
        it = scaled.erase(it);
      } else {
        ++it;
      }
    }
    if (face[type]) cairo_font_face_destroy(face[type]);
    face[type] = cf;
    path[type] = file;
    return cf;
  }

  cairo_scaled_font_t* scaledfor(int type, int size) {
    cairo_font_face_t* f = facefor(type);
    auto key = std::make_pair(facetype(type), size);
    auto it = scaled.find(key);
    if (it != scaled.end()) return it->second;
    cairo_matrix_t fm, ctm;
    cairo_matrix_init_scale(&fm, size, size);
    cairo_matrix_init_identity(&ctm);
    cairo_scaled_font_t* s = cairo_scaled_font_create(f, &fm, &ctm, options);
    scaled[key] = s;
    return s;
  }
};

cache& fonts() {
  static cache c;
  return c;
}

}  // namespace

const char* fontfilebase(int type) { return type >= 0 && type <= ftip_end ? fontbases[type] : ""; }

std::string fontfolderof(std::string_view programfolder) {
  std::string beside = joinpath(programfolder, "fonts");
  if (isfolder(beside)) return beside;
  std::string installed = joinpath(joinpath(joinpath(parentpath(programfolder), "share"), "dosber"), "fonts");
  return isfolder(installed) ? installed : beside;
}

std::string fontfolder() {
  // DOSBER_FONTS names another font folder (tests of a missing font file).
  if (const char* f = std::getenv("DOSBER_FONTS"); f && *f) return f;
  // Asked for every text measured: the folder is looked for once.
  static const std::string folder = fontfolderof(programfolder());
  return folder;
}

_cairo_font_face* fontface(int type) {
  cache& c = fonts();
  std::lock_guard<std::mutex> guard(c.lock);
  return c.facefor(type);
}

const _cairo_font_options* fontoptions() { return fonts().options; }

extent measuretext(std::string_view text, int type, int size) {
  if (text.empty()) return {};
  cairo_text_extents_t te;
  std::string s = validutf8(text);
  cache& c = fonts();
  cairo_scaled_font_t* font;
  {
    std::lock_guard<std::mutex> guard(c.lock);
    font = c.scaledfor(type, size);
  }
  cairo_scaled_font_text_extents(font, s.c_str(), &te);
  return {static_cast<float>(te.x_advance) * mm_per_pt, static_cast<float>(te.height) * mm_per_pt};
}

float linebox(int type, int size) {
  cairo_font_extents_t fe;
  cairo_scaled_font_extents(fonts().scaledfor(type, size), &fe);
  return static_cast<float>(fe.ascent + fe.descent) * mm_per_pt;
}

}  // namespace dosber

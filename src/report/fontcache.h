#pragma once
// The fonts of the reports: the DejaVu TrueType files named by the font
// types, loaded on first use and kept for the rest of the run. Text is
// measured and drawn with the same unhinted metrics, so a measured width is
// exactly what is drawn.
#include <string>
#include <string_view>

struct _cairo_font_face;
struct _cairo_font_options;

namespace dosber {

enum fonttipus : int { ftip_begin, ftip_dsn, ftip_dsb, ftip_dsi, ftip_dscn, ftip_dscb, ftip_dsci, ftip_end };

// The font file of a type, without ".ttf" ("" for ftip_begin and ftip_end).
const char* fontfilebase(int type);
// The font folder of a program in programfolder: "fonts" beside it (the build
// tree), else "../share/dosber/fonts" (installed), else the one beside it.
std::string fontfolderof(std::string_view programfolder);
// The font folder of the running program; DOSBER_FONTS overrides it.
std::string fontfolder();

struct extent {
  float width = 0, height = 0;  // millimetres
};

// The face of a font type (the condensed normal face for types without a
// file). Throws naming the file when it cannot be loaded.
_cairo_font_face* fontface(int type);
// The font options every text is measured and drawn with.
const _cairo_font_options* fontoptions();
// A text's advance width and ink height at a point size (an ill-formed
// UTF-8 text as validutf8 makes it).
extent measuretext(std::string_view text, int type, int size);
// The height of the font's line box, ascent plus descent, in millimetres:
// the box that PDF readers give every word, whatever its letters.
float linebox(int type, int size);

}  // namespace dosber

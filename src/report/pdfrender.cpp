// Rendering the page model into a PDF with cairo.
#include <cairo-pdf.h>
#include <cairo.h>

#include <ctime>
#include <stdexcept>

#include "report/fontcache.h"
#include "report/pagemodel.h"

namespace dosber {
namespace {

constexpr double mm_per_pt = 25.4 / 72.0;
constexpr double pt_per_mm = 72.0 / 25.4;
constexpr double a4short = 595.2756, a4long = 841.8898;  // points

cairo_status_t appendbytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void drawpage(cairo_t* cr, const pdfpage& p) {
  cairo_identity_matrix(cr);
  cairo_scale(cr, pt_per_mm, pt_per_mm);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, 0.5);
  for (const drawop& op : p.ops) {
    if (auto t = std::get_if<textrun>(&op)) {
      cairo_set_font_face(cr, fontface(t->font));
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

}  // namespace

std::string renderpdf(const std::vector<pdfpage>& pages, const documentinfo& info) {
  std::string out;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(appendbytes, &out, a4short, a4long);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, info.title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_AUTHOR, "");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, info.application.c_str());
  char date[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &tm);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, date);
  cairo_t* cr = cairo_create(surface);
  cairo_set_font_options(cr, fontoptions());
  for (const pdfpage& p : pages) {
    bool landscape = p.orientation == 1;
    cairo_pdf_surface_set_size(surface, landscape ? a4long : a4short, landscape ? a4short : a4long);
    drawpage(cr, p);
  }
  // A failed drawing operation leaves the context in error and every later
  // one undone: the document would lack the rest of its text.
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error(cairo_status_to_string(status));
  return out;
}

}  // namespace dosber

#pragma once
// What a report page holds. Positions are millimetres from the page's
// top-left corner; a text's y is its baseline; a rectangle spans y - h .. y.
#include <string>
#include <variant>
#include <vector>

namespace dosber {

struct textrun {
  int font;
  int size;
  float x, y;
  std::string text;
};
struct rectangle {
  float x, y, w, h;
};
struct rule {
  float x1, y1, x2, y2;
};
using drawop = std::variant<textrun, rectangle, rule>;

struct pdfpage {
  int orientation = 0;  // 0 portrait, 1 landscape (A4)
  std::vector<drawop> ops;
  int font = -1;  // the font selected on the page
  int size = 0;
};

// The document's metadata.
struct documentinfo {
  std::string title;
  std::string application;
};

// The PDF bytes of the pages (cairo, fonts embedded as subsets).
std::string renderpdf(const std::vector<pdfpage>& pages, const documentinfo& info);

}  // namespace dosber

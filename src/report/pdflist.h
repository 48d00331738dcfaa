#pragma once
// tpdflist: the report writer. It lays text out on A4 pages in millimetres,
// line by line, with the DejaVu fonts, and prints whole tables with an
// automatic choice of font size and orientation. What is drawn is kept in a
// page model (text runs, rectangles, lines per page) that is rendered into
// the PDF when the file is saved.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/progress.h"
#include "report/fontcache.h"
#include "report/pagemodel.h"
#include "table/table.h"

namespace dosber {

// The page header texts.
struct listinfotype {
  std::string left1, left2, right1;
  bool pagenumbers = false;
};

class tpdflist {
 public:
  tpdflist();   // create: the document and its first page
  ~tpdflist();  // release
  tpdflist(const tpdflist&) = delete;
  tpdflist& operator=(const tpdflist&) = delete;

  // --- the writer's fields ---
  const memtable* dataset = nullptr;
  int fontindex[ftip_end + 1];
  int orientation = 0;
  float leftmargin = 0, topmargin = 0, bottommargin = 0, rightmargin = 0;
  int fontsize = 11;
  std::vector<float> colwidths;
  std::string filename;
  std::function<void(tpdflist&)> onheader, onrow;
  const std::vector<std::string>* columns = nullptr;
  std::vector<std::string> titlelines;
  int headerlines = 1;
  int minsize = 8, maxsize = 11;
  const listinfotype* header = nullptr;
  std::vector<std::string> pageinfo;
  bool saved = false;
  int decimals = 2;
  int page = -1;
  float x = 0, y = 0;
  int normalfont = ftip_dscn, boldfont = ftip_dscb, italicfont = ftip_dsci;
  float colgap = 0, linegap = 0, lineheight = 0;
  float usablewidth = 0, usableheight = 0;
  // The previously printed table row, by field number; empty before the first.
  std::optional<std::vector<value>> lastrow;

  // Messages of the writer (its message boxes) and the start of a viewer;
  // without them messages go to standard error and nothing is opened.
  std::function<void(const std::string&)> onmessage;
  // onshow starts the viewer and tells whether it could be started.
  std::function<bool(const std::string& file, bool defaultviewer)> onshow;
  std::string title = "1992-2005 közti bérek lekérdezése (DOS)";
  std::string application = "dosber";

  // --- operations ---
  void setheader(const listinfotype* info) { header = info; }
  void settitle(std::string_view text);
  void setnormalfont(int type) { normalfont = type; }
  void setboldfont(int type) { boldfont = type; }
  void setitalicfont(int type) { italicfont = type; }
  void setfontsize(int size, int orientation);
  void setorientation(int value);
  void newpage();
  bool selectpage(int number);
  void newline(int n = 1);
  void setfont(int type, int size);
  extent measure(std::string_view text, int type, int size);
  float writecell(std::string_view text, bool right, float x, float y, float width, std::string_view style);
  void writeat(std::string_view text, std::string_view style, float x, bool right, float width);
  void writebox(std::string_view text, int alignment, float x, float width, std::string_view style);
  void hrule();
  void doublerule();
  void pageheader();
  void printtitle();
  // A line at the current y that would end below the usable height goes to
  // a new page, below the page header, the title and an empty line; true
  // when it did.
  bool breakpage();
  void savetofile(const std::string& name);
  // Writes the page numbers ("2/3.oldal") into every page's header.
  void numberpages();
  // Appends the pages of another document (its fonts are the same).
  void appendpages(const tpdflist& other);
  // False when the saved file could not be opened: not saved, missing, or
  // no viewer could be started (nothing is opened when no viewer is wanted).
  bool showfile(bool usedefaultviewer);

  // --- table printing ---
  bool printtable(const memtable* table, const std::vector<std::string>* columns, progress* bar,
                  int smallest, int largest);
  void setheadercallback(std::function<void(tpdflist&)> f) { onheader = std::move(f); }
  void setrowcallback(std::function<void(tpdflist&)> f) { onrow = std::move(f); }
  // The style ("B", "I" or empty) of the dataset's current row: the cells of
  // columns without a style of their own are measured and drawn in its font.
  // Unset, every row is in the normal font.
  std::function<std::string(const memtable&)> rowstyle;
  // The text of a field of the dataset's current row, as cells print it.
  std::string fieldtext(int field) const;

  // --- the page model ---
  const std::vector<pdfpage>& pages() const { return pages_; }
  int pagecount() const { return static_cast<int>(pages_.size()); }
  // The PDF bytes of the document as it stands.
  std::string render();

 private:
  void draw(float pagex, float pagey, std::string_view text);
  void message(const std::string& text);
  int styletype(std::string_view style) const;
  // Long texts of the page header and the title.
  struct headerblock {
    std::string right1;
    std::vector<std::string> first, second;  // the lines of left1 and left2; empty: no such header line
  };
  headerblock layoutheader();
  std::vector<std::string> wraptext(std::string_view text, int type, float firstwidth, float width, size_t most);
  size_t fittingprefix(std::string_view text, int type, float width);
  size_t mostlines(float pitch) const;
  float linepitch() const;
  // Texts of the line last written by pageheader or printtitle: their
  // horizontal extents from the left margin and their baseline.
  std::vector<std::pair<float, float>> lastspans_;
  float lastbaseline_ = -1;
  bool meetslastline(float from, float to) const;
  // Table printing helpers.
  struct column {
    bool listed = false;
    std::string header, style;
  };
  std::vector<column> columnsof(const memtable& table) const;
  // The widest text of a column and the font type it is printed in.
  struct sample {
    std::string text;
    int type = 0;
  };
  float measureall(const std::vector<column>& cols, std::vector<sample>& samples);
  float remeasure(const std::vector<column>& cols, const std::vector<sample>& samples);
  void autofit(const std::vector<column>& cols, int smallest, int largest);
  void pagestart(const std::vector<column>& cols);
  void columnheader(const std::vector<column>& cols);
  void printrow(const std::vector<column>& cols);
  void writeline(const std::vector<column>& cols, const std::function<std::string(size_t)>& textof,
                 std::string_view style = {});
  void applystyle(const column& c);
  int listedcount() const;
  void keepwordsapart();
  void narrowcolumns(const std::vector<column>& cols, float total);

  std::vector<pdfpage> pages_;
};

}  // namespace dosber

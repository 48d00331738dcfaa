// Printing an in-memory table as a paged list with a fitted font size.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "base/format.h"
#include "base/text.h"
#include "report/pdflist.h"

namespace dosber {
namespace {
// Below the table's smallest size the auto-fit goes down to this one before
// it cuts columns.
constexpr int smallestsize = 5;
}  // namespace

std::string tpdflist::fieldtext(int f) const {
  if (!dataset) return {};
  value v = dataset->get(f);
  if (auto d = std::get_if<double>(&v)) v = roundeven(*d, decimals);
  return valuetext(v, dataset->field(f).mask, igennem);
}

std::vector<tpdflist::column> tpdflist::columnsof(const memtable& table) const {
  std::vector<column> cols(table.fieldcount());
  for (int f = 0; f < table.fieldcount(); ++f) {
    if (!columns) {
      cols[f] = column{true, table.field(f).name, {}};
      continue;
    }
    for (const std::string& entry : *columns) {
      std::string name = piece(entry, '=', 1);
      if (!equalsignorecase(name, table.field(f).name)) continue;
      std::string rest = entry.substr(std::min(entry.size(), name.size() + 1));
      size_t semi = rest.find(';');
      cols[f] = column{true, rest.substr(0, semi), semi == std::string::npos ? std::string() : rest.substr(semi + 1)};
      break;
    }
  }
  return cols;
}

int tpdflist::listedcount() const {
  return columns ? static_cast<int>(columns->size()) : (dataset ? dataset->fieldcount() : 0);
}

float tpdflist::measureall(const std::vector<column>& cols, std::vector<sample>& samples) {
  extent zero = measure("0", normalfont, fontsize);
  colgap = zero.width;
  linegap = 0.25f * zero.height;
  lineheight = 0;
  colwidths.assign(cols.size(), 0);
  samples.assign(cols.size(), sample{{}, normalfont});
  for (int k = 1; k <= headerlines; ++k) {
    for (size_t i = 0; i < cols.size(); ++i) {
      if (!cols[i].listed) continue;
      std::string text = piece(cols[i].header, '\n', k);
      extent e = measure(text, normalfont, fontsize);
      if (e.width > colwidths[i]) {
        colwidths[i] = e.width;
        samples[i] = {text, normalfont};
      }
      lineheight = std::max(lineheight, e.height);
    }
  }
  // The data pass walks a copy of the cursor: the printed table is read
  // twice, once here and once when printing.
  memtable& t = const_cast<memtable&>(*dataset);
  for (t.first(); !t.eof(); t.next()) {
    int rowtype = rowstyle ? styletype(rowstyle(t)) : normalfont;
    for (size_t i = 0; i < cols.size(); ++i) {
      if (!cols[i].listed) continue;
      std::string text = fieldtext(static_cast<int>(i));
      int type = cols[i].style.empty() ? rowtype : normalfont;
      extent e = measure(text, type, fontsize);
      if (e.width > colwidths[i]) {
        colwidths[i] = e.width;
        samples[i] = {text, type};
      }
      lineheight = std::max(lineheight, e.height);
    }
  }
  keepwordsapart();
  float total = 0;
  for (float w : colwidths) total += w;
  return total + (listedcount() - 1) * colgap;
}

// Lines of the measured texts alone may stand closer than the font's line
// box (texts without accents or descenders): the words of neighbouring rows
// would overlap.
void tpdflist::keepwordsapart() {
  lineheight = std::max(lineheight, std::max(linebox(normalfont, fontsize), linebox(boldfont, fontsize)) - linegap);
}

float tpdflist::remeasure(const std::vector<column>& cols, const std::vector<sample>& samples) {
  extent zero = measure("0", normalfont, fontsize);
  colgap = zero.width;
  linegap = 0.25f * zero.height;
  lineheight = 0;
  float total = 0;
  for (size_t i = 0; i < cols.size(); ++i) {
    extent e = measure(samples[i].text, samples[i].type, fontsize);
    colwidths[i] = e.width;
    lineheight = std::max(lineheight, e.height);
    total += e.width;
  }
  keepwordsapart();
  return total + (listedcount() - 1) * colgap;
}

void tpdflist::autofit(const std::vector<column>& cols, int smallest, int largest) {
  std::vector<sample> samples;
  setorientation(0);
  minsize = smallest ? smallest : 8;
  maxsize = largest ? largest : 11;
  fontsize = maxsize;
  setfont(normalfont, fontsize);
  float total = measureall(cols, samples);
  while (usablewidth < total && fontsize > minsize) {
    --fontsize;
    total = remeasure(cols, samples);
  }
  if (usablewidth < total) {
    setorientation(1);
    fontsize = maxsize;
    total = remeasure(cols, samples);
    while (usablewidth < total && fontsize > minsize) {
      --fontsize;
      total = remeasure(cols, samples);
    }
    // Smaller still rather than past the page's edge; at the smallest size
    // the text columns give up what is missing.
    while (usablewidth < total && fontsize > smallestsize) {
      --fontsize;
      total = remeasure(cols, samples);
    }
    if (usablewidth < total) narrowcolumns(cols, total);
  }
  orientation = pages_[page].orientation;
}

// Columns cut to the usable width, text columns first: their cells are
// shortened to the column (writecell); numbers only when the text columns
// cannot make up the difference.
void tpdflist::narrowcolumns(const std::vector<column>& cols, float total) {
  float gaps = total, numbers = 0, texts = 0;
  for (size_t i = 0; i < cols.size(); ++i) {
    gaps -= colwidths[i];
    if (!cols[i].listed) continue;
    fieldtype type = dataset->field(static_cast<int>(i)).type;
    (type == fieldtype::integer || type == fieldtype::floating ? numbers : texts) += colwidths[i];
  }
  if (numbers + texts <= 0) return;
  float room = std::max(usablewidth - gaps, 0.0f);
  float textscale = room / (numbers + texts), numberscale = textscale;
  if (texts > 0 && numbers < room) {
    textscale = (room - numbers) / texts;
    numberscale = 1;
  }
  // A width of 0 would mean no limit at all.
  for (size_t i = 0; i < cols.size(); ++i) {
    fieldtype type = dataset->field(static_cast<int>(i)).type;
    float scale = type == fieldtype::integer || type == fieldtype::floating ? numberscale : textscale;
    if (cols[i].listed) colwidths[i] = std::max(colwidths[i] * scale, 0.01f);
  }
}

void tpdflist::applystyle(const column& c) {
  if (c.style.empty()) return;
  int size = fontsize;
  std::string number = c.style.substr(1);
  if (!number.empty() && std::all_of(number.begin(), number.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
    size = std::atoi(number.c_str());
  char first = static_cast<char>(std::toupper(static_cast<unsigned char>(c.style[0])));
  if (first == 'I')
    setfont(italicfont, size);
  else if (first == 'B')
    setfont(boldfont, size);
}

void tpdflist::columnheader(const std::vector<column>& cols) {
  if (onheader) onheader(*this);
  y = y + linegap + 0.25f * lineheight;
  doublerule();
  for (int k = 1; k <= headerlines; ++k) {
    writeline(cols, [&](size_t i) { return piece(cols[i].header, '\n', k); });
  }
  y = y + linegap + 0.25f * lineheight;
  doublerule();
}

void tpdflist::pagestart(const std::vector<column>& cols) {
  pageheader();
  printtitle();
  columnheader(cols);
}

void tpdflist::writeline(const std::vector<column>& cols, const std::function<std::string(size_t)>& textof,
                         std::string_view style) {
  // A styled column's cells are written with an empty style: drawn in its
  // font but placed and cut by their width in the normal font.
  x = 0;
  y = y + lineheight + linegap;
  for (size_t i = 0; i < cols.size(); ++i) {
    if (!cols[i].listed) continue;
    applystyle(cols[i]);
    fieldtype type = dataset->field(static_cast<int>(i)).type;
    bool numeric = type == fieldtype::integer || type == fieldtype::floating;
    writecell(textof(i), numeric, x, y, colwidths[i], cols[i].style.empty() ? style : "");
    x = x + colwidths[i] + colgap;
    if (columns) setfont(normalfont, fontsize);
  }
}

void tpdflist::printrow(const std::vector<column>& cols) {
  std::string style = rowstyle ? rowstyle(*dataset) : std::string();
  writeline(cols, [&](size_t i) { return fieldtext(static_cast<int>(i)); }, style);
}

bool tpdflist::printtable(const memtable* table, const std::vector<std::string>* list, progress* bar,
                          int smallest, int largest) {
  dataset = table;
  if (!table || table->rowcount() == 0) return false;
  columns = list;
  headerlines = 1;
  if (list)
    for (const std::string& entry : *list) {
      std::string rest = entry.substr(std::min(entry.size(), piece(entry, '=', 1).size() + 1));
      headerlines = std::max(headerlines, piececount(piece(rest, ';', 1), '\n'));
    }
  lastrow.reset();
  if (y != 0) newpage();
  std::vector<column> cols = columnsof(*table);
  autofit(cols, smallest, largest);
  pagestart(cols);
  setfont(normalfont, fontsize);
  startprogress(bar, static_cast<int>(table->rowcount()));
  memtable& t = const_cast<memtable&>(*table);
  for (t.first(); !t.eof(); t.next()) {
    if (bar) bar->setposition(t.recno());
    if (y + lineheight + linegap > usableheight) {
      newpage();
      pagestart(cols);
      setfont(normalfont, fontsize);
    }
    if (onrow) onrow(*this);
    printrow(cols);
    std::vector<value> row(table->fieldcount());
    for (int f = 0; f < table->fieldcount(); ++f) row[f] = table->get(f);
    lastrow = std::move(row);
  }
  if (table->rowcount() != 0 && onrow) onrow(*this);
  if (bar) bar->setposition(0);
  headerlines = 1;
  return true;
}

}  // namespace dosber

#include "report/summaryreport.h"


#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "base/format.h"
#include "base/text.h"
#include "report/export.h"
#include "report/jsonwriter.h"
#include "report/pdflist.h"

namespace dosber {
namespace {

constexpr const char* amountmask = "###,###,###";  // the card's ÖSSZ column
constexpr const char* totallabel = "Összesen";
constexpr const char* nodata = "Nincs kereseti adat.";

// The card rounds to two decimals before a mask lays out the digits.
double rounded(double v) {
  double r = roundeven(v, 2);
  return r == 0 ? 0.0 : r;  // no negative zero
}
std::string amounttext(double v) { return valuetext(rounded(v), amountmask); }

// Each skipped folder with its message on one line.
std::vector<std::string> skippedlines(const earningssummary& s) {
  std::vector<std::string> out;
  for (const skippedfolder& k : s.skipped) {
    std::string line = k.folder + ": ";
    for (char c : k.message) line += c == '\n' ? std::string(", ") : std::string(1, c);
    out.push_back(line);
  }
  return out;
}

struct personrow {
  const char* label;
  std::string earningssummary::*field;
};
constexpr personrow personrows[] = {
    {"Név", &earningssummary::nev},
    {"Születési idő", &earningssummary::szulido},
    {"Anyja neve", &earningssummary::anyanev},
    {"Azonosító", &earningssummary::azon},
};

// The columns in front of the six amounts: field, header, size.
struct textcolumn {
  const char* field;
  const char* header;
  int size;
};
constexpr textcolumn textcolumns[] = {
    {"ev", "Év", 4},
    {"ceg", "Cég", 80},
    {"jvkezd", "Jogviszony kezdete", 10},
    {"kdatum", "Kilépett", 10},
    {"allomany", "Állománycsoport", 15},
};

// A printed line: one per entry, and a total after each year of several
// entries.
struct summaryline {
  std::array<std::string, std::size(textcolumns)> texts;
  const summaryitems* items;
  bool total;
};

std::vector<summaryline> summarylines(const earningssummary& s) {
  std::vector<summaryline> out;
  size_t next = 0;
  for (const summaryyear& y : s.years) {
    for (; next < s.entries.size() && s.entries[next].year == y.year; ++next) {
      const summaryentry& e = s.entries[next];
      out.push_back({{std::to_string(e.year), e.companyname, e.jvkezd, e.kdatum, e.allomanycsoport}, &e.items, false});
    }
    if (y.entries > 1) out.push_back({{std::to_string(y.year), totallabel, "", "", ""}, &y.items, true});
  }
  return out;
}

// Column headers of the document: broken at their last blank.
std::string twolines(std::string_view label) {
  std::string s(label);
  if (size_t blank = s.rfind(' '); blank != std::string::npos) s[blank] = '\n';
  return s;
}

class summarydocument {
 public:
  explicit summarydocument(const earningssummary& s) : s_(s) {}

  std::unique_ptr<tpdflist> make() {
    info_ = listinfotype{s_.nev, {}, "Készült: " + today(), true};
    auto w = std::make_unique<tpdflist>();
    w->setheader(&info_);
    w->settitle(s_.nev + " kereseti összesítője");
    w->setnormalfont(ftip_dscn);
    w->setboldfont(ftip_dscb);
    w->setitalicfont(ftip_dsci);
    w->setfontsize(10, 0);

    filltable();
    // The person's data stand on the first page, above the column header.
    w->setheadercallback([this](tpdflist& p) {
      if (p.page == 0) person(p);
    });
    w->rowstyle = [](const memtable& t) { return std::get<bool>(t.get(t.fieldindex("osszesen"))) ? "B" : ""; };
    if (!w->printtable(&work_, &columns_, nullptr, 0, 0)) {
      w->pageheader();
      w->printtitle();
      person(*w);
      w->newline(1);
      w->writeat(nodata, "", 0, false, 0);
    }
    w->setheadercallback(nullptr);
    w->rowstyle = nullptr;
    skipped(*w);
    w->numberpages();
    // The page header record lives with the document.
    w->setheader(nullptr);
    return w;
  }

 private:
  void filltable() {
    for (const textcolumn& c : textcolumns) {
      work_.addfield(c.field, fieldtype::text, c.size);
      columns_.push_back(std::string(c.field) + "=" + twolines(c.header));
    }
    for (size_t k = 0; k < summarylabels.size(); ++k) {
      std::string name = "ertek" + std::to_string(k + 1);
      work_.addfield(name, fieldtype::floating);
      columns_.push_back(name + "=" + twolines(summarylabels[k]));
    }
    work_.addfield("osszesen", fieldtype::boolean);
    work_.addfield("sor", fieldtype::integer);
    work_.setindex("sor");
    work_.create();
    for (size_t k = 1; k <= summarylabels.size(); ++k) work_.setmask("ertek" + std::to_string(k), amountmask);

    int row = 0;
    for (const summaryline& line : summarylines(s_)) {
      std::vector<value> values(line.texts.begin(), line.texts.end());
      for (double v : *line.items) values.emplace_back(v);
      values.emplace_back(line.total);
      values.emplace_back(row++);
      work_.append(std::move(values));
    }
  }

  // Framed cells like the wage card's person rows, in its size.
  void person(tpdflist& w) {
    int size = w.fontsize;
    float lineheight = w.lineheight, linegap = w.linegap;
    w.setfontsize(10, w.orientation);
    w.newline(2);
    w.writebox("A foglalkoztatott személy adatai", 1, 0, 103, "");
    w.newline(1);
    for (const personrow& r : personrows) {
      w.writebox(r.label, 0, 0, 40, "");
      w.writebox(s_.*r.field, 0, w.x, 60, "");
      w.newline(1);
    }
    w.fontsize = size;
    w.lineheight = lineheight;
    w.linegap = linegap;
    w.setfont(w.normalfont, size);
  }

  void skipped(tpdflist& w) {
    std::vector<std::string> lines = skippedlines(s_);
    if (lines.empty()) return;
    w.newline(1);
    lines.insert(lines.begin(), "Kihagyott könyvtárak:");
    for (const std::string& line : lines) {
      if (w.y + w.lineheight + w.linegap > w.usableheight) {
        w.newpage();
        w.pageheader();
        w.printtitle();
        w.newline(1);
      }
      w.newline(1);
      w.writeat(line, "", 0, false, w.usablewidth);
    }
  }

  const earningssummary& s_;
  memtable work_{textunit::chars};
  std::vector<std::string> columns_;
  listinfotype info_;
};

void itemsjson(jsonwriter& w, const summaryitems& items) {
  w.beginobject();
  for (size_t k = 0; k < items.size(); ++k) {
    w.key(summarylabels[k]);
    w.number(rounded(items[k]));
  }
  w.endobject();
}

// Characters, not bytes: the width of a text in a column.
size_t charcount(std::string_view s) {
  return static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return !continuationbyte(c); }));
}

}  // namespace

std::unique_ptr<tpdflist> layoutsummary(const earningssummary& summary) {
  summarydocument d(summary);
  return d.make();
}

void writesummaryjson(std::ostream& out, const earningssummary& s) {
  jsonwriter w(out);
  auto member = [&](std::string_view key, std::string_view text) {
    w.key(key);
    w.string(text);
  };
  w.beginobject();
  member("azon", s.azon);
  member("nev", s.nev);
  member("szulido", s.szulido);
  w.key("employments");
  w.beginarray();
  for (const summaryentry& e : s.entries) {
    w.beginobject();
    w.key("year");
    w.integer(e.year);
    member("year_folder", e.yearfolder);
    member("company_folder", e.companyfolder);
    member("company_name", e.companyname);
    member("jvkezd", e.jvkezd);
    member("allomanycsoport", e.allomanycsoport);
    member("bdatum", e.bdatum);
    member("kdatum", e.kdatum);
    member("jogvnev1", e.jogvnev1);
    member("jogvnev2", e.jogvnev2);
    w.key("items");
    itemsjson(w, e.items);
    w.endobject();
  }
  w.endarray();
  w.key("years");
  w.beginarray();
  for (const summaryyear& y : s.years) {
    w.beginobject();
    w.key("year");
    w.integer(y.year);
    w.key("items");
    itemsjson(w, y.items);
    w.endobject();
  }
  w.endarray();
  writeskippedjson(w, s.skipped);
  w.endobject();
}

void writesummarytext(std::ostream& out, const earningssummary& s) {
  for (const personrow& r : personrows) out << r.label << ": " << s.*r.field << "\n";
  std::vector<std::string> headers;
  for (const textcolumn& c : textcolumns) headers.push_back(c.header);
  headers.insert(headers.end(), summarylabels.begin(), summarylabels.end());
  std::vector<std::vector<std::string>> lines;
  for (const summaryline& line : summarylines(s)) {
    std::vector<std::string> cells(line.texts.begin(), line.texts.end());
    for (double v : *line.items) cells.push_back(amounttext(v));
    lines.push_back(std::move(cells));
  }
  std::vector<size_t> widths;
  for (const std::string& h : headers) widths.push_back(charcount(h));
  for (const auto& cells : lines)
    for (size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], charcount(cells[i]));
  auto print = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
      std::string pad(widths[i] - charcount(cells[i]), ' ');
      line += (i ? "  " : "") + (i < std::size(textcolumns) ? cells[i] + pad : pad + cells[i]);
    }
    out << std::string(trimcontrol(line)) << "\n";
  };
  out << "\n";
  if (lines.empty()) {
    out << nodata << "\n";
  } else {
    print(headers);
    for (const auto& cells : lines) print(cells);
  }
  std::vector<std::string> skipped = skippedlines(s);
  if (skipped.empty()) return;
  out << "\nKihagyott könyvtárak:\n";
  for (const std::string& line : skipped) out << line << "\n";
}

}  // namespace dosber

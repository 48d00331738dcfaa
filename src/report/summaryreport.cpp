#include "report/summaryreport.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "base/format.h"
#include "base/text.h"
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

// Column headers: the printed labels, broken at their blank.
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
    work_.addfield("ev", fieldtype::text, 4);
    work_.addfield("ceg", fieldtype::text, 80);
    work_.addfield("jvkezd", fieldtype::text, 10);
    work_.addfield("kdatum", fieldtype::text, 10);
    work_.addfield("allomany", fieldtype::text, 15);
    columns_ = {"ev=Év", "ceg=Cég", "jvkezd=Jogviszony\nkezdete", "kdatum=Kilépett", "allomany=Állománycsoport"};
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
    auto append = [&](std::vector<value> texts, const summaryitems& items, bool total) {
      for (double v : items) texts.emplace_back(v);
      texts.emplace_back(total);
      texts.emplace_back(row++);
      work_.append(std::move(texts));
    };
    size_t next = 0;
    for (const summaryyear& y : s_.years) {
      for (; next < s_.entries.size() && s_.entries[next].year == y.year; ++next) {
        const summaryentry& e = s_.entries[next];
        append({std::to_string(e.year), e.companyname, e.jvkezd, e.kdatum, e.allomanycsoport}, e.items, false);
      }
      if (y.entries > 1) append({std::to_string(y.year), std::string(totallabel), {}, {}, {}}, y.items, true);
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

nlohmann::ordered_json itemsjson(const summaryitems& items) {
  nlohmann::ordered_json o;
  for (size_t k = 0; k < items.size(); ++k) o[summarylabels[k]] = rounded(items[k]);
  return o;
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
  nlohmann::ordered_json o;
  o["azon"] = s.azon;
  o["nev"] = s.nev;
  o["szulido"] = s.szulido;
  o["employments"] = nlohmann::ordered_json::array();
  for (const summaryentry& e : s.entries)
    o["employments"].push_back({{"year", e.year},
                                {"year_folder", e.yearfolder},
                                {"company_folder", e.companyfolder},
                                {"company_name", e.companyname},
                                {"jvkezd", e.jvkezd},
                                {"allomanycsoport", e.allomanycsoport},
                                {"bdatum", e.bdatum},
                                {"kdatum", e.kdatum},
                                {"jogvnev1", e.jogvnev1},
                                {"jogvnev2", e.jogvnev2},
                                {"items", itemsjson(e.items)}});
  o["years"] = nlohmann::ordered_json::array();
  for (const summaryyear& y : s.years) o["years"].push_back({{"year", y.year}, {"items", itemsjson(y.items)}});
  o["skipped"] = nlohmann::ordered_json::array();
  for (const skippedfolder& k : s.skipped) o["skipped"].push_back({{"folder", k.folder}, {"message", k.message}});
  out << o.dump(2) << "\n";
}

void writesummarytext(std::ostream& out, const earningssummary& s) {
  for (const personrow& r : personrows) out << r.label << ": " << s.*r.field << "\n";
  std::vector<std::string> headers = {"Év", "Cég", "Jogviszony kezdete", "Kilépett", "Állománycsoport"};
  const size_t textcolumns = headers.size();
  headers.insert(headers.end(), summarylabels.begin(), summarylabels.end());
  std::vector<std::vector<std::string>> lines;
  auto add = [&](std::vector<std::string> cells, const summaryitems& items) {
    for (double v : items) cells.push_back(amounttext(v));
    lines.push_back(std::move(cells));
  };
  size_t next = 0;
  for (const summaryyear& y : s.years) {
    for (; next < s.entries.size() && s.entries[next].year == y.year; ++next) {
      const summaryentry& e = s.entries[next];
      add({std::to_string(e.year), e.companyname, e.jvkezd, e.kdatum, e.allomanycsoport}, e.items);
    }
    if (y.entries > 1) add({std::to_string(y.year), totallabel, "", "", ""}, y.items);
  }
  std::vector<size_t> widths;
  for (const std::string& h : headers) widths.push_back(charcount(h));
  for (const auto& cells : lines)
    for (size_t i = 0; i < cells.size(); ++i) widths[i] = std::max(widths[i], charcount(cells[i]));
  auto print = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
      std::string pad(widths[i] - charcount(cells[i]), ' ');
      line += (i ? "  " : "") + (i < textcolumns ? cells[i] + pad : pad + cells[i]);
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

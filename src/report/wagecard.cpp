#include "report/wagecard.h"

#include <memory>
#include <vector>

#include "archive/cardtables.h"
#include "base/format.h"
#include "base/text.h"
#include "report/cardgrids.h"
#include "report/pdflist.h"

namespace dosber {
namespace {

struct personrow {
  const char* label;
  const char* field;
  const char* mask;
};
constexpr personrow personrows[] = {
    {"Név", "nev", ""},
    {"Anyja neve", "anyanev", ""},
    {"Születés helye", "szulhely", ""},
    {"Születési idő", "szulido", ""},
    {"Lánynév", "lanynev", ""},
    {"TAJ szám", "taj", ""},
    {"Adóazonosító", "adoazon", ""},
    {"Állománycsoport", "jogvnev1", ""},
    {"Foglalkoztatás típusa", "jogvnev2", ""},
    {"Alkalmazási minőség", "alkminnev", ""},
    {"Belépett", "bdatum", ""},
    {"Kilépett", "kdatum", ""},
    {"Munkakör", "munkakor", ""},
    {"FEOR", "feor", ""},
    {"MNYP kezdete", "mnypkezd", ""},
    {"MNYP vége", "mnypbef", ""},
    {"Szervezet", "szerv", ""},
    {"Bérforma", "berforma", ""},
    {"Napi munkaideje", "ridon", ""},
    {"Havi munkaideje", "ridoh", ""},
    {"Munkarend", "mrend", ""},
    {"Havibér", "haviber", "##,###,###,###"},
    {"Órabér", "oraber", "###,###.##"},
};

constexpr const char* monthheaders[] = {"JAN", "FEB", "MÁR", "ÁPR", "MÁJ", "JÚN",
                                        "JÚL", "AUG", "SZEPT", "OKT", "NOV", "DEC"};

class wagecard {
 public:
  wagecard(const archivestate& state, const memtable& employees) : state_(state), employees_(employees) {}

  std::unique_ptr<tpdflist> make(progress* bar) {
    std::string tax(trimcontrol(state_.companytaxnumber));
    info_ = listinfotype{state_.companyname, tax.empty() ? std::string() : formatmask("########-#-##", tax),
                         "Készült: " + today(), true};
    auto w = std::make_unique<tpdflist>();
    w->setheader(&info_);
    w->settitle(employees_.text("nev") + " jogviszony és fizetési adatai - " + state_.yeartext);
    w->setnormalfont(ftip_dscn);
    w->setboldfont(ftip_dscb);
    w->setitalicfont(ftip_dsci);
    w->setfontsize(10, 0);

    w->pageheader();
    w->printtitle();
    w->newline(2);
    w->writebox("A foglalkoztatott személy adatai", 1, 0, 103, "");
    w->newline(1);
    for (const personrow& r : personrows) person(*w, r);
    otheremployments(*w);

    w->setrowcallback([](tpdflist& p) { groupseparator(p); });
    w->setheadercallback([this](tpdflist& p) { employmentline(p); });
    for (const cardgrid& grid : cardgrids(state_)) {
      fillgrid(grid);
      w->printtable(&work_, &columns_, bar, 0, 0);
    }
    w->setrowcallback(nullptr);
    w->setheadercallback(nullptr);
    fillabsences();
    w->printtable(&work_, &columns_, nullptr, 10, 10);
    w->numberpages();
    // The page header record lives with the document.
    w->setheader(nullptr);
    return w;
  }

 private:
  void person(tpdflist& w, const personrow& r) {
    int f = employees_.fieldindex(r.field);
    value v = employees_.get(f);
    std::string text;
    if (auto d = std::get_if<double>(&v))
      text = formatnumber(r.mask, true, *d);
    else if (auto i = std::get_if<int32_t>(&v))
      text = formatnumber(r.mask, true, *i);
    else if (auto s = std::get_if<std::string>(&v))
      text = formatmask(r.mask, *s);
    w.breakpage();
    w.writebox(r.label, 0, 0, 40, "");
    w.writebox(text, 0, w.x, 60, "");
    w.newline(1);
  }

  void otheremployments(tpdflist& w) {
    std::vector<std::string> lines = state_.employmentlines.values(employees_.text("azon"));
    if (lines.size() <= 1) return;
    w.newline(1);
    w.breakpage();
    w.writeat("További jogviszonyai", "", 0, false, 0);
    w.newline(1);
    std::string jogvkod1 = employees_.text("jogvkod1"), bdatum = employees_.text("bdatum");
    for (const std::string& line : lines) {
      std::string entry = formatmask("####.##.##", piece(line, ';', 1));
      std::string staffgroup = piece(line, ';', 2), type = piece(line, ';', 3);
      std::string exit = formatmask("####.##.##", piece(line, ';', 4));
      if (staffgroup == jogvkod1 && entry == bdatum) continue;
      w.newline(1);
      w.breakpage();
      w.writebox(state_.staffgroups.value(staffgroup), 0, w.x, 25, "");
      w.writebox(state_.employmenttypes.value(type), 0, w.x, 25, "");
      w.writebox(entry, 0, w.x, 21, "");
      w.writebox(exit, 0, w.x, 22, "");
    }
  }

  // The work table of one grid: each class and code once, with its twelve
  // months and their total.
  void fillgrid(const cardgrid& grid) {
    columns_.clear();
    work_.clear();
    work_.addfield("kodtip", fieldtype::text, 1);
    work_.addfield("kod", fieldtype::text, 3);
    work_.addfield("megnev", fieldtype::text, 15);
    columns_.push_back("megnev=" + state_.yeartext + ";I");
    for (int m = 1; m <= 12; ++m) {
      work_.addfield("ho" + std::to_string(m), fieldtype::floating);
      columns_.push_back("ho" + std::to_string(m) + "=" + monthheaders[m - 1]);
    }
    work_.addfield("ossz", fieldtype::floating);
    columns_.push_back("ossz=ÖSSZ;B");
    work_.setindex("kodtip;kod");
    work_.create();
    work_.setmask("ossz", "###,###,###");
    start_ = grid.jvkezd;
    staffgroup_ = grid.jogvkod1;
    for (const gridrow& r : grid.rows) {
      std::vector<value> values{r.kodtip, r.kod, r.megnev};
      for (double amount : r.months) values.emplace_back(amount);
      values.emplace_back(r.ossz);
      work_.append(std::move(values));
    }
  }

  void fillabsences() {
    columns_.clear();
    work_.clear();
    addabsencefields(work_);
    columns_ = {"kod=Kód", "megnev=Megnevezés", "tol=Naptól", "ig=Napig"};
    work_.setindex("tol");
    work_.create();
    std::string azon = employees_.text("azon");
    const memtable& a = state_.absences;
    if (!a.active()) return;
    int azonf = a.fieldindex("azon");
    for (size_t p = 0, n = a.visiblecount(); p < n; ++p) {
      size_t row = a.rowat(p);
      if (a.textat(row, azonf) != azon) continue;
      std::vector<value> values;
      for (const char* f : {"kod", "megnev", "tol", "ig"}) values.emplace_back(a.textat(row, a.fieldindex(f)));
      work_.append(std::move(values));
    }
  }

  void employmentline(tpdflist& w) {
    w.newline(1);
    w.writeat("Jogviszony kezdete: " + start_, "I", 0, false, 0);
    w.writeat("Állománycsoport: " + state_.staffgroups.value(staffgroup_), "I", w.x + 5, false, 0);
  }

  // A rule between item classes. At the table's end the last row is still
  // the current one, so nothing is drawn after it.
  static void groupseparator(tpdflist& w) {
    if (!w.lastrow || w.dataset->eof()) return;
    auto* previous = std::get_if<std::string>(&(*w.lastrow)[0]);
    std::string current = w.dataset->text("kodtip");
    char a = previous && !previous->empty() ? (*previous)[0] : '\0';
    char b = current.empty() ? '\0' : current[0];
    if (a != b) {
      w.y = w.y + w.linegap;
      w.hrule();
    }
  }

  const archivestate& state_;
  const memtable& employees_;
  memtable work_{textunit::chars};
  std::vector<std::string> columns_;
  listinfotype info_;
  std::string start_, staffgroup_;
};

}  // namespace

std::unique_ptr<tpdflist> layoutwagecard(const archivestate& state, const memtable& employees, progress* bar) {
  wagecard card(state, employees);
  return card.make(bar);
}

}  // namespace dosber

#include <array>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "archive/codetables.h"
#include "archive/cp852.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "archive/real48.h"
#include "archive/recordfile.h"
#include "table/employeetable.h"
#include "table/table.h"

namespace dosber {
namespace {

// Name-value lookups of a walk by the raw bytes of the code: the lists do
// not change during a walk, and a company uses few distinct codes.
class codelookup {
 public:
  explicit codelookup(const namevaluelist& list) : list_(list) {}
  std::string_view operator()(std::string_view prefix, std::string_view raw) {
    key_.assign(prefix).append(raw);
    auto [it, added] = memo_.try_emplace(key_);
    if (added) {
      std::string name(prefix);
      appendrawtext(name, raw);
      it->second = list_.valueview(name);
    }
    return it->second;
  }

 private:
  const namevaluelist& list_;
  std::string key_;
  std::unordered_map<std::string, std::string_view> memo_;
};

struct lookups {
  codelookup generalcodes, staffgroups, employmenttypes, employmentstatuses, wageforms, workschedules;
  explicit lookups(const archivestate& s)
      : generalcodes(s.generalcodes), staffgroups(s.staffgroups), employmenttypes(s.employmenttypes),
        employmentstatuses(s.employmentstatuses), wageforms(s.wageforms), workschedules(s.workschedules) {}
};

// One row's values; its converted texts gather in one buffer.
class rowbuilder {
 public:
  template <class Append>
  void text(Append&& append) {
    size_t at = texts_.size();
    append(texts_);
    spans_[n_] = {at, texts_.size() - at};
    values_[n_++] = {};
  }
  void view(std::string_view v) { put(v); }
  void number(double v) { put(v); }
  void integer(int32_t v) { put(v); }
  // The values in field order; valid until the next row.
  std::span<const valueview> finish() {
    for (size_t i = 0; i < n_; ++i)
      if (std::holds_alternative<std::monostate>(values_[i]))
        values_[i] = std::string_view(texts_).substr(spans_[i].first, spans_[i].second);
    return std::span<const valueview>(values_.data(), n_);
  }
  void clear() {
    texts_.clear();
    n_ = 0;
  }

 private:
  void put(valueview v) {
    spans_[n_] = {};
    values_[n_++] = v;
  }
  std::string texts_;
  std::array<valueview, employeefields.size()> values_;
  std::array<std::pair<size_t, size_t>, employeefields.size()> spans_;
  size_t n_ = 0;
};

// One employment record as the 44 values of the employee table.
void employeerow(const yearinfo& year, lookups& find, const unsigned char* r, rowbuilder& row) {
  const dtlayout& l = *year.dt;
  auto text = [&](fieldspan s) {
    row.text([&](std::string& out) {
      if (s.offset >= 0) appendarchivetext(out, trimcontrol(field(r, s.offset, s.width)));
    });
  };
  auto converted = [&](int offset, int width) {
    row.text([&](std::string& out) { appendarchivetext(out, field(r, offset, width)); });
  };
  auto real = [&](int offset) { row.number(offset < 0 ? 0.0 : real48(r + offset)); };
  auto date = [&](int offset) {
    row.text([&](std::string& out) {
      if (offset >= 0) appendarchivedate(out, field(r, offset, 8));
    });
  };
  std::string_view staffgroup = field(r, l.staffgroup, 1);

  row.clear();
  converted(0, 11);                                                              // azon
  text(l.name);                                                                  // nev
  row.text([&](std::string& out) { out.append(birthdateof(l, r)); });            // szulido
  text(l.birthplace);                                                            // szulhely
  row.view(find.generalcodes("A", field(r, l.orgunit.offset, l.orgunit.width)));  // szerv
  row.view(find.generalcodes("B", field(r, l.job.offset, l.job.width)));          // munkakor
  converted(l.staffgroup, 1);                                                    // jogvkod1
  row.view(find.staffgroups({}, staffgroup));                                    // jogvnev1
  converted(l.employmenttype, 1);                                                // jogvkod2
  row.view(find.employmenttypes({}, field(r, l.employmenttype, 1)));             // jogvnev2
  if (l.status.offset >= 0) {
    std::string code = std::string(staffgroup).append(field(r, l.status.offset, 2));
    row.text([&](std::string& out) { appendarchivetext(out, code); });           // alkmin
    row.view(find.employmentstatuses({}, code));                                 // alkminnev
  } else {
    row.view({});
    row.view({});
  }
  row.view(find.wageforms({}, field(r, l.wageform, 1)));                         // berforma
  real(l.monthlywage);                                                           // haviber
  real(l.hourlywage);                                                            // oraber
  real(l.dailyhours);                                                            // ridon
  real(l.monthlyhours);                                                          // ridoh
  row.view(find.workschedules({}, field(r, l.schedule, 1)));                     // mrend
  text(l.maidenname);                                                            // lanynev
  text(l.mothername);                                                            // anyanev
  converted(l.feor.offset, l.feor.width);                                        // feor
  date(l.entrydate);                                                             // bdatum
  date(l.exitdate);                                                              // kdatum
  row.view({});                                                                  // taj
  row.view({});                                                                  // adoazon
  date(l.mnypstart);                                                             // mnypkezd
  date(l.mnypend);                                                               // mnypbef
  row.number(0);                                                                 // maxnyjalap
  row.number(0);                                                                 // lenyjalap
  row.number(0);                                                                 // ignyjalap
  row.integer(0);                                                                // nyjtavnap
  for (int m = 0; m < 12; ++m) real(year.eho < 0 ? -1 : year.eho + 6 * m);       // eho1..12
  row.view({});                                                                  // archiv
}

void walkemployees(archivestate& state, const yearinfo& year, memtable& employees, recordfile& file,
                   progress* bar, std::string_view azon) {
  startprogress(bar, static_cast<int>(file.count()));
  file.skipheader();
  employees.reserve(file.count());
  const dtlayout& l = *year.dt;
  lookups find(state);
  rowbuilder row;
  file.walk([&](const unsigned char* r, size_t number) {
    if (bar) bar->setposition(static_cast<int>(number));
    if (!present(r)) return;
    if (!azon.empty() && archivetext(field(r, 0, 11)) != azon) return;
    registeremploymentline(state, field(r, 0, 11), field(r, l.entrydate, 8), field(r, l.staffgroup, 1),
                           field(r, l.employmenttype, 1), field(r, l.exitdate, 8));
    employeerow(year, find, r, row);
    employees.appendviews(row.finish());
  });
  employees.first();
  file.close();
  if (bar) bar->setposition(0);
}

}  // namespace

std::string birthdateof(const dtlayout& l, const unsigned char* r) {
  return l.birthdate < 0 ? archivedate("19" + std::string(field(r, 1, 6))) : archivedate(field(r, l.birthdate, 8));
}

void registeremploymentline(archivestate& state, std::string_view azon, std::string_view entry,
                            std::string_view jogvkod1, std::string_view jogvkod2, std::string_view exit) {
  std::string line;
  line.reserve(azon.size() + entry.size() + jogvkod1.size() + jogvkod2.size() + exit.size() + 4);
  appendrawtext(line, azon);
  line.push_back('=');
  appendrawtext(line, entry);
  line.push_back(';');
  appendrawtext(line, jogvkod1);
  line.push_back(';');
  appendrawtext(line, jogvkod2);
  line.push_back(';');
  appendrawtext(line, exit);
  state.employmentlines.add(line);
}

void loadcompany(archivestate& state, const yearinfo& year, memtable& employees,
                 const std::string& companyfolder, progress* bar, std::string_view azon) {
  recordfile dt;
  if (!dt.open(joinpath(companyfolder, "dt.dat"), year.dtsize)) return;
  readcompanyparameters(state, companyfolder);
  loadabsencecodes(year, state.absencecodes);
  loadstaffgroups(year, state.staffgroups);
  loademploymenttypes(year, state.employmenttypes);
  loademploymentstatuses(year, state.employmentstatuses);
  readgeneralcodes(state, year, companyfolder);
  readworkschedules(state, year, companyfolder);
  readpayitemcodes(state, year, companyfolder);
  walkemployees(state, year, employees, dt, bar, azon);
  if (!year.readsarchive) return;
  recordfile arc;
  if (arc.open(joinpath(companyfolder, "arcdt.dat"), year.dtsize))
    walkemployees(state, year, employees, arc, bar, azon);
}

}  // namespace dosber

#include <string>
#include <vector>

#include "archive/codetables.h"
#include "archive/cp852.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "archive/real48.h"
#include "archive/recordfile.h"
#include "table/table.h"

namespace dosber {
namespace {

// One employment record as the 44 values of the employee table.
void employeerow(const archivestate& state, const yearinfo& year, const unsigned char* r, std::vector<value>& v) {
  const dtlayout& l = *year.dt;
  auto text = [&](fieldspan s) { return s.offset < 0 ? std::string() : trimmedtext(field(r, s.offset, s.width)); };
  auto raw = [&](int offset, int width) { return rawtext(field(r, offset, width)); };
  auto real = [&](int offset) { return offset < 0 ? 0.0 : real48(r + offset); };
  auto date = [&](int offset) { return offset < 0 ? std::string() : archivedate(field(r, offset, 8)); };

  std::string staffgroup = raw(l.staffgroup, 1);
  std::string employmenttype = raw(l.employmenttype, 1);
  std::string birth = birthdateof(l, r);
  std::string alkmin, alkminnev;
  if (l.status.offset >= 0) {
    std::string code = staffgroup + raw(l.status.offset, 2);
    alkmin = archivetext(std::string(field(r, l.staffgroup, 1)) + std::string(field(r, l.status.offset, 2)));
    alkminnev = state.employmentstatuses.value(code);
  }

  v.clear();
  v.emplace_back(archivetext(field(r, 0, 11)));                                           // azon
  v.emplace_back(text(l.name));                                                            // nev
  v.emplace_back(birth);                                                                   // szulido
  v.emplace_back(text(l.birthplace));                                                      // szulhely
  v.emplace_back(state.generalcodes.value("A" + raw(l.orgunit.offset, l.orgunit.width)));  // szerv
  v.emplace_back(state.generalcodes.value("B" + raw(l.job.offset, l.job.width)));          // munkakor
  v.emplace_back(archivetext(field(r, l.staffgroup, 1)));                                  // jogvkod1
  v.emplace_back(state.staffgroups.value(staffgroup));                                     // jogvnev1
  v.emplace_back(archivetext(field(r, l.employmenttype, 1)));                              // jogvkod2
  v.emplace_back(state.employmenttypes.value(employmenttype));                             // jogvnev2
  v.emplace_back(alkmin);                                                                  // alkmin
  v.emplace_back(alkminnev);                                                               // alkminnev
  v.emplace_back(state.wageforms.value(raw(l.wageform, 1)));                               // berforma
  v.emplace_back(real(l.monthlywage));                                                     // haviber
  v.emplace_back(real(l.hourlywage));                                                      // oraber
  v.emplace_back(real(l.dailyhours));                                                      // ridon
  v.emplace_back(real(l.monthlyhours));                                                    // ridoh
  v.emplace_back(state.workschedules.value(raw(l.schedule, 1)));                           // mrend
  v.emplace_back(text(l.maidenname));                                                      // lanynev
  v.emplace_back(text(l.mothername));                                                      // anyanev
  v.emplace_back(archivetext(field(r, l.feor.offset, l.feor.width)));                      // feor
  v.emplace_back(date(l.entrydate));                                                       // bdatum
  v.emplace_back(date(l.exitdate));                                                        // kdatum
  v.emplace_back(std::string());                                                           // taj
  v.emplace_back(std::string());                                                           // adoazon
  v.emplace_back(date(l.mnypstart));                                                       // mnypkezd
  v.emplace_back(date(l.mnypend));                                                         // mnypbef
  v.emplace_back(0.0);                                                                     // maxnyjalap
  v.emplace_back(0.0);                                                                     // lenyjalap
  v.emplace_back(0.0);                                                                     // ignyjalap
  v.emplace_back(int32_t(0));                                                              // nyjtavnap
  for (int m = 0; m < 12; ++m) v.emplace_back(year.eho < 0 ? 0.0 : real(year.eho + 6 * m));  // eho1..12
  v.emplace_back(std::string());                                                           // archiv
}

void walkemployees(archivestate& state, const yearinfo& year, memtable& employees, recordfile& file,
                   progress* bar, std::string_view azon) {
  startprogress(bar, static_cast<int>(file.count()));
  file.skipheader();
  employees.reserve(file.count());
  const dtlayout& l = *year.dt;
  std::vector<value> row;
  row.reserve(44);
  file.walk([&](const unsigned char* r, size_t number) {
    if (bar) bar->setposition(static_cast<int>(number));
    if (!present(r)) return;
    if (!azon.empty() && archivetext(field(r, 0, 11)) != azon) return;
    registeremploymentline(state, rawtext(field(r, 0, 11)), rawtext(field(r, l.entrydate, 8)),
                           rawtext(field(r, l.staffgroup, 1)), rawtext(field(r, l.employmenttype, 1)),
                           rawtext(field(r, l.exitdate, 8)));
    employeerow(state, year, r, row);
    employees.appendfrom(row);
  });
  employees.first();
  file.close();
  if (bar) bar->setposition(0);
}

}  // namespace

std::string birthdateof(const dtlayout& l, const unsigned char* r) {
  return l.birthdate < 0 ? archivedate("19" + std::string(field(r, 1, 6))) : archivedate(field(r, l.birthdate, 8));
}

void registeremploymentline(archivestate& state, const std::string& azon, const std::string& entry,
                            const std::string& jogvkod1, const std::string& jogvkod2,
                            const std::string& exit) {
  state.employmentlines.add(azon + "=" + entry + ";" + jogvkod1 + ";" + jogvkod2 + ";" + exit);
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

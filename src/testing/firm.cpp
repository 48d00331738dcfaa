// A firm of the size of a real one, for the benchmarks: a company "ceg" of
// 20,000 employment records (18,000 persons, 2,000 of them with two
// employments in the year), every month of every employment in karton.dat, a
// correction record of each employment and the December one of every fifth
// in kikarton.dat, absences of every third, and the company's code files. In
// 2005 that is dt.dat 26 MB, karton.dat 238 MB and kikarton.dat 26 MB. The
// same persons stand in every year, each year in its own layout.
#include "testing/firm.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/paths.h"
#include "testing/archivewriter.h"

namespace dosber::testing {
namespace {

const char* surnames[] = {"Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Varga", "Kiss", "Molnár", "Németh",
                          "Farkas", "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros", "Oláh", "Simon",
                          "Rácz", "Fekete", "Szűcs", "Ábrahám", "Öveges", "Ürögi", "Szekovics", "Érsek", "Csonka"};
const char* givennames[] = {"Anna", "Ágnes", "Éva", "Zsuzsanna", "Erzsébet", "Ildikó", "Gábor", "László", "István",
                            "Ödön", "Győző", "Árpád", "Tünde", "Ernő", "Júlia", "Lőrinc", "Csaba", "Dóra"};
const char* places[] = {"Budapest", "Győr", "Pécs", "Debrecen", "Szeged", "Miskolc", "Kecskemét", "Székesfehérvár"};

constexpr int persons = 18000, twice = 2000;  // the last `twice` persons have two employments

std::string twodigits(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n % 100);
  return b;
}

// The employments of the year: one a person, two of the last ones (January to
// June and July to December).
std::vector<employee> employments(const yearinfo& year) {
  int fullyear = std::stoi(year.yeartext);
  std::string y(year.yeartext);
  std::vector<employee> out;
  out.reserve(persons + twice);
  for (int p = 0; p < persons; ++p) {
    employee e;
    int by = 40 + p % 45, bm = 1 + p % 12, bd = 1 + (p * 7) % 28;
    char serial[8];
    std::snprintf(serial, sizeof serial, "%04d", p % 10000);
    e.azon = std::string(1, static_cast<char>('1' + p / 10000)) + twodigits(by) + twodigits(bm) + twodigits(bd) +
             serial;
    e.birthdate = "19" + twodigits(by) + twodigits(bm) + twodigits(bd);
    e.nev = std::string(surnames[p % 27]) + " " + givennames[(p / 27) % 18];
    if (p % 3) e.nev += std::string(" ") + givennames[(p / 7) % 18];
    e.birthplace = places[p % 8];
    e.mothername = std::string(surnames[(p + 5) % 27]) + " " + givennames[(p + 3) % 18];
    if (p % 2) e.maidenname = std::string(surnames[(p + 11) % 27]) + " " + givennames[(p / 27) % 18];
    e.orgunit = std::to_string(1000 + p % 40);
    e.job = std::to_string(2000 + p % 200);
    e.staffgroup = static_cast<char>('1' + p % 3);
    e.employmenttype = static_cast<char>('1' + p % 2);
    e.status = p % 4 == 3 ? "41" : "20";
    e.wageform = static_cast<char>('1' + p % 5);
    e.monthlywage = (fullyear - 1980) * 2500.0 + (p % 400) * 250;
    e.hourlywage = p % 5 == 2 ? (fullyear - 1980) * 14.25 + p % 50 : 0;
    e.dailyhours = p % 6 == 5 ? 4 : 8;
    e.monthlyhours = e.dailyhours * 21.75;
    e.schedule = "AB"[p % 2];
    e.feor = year.dt->feor.width == 8 ? "3611" + twodigits(p) + "00" : std::to_string(3000 + p % 1000);
    e.entry = std::to_string(fullyear - 1 - p % 9) + twodigits(1 + p % 12) + "01";
    e.exit = p % 20 == 1 ? y + "1130" : "        ";
    if (year.dt->mnypstart >= 0 && p % 3 == 0) e.mnypstart = "19980101";
    e.byte8f = p % 4 == 1;
    if (year.eho >= 0)
      for (int m = 0; m < 12; ++m) e.eho[m] = 1450 + 50 * m + p % 100;
    if (p < persons - twice) {
      out.push_back(e);
      continue;
    }
    e.entry = y + "0101";
    e.exit = y + "0630";
    out.push_back(e);
    e.entry = y + "0701";
    e.exit = "        ";
    e.staffgroup = '2';
    e.monthlywage /= 2;
    out.push_back(e);
  }
  return out;
}

// The months of the year an employment is paid for.
std::pair<int, int> months(const employee& e, const std::string& y) {
  int first = e.entry.compare(0, 4, y) == 0 ? std::stoi(e.entry.substr(4, 2)) : 1;
  int last = e.exit.compare(0, 4, y) == 0 ? std::stoi(e.exit.substr(4, 2)) : 12;
  return {first, last};
}

}  // namespace

wagerecord monthwages(const yearinfo& year, const employee& e, int m, int k) {
  std::string yy(year.yeartext + 2);
  wagerecord w(year, e.azon, yy + twodigits(m), e.staffgroup, e.entry, e.employmenttype);
  double gross = e.monthlywage + (m == 12 ? e.monthlywage / 2 : 0);
  w.item(1, 21 + (m % 3)).item(2, 20 + (m % 2)).item(9, 8).item(10, e.monthlyhours);
  if (m % 4 == 0) w.item(3, 2);
  if (m == 8) w.item(7, 3);
  w.item(13, gross).item(21, gross * 0.7).item(16, gross * 0.3);
  w.item(19, gross * 0.01).item(30, gross * 0.06).item(26, gross * 0.2);
  w.item(37, gross).item(41, gross).item(22, gross);
  if (e.staffgroup == '1') w.allowance(1, 1000 + 100 * (k % 5));
  if (k % 3 == 0) w.allowance(2, 500);
  w.freeentry(0, "101", e.monthlywage);
  if (m % 2) w.freeentry(1, "201", 1500);
  if (m == 5) w.freeentry(2, "805", 120);
  if (m == 6) w.freeentry(2, "906", 80);
  if (m == 11) w.freeentry(3, "809", 2500);
  if (m == 12) w.freeentry(3, "909", 1200);
  return w;
}

std::string writefirm(const std::string& root, const yearinfo& year) {
  std::string y(year.yeartext), yy(year.yeartext + 2);
  std::string yearfolder = joinpath(root, "ber" + yy), folder = joinpath(yearfolder, "ceg");
  writecompanyparameters(folder, "Kalibra Kereskedelmi és Szolgáltató Kft.", "12345678213");
  std::vector<code> codes;
  for (int i = 0; i < 40; ++i) codes.push_back({'A', std::to_string(1000 + i), "Egység " + std::to_string(i)});
  for (int i = 0; i < 200; ++i) codes.push_back({'B', std::to_string(2000 + i), "Munkakör " + std::to_string(i)});
  writegeneralcodes(joinpath(folder, "kod.dat"), year, codes);
  writeworkschedules(joinpath(folder, schedulefilename(year)), year, {{'A', "Általános"}, {'B', "Két műszak"}});
  writeearningcodes(joinpath(folder, "jarkod.dat"), year, {{"101", "Havi alapbér"}, {"105", "Műszakpótlék"}});
  writedeductioncodes(joinpath(folder, "levkod.dat"), {{"201", "Letiltás"}, {"210", "Szakszervezet"}});
  writewageparameters(joinpath(yearfolder, wageparameterfilename(year)), year,
                      {{"Családi", true}, {"Adójóváír.", false}, {"Nyugdíjas", false}});

  std::vector<employee> list = employments(year);
  writeemployees(joinpath(folder, "dt.dat"), year, list);

  listwriter karton(joinpath(folder, "karton.dat"), year.kartonsize);
  for (int m = 1; m <= 12; ++m)
    for (size_t k = 0; k < list.size(); ++k) {
      auto [first, last] = months(list[k], y);
      if (m >= first && m <= last) karton.add(monthwages(year, list[k], m, static_cast<int>(k)).data());
    }
  karton.close();

  listwriter kikarton(joinpath(folder, "kikarton.dat"), year.kartonsize);
  for (size_t k = 0; k < list.size(); ++k) {
    const employee& e = list[k];
    auto [first, last] = months(e, y);
    wagerecord fix(year, e.azon, yy + twodigits(first), e.staffgroup, e.entry, e.employmenttype);
    fix.item(13, 2000).item(1, 1).freeentry(0, "105", 2000);
    kikarton.add(fix.data());
    if (k % 5 == 0 && last == 12)
      kikarton.add(monthwages(year, e, 12, static_cast<int>(k)).freeentry(4, "110", 500).data());
  }
  kikarton.close();

  bool onechar = year.kinap.codewidth == 1;
  std::vector<absence> absences;
  for (size_t k = 0; k < list.size(); k += 3) {
    absences.push_back({list[k].azon, onechar ? "5" : "11", y + "0210", y + "0216"});
    if (k % 2) absences.push_back({list[k].azon, onechar ? "9" : "09", y + "0801", y + "0814"});
  }
  writeabsences(joinpath(folder, "kinap.dat"), year, absences);
  return folder;
}

}  // namespace dosber::testing


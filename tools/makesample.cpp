// Writes the sample archive: fourteen years, a few companies each, with
// Hungarian names, several employments of one person, archived employments
// from 1999, auxiliary files in the company folder or only in the year
// folder, and some upper-case file names.
#include <cstdio>
#include <string>
#include <vector>

#include "base/paths.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "testing/firm.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* surnames[] = {"Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Varga", "Kiss", "Molnár",
                          "Németh", "Farkas", "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros",
                          "Oláh", "Simon", "Rácz", "Fekete", "Szűcs", "Ábrahám", "Öveges", "Ürögi", "Szekovics"};
const char* givennames[] = {"Anna", "Ágnes", "Éva", "Zsuzsanna", "Erzsébet", "Ildikó", "Gábor", "László",
                            "István", "Ödön", "Győző", "Árpád", "Tünde", "Ernő", "Júlia", "Lőrinc"};
const char* places[] = {"Budapest", "Győr", "Pécs", "Debrecen", "Szeged", "Miskolc", "Kecskemét", "Székesfehérvár"};

struct company {
  const char* folder;
  const char* name;
  const char* taxnumber;
  int people;
  bool ownauxfiles;  // mrend, jarkod, levkod in the company folder
  bool uppercase;    // upper-case file names
};

const company companies[] = {
    {"kalibra", "Kalibra Kereskedelmi Bt.", "12345678213", 24, true, false},
    {"Epito", "Építő és Szerelő Kft.", "87654321142", 16, false, true},
    {"arpad", "Árpád Mezőgazdasági Szövetkezet", "   ", 10, true, false},
};

std::string twodigits(int n) {
  char b[8];
  std::snprintf(b, sizeof b, "%02d", n);
  return b;
}

std::string fileof(const company& c, const char* name) {
  if (!c.uppercase) return name;
  std::string up = name;
  for (char& ch : up) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return up;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  std::string root = argv[1];
  for (const yearinfo& year : years()) {
    int fullyear = std::stoi(year.yeartext);
    std::string yearfolder = joinpath(root, "ber" + std::string(year.yeartext + 2));
    // Year-wide files: the work schedules and pay codes of companies that have none of their own.
    writeworkschedules(joinpath(yearfolder, schedulefilename(year)), year,
                       {{'A', "Általános"}, {'B', "Két műszak"}, {'C', "Három műsz."}});
    writeearningcodes(joinpath(yearfolder, "jarkod.dat"), year,
                      {{"101", "Alapbér"}, {"102", "Túlóra"}, {"110", "Prémium"}, {"120", "Jutalom"}});
    writedeductioncodes(joinpath(yearfolder, "levkod.dat"), {{"201", "Letiltás"}, {"210", "Szakszervezet"}});
    std::vector<allowance> allowances = {{"Családi", true}, {"Adójóváír.", false}, {"Nyugdíjas", false},
                                         {"Fogyatékos", true}, {"Egyéb kedv.", false}};
    writewageparameters(joinpath(yearfolder, wageparameterfilename(year)), year, allowances);

    int ci = 0;
    for (const company& c : companies) {
      std::string folder = joinpath(yearfolder, c.folder);
      writecompanyparameters(folder, c.name, c.taxnumber);
      writegeneralcodes(joinpath(folder, fileof(c, "kod.dat")), year,
                        {{'A', "0012", "Központ"},
                         {'A', "0013", "Üzem"},
                         {'A', "0014", "Értékesítés"},
                         {'B', "0034", "Könyvelő"},
                         {'B', "0035", "Gépkezelő"},
                         {'B', "0036", "Bérszámfejtő"},
                         {'B', "0037", "Raktáros"}});
      if (c.ownauxfiles) {
        writeworkschedules(joinpath(folder, fileof(c, schedulefilename(year).c_str())), year,
                           {{'A', "Egy műszak"}, {'B', "Két műszak"}, {'D', "Rész.mun."}});
        writeearningcodes(joinpath(folder, fileof(c, "jarkod.dat")), year,
                          {{"101", "Havi alapbér"}, {"105", "Műszakpótlék"}, {"130", "Étkezési hj."}});
      }
      std::vector<employee> current, archived;
      for (int p = 0; p < c.people; ++p) {
        employee e;
        int who = (p * 7 + ci * 5) % 25;
        e.nev = std::string(surnames[who]) + " " + givennames[(p * 3 + ci) % 16];
        int by = 40 + (p * 13 + ci) % 45, bm = 1 + p % 12, bd = 1 + (p * 5) % 28;
        char sex = p % 2 ? '2' : '1';
        e.azon = std::string(1, sex) + twodigits(by) + twodigits(bm) + twodigits(bd) + twodigits(10 + p) +
                 twodigits(ci * 10 + p % 10);
        e.azon.resize(11, '0');
        e.birthdate = "19" + twodigits(by) + twodigits(bm) + twodigits(bd);
        e.birthplace = places[(p + ci) % 8];
        e.mothername = std::string(surnames[(who + 3) % 25]) + " " + givennames[(p + 5) % 16];
        if (p % 2) e.maidenname = std::string(surnames[(who + 1) % 25]) + " " + givennames[(p * 3 + ci) % 16];
        e.orgunit = "00" + std::to_string(12 + p % 3);
        e.job = "00" + std::to_string(34 + p % 4);
        e.staffgroup = static_cast<char>('1' + p % 3);
        e.employmenttype = static_cast<char>('1' + (p % 5 == 4 ? 2 : p % 2));
        e.status = p % 4 == 3 ? "41" : "20";
        e.wageform = static_cast<char>('1' + p % 5);
        e.monthlywage = (fullyear - 1980) * 2500.0 + p * 1750;
        e.hourlywage = p % 5 == 2 ? (fullyear - 1980) * 14.25 + p : 0;
        e.dailyhours = p % 6 == 5 ? 4 : 8;
        e.monthlyhours = e.dailyhours * 21.75;
        e.schedule = "ABD"[p % 3];
        e.feor = year.dt->feor.width == 8 ? "3611" + twodigits(p) + "00" : std::to_string(3600 + p);
        e.entry = std::to_string(fullyear - p % 9) + twodigits(1 + p % 12) + "01";
        e.exit = p % 5 == 1 ? std::string(year.yeartext) + twodigits(6 + p % 6) + "30" : "        ";
        if (year.dt->mnypstart >= 0 && p % 3 == 0) e.mnypstart = "19980101";
        e.byte8f = (p % 4 == 1);
        if (year.eho >= 0)
          for (int m = 0; m < 12; ++m) e.eho[m] = p % 3 == 1 ? 0 : 1450 + 50 * m + p;
        bool toarchive = year.readsarchive && p % 7 == 6;
        (toarchive ? archived : current).push_back(e);
        // A second employment of the same person in the year.
        if (p % 6 == 0) {
          employee again = e;
          again.entry = std::string(year.yeartext) + "0701";
          again.staffgroup = '2';
          again.employmenttype = '2';
          again.monthlywage = e.monthlywage / 2;
          current.push_back(again);
          e.exit = std::string(year.yeartext) + "0630";
          current[current.size() - 2].exit = e.exit;
        }
      }
      // Wage card files: months 1-9 in karton.dat, 10-12 in kikarton.dat, and
      // a correction of March in kikarton.dat that adds to the same rows.
      std::vector<wagerecord> karton, kikarton;
      std::vector<absence> absences;
      std::vector<employee> all = current;
      all.insert(all.end(), archived.begin(), archived.end());
      int k = 0;
      for (const employee& e : all) {
        ++k;
        std::string yy(year.yeartext + 2);
        bool second = e.staffgroup == '2' && e.entry.substr(4) == "0701";
        int firstmonth = second ? 7 : 1, lastmonth = (!second && e.exit.substr(0, 4) == year.yeartext) ? 6 : 12;
        for (int m = firstmonth; m <= lastmonth; ++m) {
          (m <= 9 ? karton : kikarton).push_back(monthwages(year, e, m, k));
        }
        if (firstmonth <= 3 && 3 <= lastmonth && k % 4 == 0) {
          wagerecord fix(year, e.azon, yy + "03", e.staffgroup, e.entry, e.employmenttype);
          fix.item(13, 2000).item(1, 1);
          kikarton.push_back(fix);
        }
        if (k % 3 == 1) {
          bool onechar = year.kinap.codewidth == 1;
          absences.push_back({e.azon, onechar ? "5" : "11", std::string(year.yeartext) + "0210",
                              std::string(year.yeartext) + "0216"});
          if (k % 2) absences.push_back({e.azon, onechar ? "9" : "09", std::string(year.yeartext) + "0801",
                                         std::string(year.yeartext) + "0814"});
        }
      }
      writewages(joinpath(folder, fileof(c, "karton.dat")), year, karton);
      writewages(joinpath(folder, fileof(c, "kikarton.dat")), year, kikarton);
      writeabsences(joinpath(folder, fileof(c, "kinap.dat")), year, absences);

      // An empty slot of the DOS program.
      employee empty;
      record blank = employeerecord(year, empty);
      blank.data()[4] = 0;
      std::vector<record> records;
      for (auto& e : current) records.push_back(employeerecord(year, e));
      records.insert(records.begin() + records.size() / 2, blank);
      writelist(joinpath(folder, fileof(c, "dt.dat")), year.dtsize, records);
      if (!archived.empty()) writeemployees(joinpath(folder, fileof(c, "arcdt.dat")), year, archived);
      ++ci;
    }
  }
  std::printf("sample archive written to %s\n", root.c_str());
  return 0;
}

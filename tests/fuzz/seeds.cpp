// Seed corpora of the fuzz harnesses, written by the test archive writer.
#include <cstdio>
#include <filesystem>

#include "base/paths.h"
#include "archive/yearlayouts.h"
#include "table/employeetable.h"
#include "testing/archivewriter.h"
#include "fuzzinput.h"

using namespace dosber;
using namespace dosber::testing;
using namespace dosber::fuzzing;

namespace {
void seed(const std::string& dir, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(dir);
  put(joinpath(dir, name), bytes);
}

// Card data in the order the card layout harness reads it: one employment
// of a person with a second one in the list, months of items of several
// classes, absences. Wide gives the texts and amounts at their limits.
std::string cardseed(bool wide) {
  std::string w;
  for (int i = 0; i < 300; ++i) w += i % 2 ? "Ő" : "W";
  double most = wide ? 999999999.99 : 0;
  fieldwriter f;
  f.text("1998").text(wide ? w : "Kalibra Bt.").text("12345678213");
  for (const employeefield& e : employeefields) {
    std::string name = e.name;
    if (e.type == fieldtype::integer) {
      f.number(0);
    } else if (e.type == fieldtype::floating) {
      f.amount(wide ? -most : 1234.5);
    } else if (name == "azon") {
      f.text("15607231234");
    } else if (name == "bdatum" || name == "szulido") {
      f.text("1995.01.01");
    } else if (name == "jogvkod1" || name == "jogvkod2") {
      f.text("1");
    } else {
      f.text(wide ? w.substr(0, static_cast<size_t>(e.size)) : "Kovács Anna");
    }
  }
  f.number(2).text("1").text("M.viszony").text("2").text("Tagi jogv.");
  f.number(1).text("1").text("Főjogvisz.");
  f.number(2).text("101").text(wide ? w.substr(0, 15) : "Alapbér").text("201").text("Letiltás");
  f.number(2);
  f.number(1).text("19950101").text("1").text("1").text("        ");
  f.number(1).text("19980701").text("2").text("2").text("19981231");
  f.text("1998.07.01").text("");
  f.number(wide ? 60 : 6);
  const char* classes[][2] = {{"1", "001"}, {"2", "010"}, {"3", "101"}, {"4", "201"}, {"5", "019"}, {"6", "013"}};
  for (int i = 0; i < (wide ? 240 : 24); ++i) {
    char evho[8];
    std::snprintf(evho, sizeof evho, "98%02d", i % 12 + 1);
    f.number(1).text("1").number(i % 3 == 2 ? 1 : 0).text(evho).text(classes[i % 6][0]).text(classes[i % 6][1]);
    f.amount(wide ? (i % 2 ? most : -most) : 1000 + i);
  }
  f.number(wide ? 80 : 2);
  for (int i = 0; i < (wide ? 80 : 2); ++i) f.number(1).text("11").text("Táppénz").text("1998.03.10").text("1998.03.15");
  return f.out;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string out = argv[1];
  std::string tmp = joinpath(scratch(), "seeds");
  for (size_t i = 0; i < years().size(); ++i) {
    const yearinfo& y = years()[i];
    reset(tmp);
    employee a, b;
    b.azon = "26001011111";
    b.nev = "Ábel Ágnes";
    b.byte8f = true;
    writeemployees(joinpath(tmp, "dt"), y, {a, b});
    writegeneralcodes(joinpath(tmp, "kod"), y, {{'A', "0012", "Központ"}, {'B', "0034", "Könyvelő"}});
    writeworkschedules(joinpath(tmp, "mrend"), y, {{'A', "Általános"}});
    writeearningcodes(joinpath(tmp, "jarkod"), y, {{"101", "Alapbér"}});
    writedeductioncodes(joinpath(tmp, "levkod"), {{"201", "Letiltás"}});
    writewageparameters(joinpath(tmp, "ber"), y, {{"Családi", true}, {"Egyéb"}});
    writecompanyparameters(tmp, "Kalibra Bt.", "12345678213");
    unpacked company;
    company.year = static_cast<int>(i);
    company.files = {{0, readfile(joinpath(tmp, "mber.par"))}, {1, readfile(joinpath(tmp, "dt"))},
                     {2, readfile(joinpath(tmp, "dt"))},        {3, readfile(joinpath(tmp, "kod"))},
                     {4, readfile(joinpath(tmp, "mrend"))},     {6, readfile(joinpath(tmp, "jarkod"))},
                     {7, readfile(joinpath(tmp, "levkod"))},    {8, readfile(joinpath(tmp, "ber"))}};
    seed(joinpath(out, "companyload"), "year" + std::to_string(i), pack(company));

    writeabsences(joinpath(tmp, "kinap"), y, {{a.azon, "11", "19950301", "19950315"}});
    writewages(joinpath(tmp, "karton"), y,
               {wagerecord(y, a.azon, "9501").item(1, 21).item(13, 1000).allowance(1, 50).freeentry(0, "805", 10).freeentry(
                    1, "909", 5)});
    unpacked card;
    card.year = static_cast<int>(i);
    card.files = {{0, readfile(joinpath(tmp, "kinap"))},
                  {1, readfile(joinpath(tmp, "karton"))},
                  {2, readfile(joinpath(tmp, "karton"))},
                  {3, readfile(joinpath(tmp, "ber"))}};
    seed(joinpath(out, "cardload"), "year" + std::to_string(i), pack(card));
  }
  seed(joinpath(out, "cardlayout"), "plain", cardseed(false));
  seed(joinpath(out, "cardlayout"), "wide", cardseed(true));

  // An archive of three year folders, a company each, Kiss Anna in two.
  unpacked tree;
  tree.year = 6;
  for (int slot = 0; slot < 3; ++slot) {
    const yearinfo& y = years()[searchyear(tree.year, slot)];
    reset(tmp);
    employee a, b;
    b.azon = "26001011111";
    b.nev = slot == 1 ? "Kovács Béla" : "Kiss Anna";
    writeemployees(joinpath(tmp, "dt"), y, {a, b});
    writecompanyparameters(tmp, "Kalibra Bt.", "12345678213");
    int company = 9 * slot + 3 * slot;
    tree.files[company] = readfile(joinpath(tmp, "mber.par"));
    tree.files[company + 1] = readfile(joinpath(tmp, "dt"));
    if (y.readsarchive) tree.files[company + 2] = readfile(joinpath(tmp, "dt"));
  }
  tree.files[36] = "kiss\n\n";
  seed(joinpath(out, "search"), "name", pack(tree));
  tree.files[36] = "\n1956.07.23\n15607231234";
  seed(joinpath(out, "search"), "born", pack(tree));

  seed(joinpath(out, "companyparameters"), "plain", readfile(joinpath(tmp, "mber.par")));
  seed(joinpath(out, "companyparameters"), "short", "1\r2\n3\r\n4");
  seed(joinpath(out, "settings"), "plain", "[exepar]\nbér könyvtár=d:\\arch\nfelhasználói pdf=0\n[más]\nx=y\n");
  seed(joinpath(out, "settings"), "crlf", "; megjegyzés\r\n[EXEPAR]\r\nfelhasználói pdf=1\r\n");
  reset(tmp);
  std::filesystem::remove_all(scratch());
  std::printf("seeds written to %s\n", out.c_str());
  return 0;
}

// Seed corpora of the fuzz harnesses, written by the test archive writer.
#include <cstdio>
#include <filesystem>

#include "base/paths.h"
#include "archive/yearlayouts.h"
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
  seed(joinpath(out, "companyparameters"), "plain", readfile(joinpath(tmp, "mber.par")));
  seed(joinpath(out, "companyparameters"), "short", "1\r2\n3\r\n4");
  seed(joinpath(out, "settings"), "plain", "[exepar]\nbér könyvtár=d:\\arch\nfelhasználói pdf=0\n[más]\nx=y\n");
  seed(joinpath(out, "settings"), "crlf", "; megjegyzés\r\n[EXEPAR]\r\nfelhasználói pdf=1\r\n");
  reset(tmp);
  std::filesystem::remove_all(scratch());
  std::printf("seeds written to %s\n", out.c_str());
  return 0;
}

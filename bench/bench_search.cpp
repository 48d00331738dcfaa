// The whole-archive search over 14 years x 20 companies x 500 employment
// records, and the cards of a company of 500 employments.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "archive/cardindex.h"
#include "base/paths.h"
#include "archive/search.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* surnames[] = {"Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Varga", "Kiss", "Molnár", "Németh", "Farkas"};
const char* givennames[] = {"Anna", "Ágnes", "Éva", "Gábor", "László", "István", "Ödön", "Tünde", "Ernő", "Júlia"};

struct archivefixture {
  std::string root;
  archivefixture() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-search-XXXXXX").string();
    root = ::mkdtemp(tmpl.data());
    for (const yearinfo& y : years()) {
      for (int c = 0; c < 20; ++c) {
        std::string folder = joinpath(joinpath(root, "ber" + std::string(y.yeartext + 2)), "ceg" + std::to_string(c));
        writecompanyparameters(folder, "Cég " + std::to_string(c), "12345678213");
        std::vector<employee> list;
        for (int i = 0; i < 500; ++i) {
          employee e;
          int p = c * 500 + i;
          char azon[16];
          std::snprintf(azon, sizeof azon, "1%010d", p);
          e.azon = azon;
          e.nev = std::string(surnames[p % 10]) + " " + givennames[(p / 10) % 10] + " " + std::to_string(p % 97);
          list.push_back(e);
        }
        writeemployees(joinpath(folder, "dt.dat"), y, list);
        if (c == 0 && y.yearnumber == 5) {
          std::vector<wagerecord> wages;
          for (int i = 0; i < 500; ++i)
            for (int m = 1; m <= 12; ++m) {
              char evho[8];
              std::snprintf(evho, sizeof evho, "05%02d", m);
              wages.push_back(wagerecord(y, list[i].azon, evho, '1', list[i].entry)
                                  .item(1, 21).item(13, 200000 + i).item(19, 2000).item(26, 30000).item(30, 17000)
                                  .freeentry(0, "101", 200000));
            }
          writewages(joinpath(folder, "karton.dat"), y, wages);
          writeabsences(joinpath(folder, "kinap.dat"), y, {{list[0].azon, "11", "20050301", "20050305"}});
        }
      }
    }
  }
  ~archivefixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

const archivefixture& data() {
  static archivefixture f;
  return f;
}

void namesearch(benchmark::State& s) {
  const std::string& root = data().root;
  int threads = static_cast<int>(s.range(0));
  size_t found = 0;
  for (auto _ : s) found = findemployments(root, {"kiss ödön", "", ""}, {}, threads).employments.size();
  s.counters["found"] = static_cast<double>(found);
}
BENCHMARK(namesearch)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The cards command for a company of 500 employments, one file each, from
// one pass over its card files.
void companycards(benchmark::State& s) {
  std::string folder = joinpath(joinpath(data().root, "ber05"), "ceg0");
  std::string out = joinpath(data().root, "cards");
  for (auto _ : s) {
    archivestate state;
    memtable table = makeemployeetable();
    loadcompanypath(state, table, folder);
    cardindex index(state);
    for (size_t i = 0; i < table.visiblecount(); ++i) {
      table.moveto(i);
      index.load(state, table);
      layoutwagecard(state, table)->savetofile(joinpath(out, table.text("azon") + "_" + table.text("bdatum") + ".pdf"));
    }
  }
}
BENCHMARK(companycards)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(1);

}  // namespace

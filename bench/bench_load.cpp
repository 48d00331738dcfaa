// Company load: a 2005 company of 20,000 employment records with its
// auxiliary files, written by the test archive writer into a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/paths.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

struct cleanup {
  std::string root;
  ~cleanup() {
    // DOSBER_BENCH_KEEP=1 keeps the fixture, to measure a load's memory with
    // /usr/bin/time -v dosber-cli employees FOLDER.
    std::error_code ec;
    if (!root.empty() && !std::getenv("DOSBER_BENCH_KEEP")) std::filesystem::remove_all(root, ec);
  }
};

std::string makecompany(int records) {
  static cleanup keep;
  std::string& root = keep.root;
  if (!root.empty()) return root;
  std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-XXXXXX").string();
  root = ::mkdtemp(tmpl.data());
  const yearinfo& year = *yearfor(5);
  std::string folder = joinpath(joinpath(root, "ber05"), "ceg");
  writecompanyparameters(folder, "Kalibra Bt.", "12345678213");
  std::vector<code> codes;
  for (int i = 0; i < 40; ++i) {
    codes.push_back({'A', std::to_string(1000 + i), "Egység " + std::to_string(i)});
    codes.push_back({'B', std::to_string(2000 + i), "Munkakör " + std::to_string(i)});
  }
  writegeneralcodes(joinpath(folder, "kod.dat"), year, codes);
  writeworkschedules(joinpath(folder, schedulefilename(year)), year, {{'A', "Általános"}, {'B', "Két műszak"}});
  writeearningcodes(joinpath(folder, "jarkod.dat"), year, {{"101", "Alapbér"}, {"102", "Túlóra"}});
  writedeductioncodes(joinpath(folder, "levkod.dat"), {{"201", "Letiltás"}});
  writewageparameters(joinpath(joinpath(root, "ber05"), wageparameterfilename(year)), year, {{"Családi"}});
  const char* names[] = {"Kovács", "Szabó", "Tóth", "Nagy", "Horváth", "Varga", "Kiss", "Molnár", "Öveges", "Ábel"};
  std::vector<employee> list;
  list.reserve(records);
  for (int i = 0; i < records; ++i) {
    employee e;
    char azon[16];
    std::snprintf(azon, sizeof azon, "1%010d", i);
    e.azon = azon;
    e.nev = std::string(names[i % 10]) + " " + names[(i / 10) % 10] + " " + std::to_string(i);
    e.orgunit = std::to_string(1000 + i % 40);
    e.job = std::to_string(2000 + i % 40);
    e.monthlywage = 100000 + i;
    e.entry = "20050101";
    for (int m = 0; m < 12; ++m) e.eho[m] = 1000 + m;
    list.push_back(e);
  }
  writeemployees(joinpath(folder, "dt.dat"), year, list);
  std::fprintf(stderr, "company load fixture: %s\n", folder.c_str());
  return root;
}

void companyload(benchmark::State& s) {
  std::string root = makecompany(20000);
  std::string folder = joinpath(joinpath(root, "ber05"), "ceg");
  archivestate state;
  memtable table = makeemployeetable();
  for (auto _ : s) {
    loadcompanypath(state, table, folder);
    benchmark::DoNotOptimize(table.visiblecount());
  }
  s.counters["rows"] = static_cast<double>(table.rowcount());
}
BENCHMARK(companyload)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

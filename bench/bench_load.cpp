// The firm of real size (testing/firm.h: a 2005 company of 20,000 employment
// records, karton.dat 238 MB): the company load, the one pass over the card
// files that the cards of the whole company share, and one card from it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/cardindex.h"
#include "archive/yearlayouts.h"
#include "base/memory.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"
#include "testing/firm.h"

using namespace dosber;

namespace {

struct firm {
  std::string root, folder;
  firm() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-firm-XXXXXX").string();
    root = ::mkdtemp(tmpl.data());
    folder = testing::writefirm(root, *yearfor(5));
    std::fprintf(stderr, "firm: %s\n", folder.c_str());
  }
  ~firm() {
    // DOSBER_BENCH_KEEP=1 keeps the firm, to measure a command's memory with
    // /usr/bin/time -v dosber-cli employees FOLDER.
    std::error_code ec;
    if (!std::getenv("DOSBER_BENCH_KEEP")) std::filesystem::remove_all(root, ec);
  }
};

const firm& data() {
  static firm f;
  return f;
}

void companyload(benchmark::State& s) {
  archivestate state;
  memtable table = makeemployeetable();
  for (auto _ : s) {
    loadcompanypath(state, table, data().folder);
    benchmark::DoNotOptimize(table.visiblecount());
  }
  s.counters["rows"] = static_cast<double>(table.rowcount());
}
BENCHMARK(companyload)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The one pass over kinap.dat, karton.dat and kikarton.dat for all cards.
void cardindexpass(benchmark::State& s) {
  archivestate state;
  memtable table = makeemployeetable();
  loadcompanypath(state, table, data().folder);
  for (auto _ : s) {
    cardindex index(state);
    benchmark::DoNotOptimize(&index);
  }
}
BENCHMARK(cardindexpass)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// One card of the cards command: its records from the index, laid out and
// rendered; employees in turn through the company.
void cardfromindex(benchmark::State& s) {
  archivestate state;
  memtable table = makeemployeetable();
  loadcompanypath(state, table, data().folder);
  cardindex index(state);
  size_t i = 0, n = table.visiblecount();
  for (auto _ : s) {
    table.moveto(i++ * 7919 % n);
    index.load(state, table);
    std::unique_ptr<tpdflist> card = layoutwagecard(state, table);
    benchmark::DoNotOptimize(card->render().size());
  }
}
BENCHMARK(cardfromindex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// The heap as the programs set it up.
int main(int argc, char** argv) {
  dosber::usehugepageheap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

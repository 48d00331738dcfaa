// Card reader: a 2005 karton.dat of about 100 MB (8,000 employees x 12
// months) and a kikarton.dat of 10 MB; the card tables of one employee,
// against one plain read of the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/paths.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

std::string azonof(int i) {
  char b[16];
  std::snprintf(b, sizeof b, "1%010d", i);
  return b;
}

constexpr int person = 4321;

// Writes the records of employees 0 .. people-1, month by month; with
// second, also the second employment of one person.
void writewagefile(const std::string& path, const yearinfo& y, int people, int months, bool second = false) {
  std::ofstream out(path, std::ios::binary);
  std::vector<char> header(y.kartonsize, 'H');
  out.write(header.data(), static_cast<std::streamsize>(header.size()));
  for (int p = 0; p < people; ++p) {
    for (int m = 1; m <= months; ++m) {
      char evho[8];
      std::snprintf(evho, sizeof evho, "05%02d", m);
      wagerecord w(y, azonof(p), evho, '1', "20050101");
      w.item(1, 21).item(13, 250000).item(19, 2500).item(26, 40000).item(30, 20000).allowance(1, 1000);
      w.freeentry(0, "101", 200000).freeentry(1, "805", 100);
      const bytes& b = w.data().data();
      out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
  }
  if (!second) return;
  for (int m = 7; m <= 12; ++m) {
    char evho[8];
    std::snprintf(evho, sizeof evho, "05%02d", m);
    wagerecord w(y, azonof(person), evho, '2', "20050701");
    w.item(1, 20).item(13, 90000).item(19, 900).item(26, 14000).item(30, 8000).freeentry(0, "101", 90000);
    const bytes& b = w.data().data();
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }
}

struct fixture {
  std::string root, folder;
  ~fixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  fixture() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-card-XXXXXX").string();
    root = ::mkdtemp(tmpl.data());
    const yearinfo& y = *yearfor(5);
    folder = joinpath(joinpath(root, "ber05"), "ceg");
    writecompanyparameters(folder, "Kalibra Bt.", "12345678213");
    employee e;
    e.azon = azonof(person);
    e.nev = "Kovács Anna";
    e.entry = "20050101";
    e.exit = "20050630";
    employee again = e;
    again.entry = "20050701";
    again.exit = "        ";
    again.staffgroup = '2';
    writeemployees(joinpath(folder, "dt.dat"), y, {e, again});
    writeabsences(joinpath(folder, "kinap.dat"), y, {{e.azon, "11", "20050310", "20050315"}});
    writewagefile(joinpath(folder, "karton.dat"), y, 8000, 12);
    writewagefile(joinpath(folder, "kikarton.dat"), y, 760, 12, true);
    std::fprintf(stderr, "card fixture: %s\n", folder.c_str());
  }
};

const fixture& data() {
  static fixture f;
  return f;
}

void cardreader(benchmark::State& s) {
  archivestate state;
  memtable table = makeemployeetable();
  loadcompanypath(state, table, data().folder);
  table.first();
  for (auto _ : s) {
    loadcarddata(state, table, nullptr);
    benchmark::DoNotOptimize(state.items.rowcount());
  }
  s.counters["itemrows"] = static_cast<double>(state.items.rowcount());
}
BENCHMARK(cardreader)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void plainread(benchmark::State& s) {
  std::vector<char> buffer(1 << 20);
  for (auto _ : s) {
    size_t total = 0;
    for (const char* name : {"karton.dat", "kikarton.dat"}) {
      int fd = ::open(joinpath(data().folder, name).c_str(), O_RDONLY);
      ssize_t n;
      while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += static_cast<size_t>(n);
      ::close(fd);
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(plainread)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The wage card from the click to the saved file, no viewer.
void wagecardtofile(benchmark::State& s) {
  archivestate state;
  memtable table = makeemployeetable();
  loadcompanypath(state, table, data().folder);
  table.first();
  std::string output = joinpath(data().root, "karton.pdf");
  for (auto _ : s) {
    loadcarddata(state, table, nullptr);
    std::unique_ptr<tpdflist> card = layoutwagecard(state, table);
    card->savetofile(output);
    benchmark::DoNotOptimize(card->saved);
  }
}
BENCHMARK(wagecardtofile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

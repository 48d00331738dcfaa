// The earnings summary over fourteen years, each with a company of 20,000
// employment records and wage card files of about 250 MB (about 3.7 GB in
// all), against one plain read of the files the summary reads: each year's
// master file and its two wage card files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/wagelayouts.h"
#include "archive/yearlayouts.h"
#include "base/paths.h"
#include "report/summary.h"
#include "testing/archivewriter.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

constexpr int people = 20000;
constexpr int person = 12345;

std::string azonof(int i) {
  char b[16];
  std::snprintf(b, sizeof b, "1%010d", i);
  return b;
}

// Writes the header and then one copy of the record per person, each with
// its own identifier (and month), in blocks of many records.
void writecopies(const std::string& path, size_t size, const bytes& record, int from, int to, int evho) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::vector<unsigned char> block;
  block.reserve(size * 4096);
  block.insert(block.end(), size, 'H');
  for (int m = from; m <= to; ++m) {
    for (int p = 0; p < people; ++p) {
      size_t at = block.size();
      block.insert(block.end(), record.begin(), record.end());
      std::memcpy(&block[at], azonof(p).data(), 11);
      if (evho >= 0) {
        char month[3];
        std::snprintf(month, sizeof month, "%02d", m);
        std::memcpy(&block[at + evho + 2], month, 2);
      }
      if (block.size() >= size * 4096) {
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
        block.clear();
      }
    }
  }
  out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

struct fixture {
  std::string root;
  std::vector<std::string> files;  // what the summary reads in full
  fixture() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-bench-summary-XXXXXX").string();
    root = ::mkdtemp(tmpl.data());
    for (const yearinfo& y : years()) {
      std::string folder = joinpath(joinpath(root, "ber" + std::string(y.yeartext + 2)), "ceg");
      writecompanyparameters(folder, "Kalibra Bt.", "12345678213");
      std::string entry = std::string(y.yeartext) + "0101";
      employee e;
      e.nev = "Kovács Anna";
      e.entry = entry;
      e.birthdate = "19560723";
      writecopies(joinpath(folder, "dt.dat"), y.dtsize, employeerecord(y, e).data(), 1, 1, -1);
      wagerecord w(y, azonof(0), std::string(y.yeartext + 2) + "01", '1', entry);
      w.item(1, 21).item(2, 20).item(13, 250000).item(37, 250000).item(42, 250000).item(30, 20000);
      w.allowance(1, 1000).freeentry(0, "101", 200000).freeentry(1, "201", 1500);
      int evho = wagelayoutof(y.wage).evho;
      writecopies(joinpath(folder, "karton.dat"), y.kartonsize, w.data().data(), 1, 9, evho);
      writecopies(joinpath(folder, "kikarton.dat"), y.kartonsize, w.data().data(), 10, 12, evho);
      for (const char* name : {"dt.dat", "karton.dat", "kikarton.dat"}) files.push_back(joinpath(folder, name));
    }
    std::uintmax_t total = 0;
    for (const auto& f : files) total += std::filesystem::file_size(f);
    std::fprintf(stderr, "summary fixture: %s, %.2f GB\n", root.c_str(), static_cast<double>(total) / 1e9);
  }
  ~fixture() {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
};

const fixture& data() {
  static fixture f;
  return f;
}

void summary(benchmark::State& s) {
  const fixture& f = data();
  size_t entries = 0;
  for (auto _ : s) {
    earningssummary r = summarize(f.root, azonof(person));
    entries = r.entries.size();
    benchmark::DoNotOptimize(r.years.data());
  }
  s.counters["entries"] = static_cast<double>(entries);
}

void plainread(benchmark::State& s) {
  const fixture& f = data();
  std::vector<char> buffer(1 << 20);
  size_t total = 0;
  for (auto _ : s) {
    total = 0;
    for (const std::string& name : f.files) {
      int fd = ::open(name.c_str(), O_RDONLY);
      ssize_t n;
      while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) total += static_cast<size_t>(n);
      ::close(fd);
    }
    benchmark::DoNotOptimize(total);
  }
  s.counters["GB"] = static_cast<double>(total) / 1e9;
}

// The plain read first: it also brings the files into the page cache. The
// search walks on two threads: wall time and the process's CPU time count.
BENCHMARK(plainread)->Name("summary_plainread")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(summary)->Name("summary_person")->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

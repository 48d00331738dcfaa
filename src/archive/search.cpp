#include "archive/search.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/codetables.h"
#include "archive/cp852.h"
#include "archive/readers.h"
#include "archive/recordfile.h"
#include "archive/yearlayouts.h"
#include "base/collator.h"
#include "base/paths.h"
#include "base/text.h"

namespace dosber {
namespace {

// The form in which names are compared.
std::string namekey(const searchquery& q, std::string_view name) {
  return q.exactaccents ? casefold(name) : foldaccents(name);
}

struct job {
  std::string yearfolder, companyfolder, yeartext;
  const yearinfo* year;  // null: the year folder name gives no valid year
  std::string error;
};

// Reads only the fields of a found employment, from dt.dat and arcdt.dat.
void searchcompany(const std::string& datafolder, const job& j, const searchquery& q, const std::string& foldedname,
                   std::vector<foundemployment>& out) {
  const yearinfo& year = *j.year;
  std::string folder = joinpath(joinpath(datafolder, j.yearfolder), j.companyfolder);
  archivestate names;
  loadstaffgroups(year, names.staffgroups);
  loademploymenttypes(year, names.employmenttypes);
  std::string companyname;
  bool haveparameters = false;
  const dtlayout& l = *year.dt;
  auto walk = [&](const char* file, bool archived) {
    recordfile f;
    if (!f.open(joinpath(folder, file), year.dtsize)) return;
    f.skipheader();
    f.walk([&](const unsigned char* r, size_t) {
      if (!present(r)) return;
      std::string nev = trimmedtext(field(r, l.name.offset, l.name.width));
      if (!q.name.empty() && namekey(q, nev).find(foldedname) == std::string::npos) return;
      std::string azon = archivetext(field(r, 0, 11));
      if (!q.azon.empty() && azon != q.azon) return;
      std::string born = birthdateof(l, r);
      if (!q.born.empty() && born != q.born) return;
      if (!haveparameters) {
        archivestate s;
        readcompanyparameters(s, folder);
        companyname = s.companyname;
        haveparameters = true;
      }
      foundemployment e;
      e.year = j.yeartext;
      e.yearfolder = j.yearfolder;
      e.companyfolder = j.companyfolder;
      e.companyname = companyname;
      e.azon = azon;
      e.nev = nev;
      e.szulido = born;
      e.bdatum = archivedate(field(r, l.entrydate, 8));
      e.kdatum = archivedate(field(r, l.exitdate, 8));
      e.jogvnev1 = names.staffgroups.value(rawtext(field(r, l.staffgroup, 1)));
      e.jogvnev2 = names.employmenttypes.value(rawtext(field(r, l.employmenttype, 1)));
      e.archived = archived;
      out.push_back(std::move(e));
    });
  };
  walk("dt.dat", false);
  if (year.readsarchive) walk("arcdt.dat", true);
}

}  // namespace

std::string unreadabledate(const std::string& text) {
  return "A születési idő nem értelmezhető: \"" + text + "\" (például 1961.01.05, 1961-01-05, 1961.1.5 vagy 19610105)";
}

searchresult findemployments(const std::string& datafolder, const searchquery& query,
                             const searchcallbacks& callbacks, int threads) {
  searchresult result;
  if (query.name.empty() && query.born.empty() && query.azon.empty()) return result;
  std::string foldedname = namekey(query, query.name);

  std::vector<job> jobs;
  for (const std::string& yf : yearfolders(datafolder)) {
    std::string path = joinpath(datafolder, yf);
    try {
      int number = yearnumberof(path);
      const yearinfo* year = yearfor(number);
      if (!year) continue;
      for (const std::string& cf : companyfolders(path)) jobs.push_back({yf, cf, year->yeartext, year, {}});
    } catch (const std::exception& e) {
      result.skipped.push_back({yf, e.what()});
    }
  }

  std::mutex lock;
  std::atomic<size_t> next{0};
  int done = 0;
  auto worker = [&] {
    for (;;) {
      if (callbacks.cancel && callbacks.cancel->load()) return;
      size_t i = next++;
      if (i >= jobs.size()) return;
      std::vector<foundemployment> found;
      std::string error;
      try {
        searchcompany(datafolder, jobs[i], query, foldedname, found);
      } catch (const std::exception& e) {
        error = e.what();
        found.clear();
      }
      std::lock_guard<std::mutex> guard(lock);
      if (!error.empty()) result.skipped.push_back({joinpath(jobs[i].yearfolder, jobs[i].companyfolder), error});
      if (!found.empty() && callbacks.found) callbacks.found(found);
      result.employments.insert(result.employments.end(), std::make_move_iterator(found.begin()),
                                std::make_move_iterator(found.end()));
      ++done;
      if (callbacks.progress) callbacks.progress(done, static_cast<int>(jobs.size()));
    }
  };
  int n = std::max(1, std::min<int>(threads, static_cast<int>(jobs.size())));
  std::vector<std::thread> pool;
  for (int t = 1; t < n; ++t) pool.emplace_back(worker);
  worker();
  for (auto& t : pool) t.join();

  // Year, then company folder, then name in Hungarian order (the grid's),
  // then identifier and entry date.
  struct keyed {
    std::string name;
    size_t index;
  };
  std::vector<keyed> order;
  for (size_t i = 0; i < result.employments.size(); ++i) order.push_back({sortkey(result.employments[i].nev), i});
  std::stable_sort(order.begin(), order.end(), [&](const keyed& a, const keyed& b) {
    const auto &x = result.employments[a.index], &y = result.employments[b.index];
    if (x.year != y.year) return x.year < y.year;
    if (x.companyfolder != y.companyfolder) return casefold(x.companyfolder) < casefold(y.companyfolder);
    if (a.name != b.name) return a.name < b.name;
    if (x.azon != y.azon) return x.azon < y.azon;
    return x.bdatum < y.bdatum;
  });
  std::vector<foundemployment> sorted;
  sorted.reserve(order.size());
  for (const keyed& k : order) sorted.push_back(std::move(result.employments[k.index]));
  result.employments = std::move(sorted);
  std::sort(result.skipped.begin(), result.skipped.end(),
            [](const skippedfolder& a, const skippedfolder& b) { return a.folder < b.folder; });
  return result;
}

}  // namespace dosber

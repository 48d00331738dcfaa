#include <gtest/gtest.h>

#include <atomic>

#include "archive/search.h"
#include "fixtures.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

employee person(const char* nev, const char* azon, const char* entry = "19950101", const char* born = "19560723") {
  employee e;
  e.nev = nev;
  e.azon = azon;
  e.entry = entry;
  e.birthdate = born;
  return e;
}

// Kiss Anna worked in 1995 at two companies and in 2001 (once archived);
// another Kiss Anna was born on another day; a 2003 company is broken.
struct archive {
  tempfolder t;
  archive() {
    const yearinfo &y95 = *yearfor(95), &y01 = *yearfor(1), &y03 = *yearfor(3);
    std::string a = makecompany(t.path(), y95, "Alfa"), b = makecompany(t.path(), y95, "beta");
    writeemployees(joinpath(a, "dt.dat"), y95, {person("Kiss Anna", "25607231234"), person("Nagy Béla", "10101011111")});
    writeemployees(joinpath(b, "DT.DAT"), y95, {person("KISS ANNA", "25607231234", "19950601")});
    std::string c = makecompany(t.path(), y01, "Gamma");
    writeemployees(joinpath(c, "dt.dat"), y01,
                   {person("Kiss Anna", "25607231234", "20010301"), person("Kiss Anna", "27001011234", "20010101", "19700101")});
    writeemployees(joinpath(c, "arcdt.dat"), y01, {person("Kiss Anna", "25607231234", "19990101")});
    std::string d = makecompany(t.path(), y03, "Delta");
    writebytes(joinpath(d, "dt.dat"), bytes(7, 'x'));
    std::string e = makecompany(t.path(), y03, "Epszilon");
    writeemployees(joinpath(e, "dt.dat"), y03, {person("Szekér Kissné", "25607231234", "20030101")});
  }
};

std::vector<std::string> lines(const searchresult& r) {
  std::vector<std::string> out;
  for (const auto& e : r.employments)
    out.push_back(e.year + " " + e.companyfolder + " " + e.nev + " " + e.bdatum + (e.archived ? " archived" : ""));
  return out;
}

}  // namespace

TEST(search, personInSeveralYearsAndCompanies) {
  archive a;
  searchresult r = findemployments(a.t.path(), {"kiss anna", "", ""});
  EXPECT_EQ(lines(r), (std::vector<std::string>{"1995 Alfa Kiss Anna 1995.01.01", "1995 beta KISS ANNA 1995.06.01",
                                                "2001 Gamma Kiss Anna 1999.01.01 archived",
                                                "2001 Gamma Kiss Anna 2001.03.01", "2001 Gamma Kiss Anna 2001.01.01"}));
  ASSERT_EQ(r.skipped.size(), 1u);
  EXPECT_EQ(r.skipped[0].folder, "ber03/Delta");
  EXPECT_EQ(r.skipped[0].message, "Read past end of file");
  const auto& first = r.employments[0];
  EXPECT_EQ(first.companyname, "Kalibra Bt.");
  EXPECT_EQ(first.szulido, "1956.07.23");
  EXPECT_EQ(first.jogvnev1, "Szellemi");
  EXPECT_EQ(first.jogvnev2, "Telj.mi.");
  EXPECT_EQ(first.yearfolder, "ber95");
}

TEST(search, birthDateAndIdentifierNarrow) {
  archive a;
  EXPECT_EQ(findemployments(a.t.path(), {"kiss anna", "1970.01.01", ""}).employments.size(), 1u);
  searchresult byid = findemployments(a.t.path(), {"", "", "25607231234"});
  EXPECT_EQ(byid.employments.size(), 5u);  // every name of that identifier, Szekér Kissné included
  EXPECT_EQ(findemployments(a.t.path(), {"kiss", "", "27001011234"}).employments.size(), 1u);
  EXPECT_TRUE(findemployments(a.t.path(), {"", "", ""}).employments.empty());
  EXPECT_TRUE(findemployments(a.t.path(), {"kovács", "", ""}).employments.empty());
}

TEST(search, oneThreadFindsTheSameAndCancelStops) {
  archive a;
  EXPECT_EQ(lines(findemployments(a.t.path(), {"anna", "", ""}, {}, 1)),
            lines(findemployments(a.t.path(), {"anna", "", ""}, {}, 2)));
  std::atomic<bool> cancel{true};
  searchcallbacks cb;
  cb.cancel = &cancel;
  EXPECT_TRUE(findemployments(a.t.path(), {"anna", "", ""}, cb).employments.empty());
  int calls = 0, last = 0, total = 0;
  cb.cancel = nullptr;
  cb.progress = [&](int done, int all) {
    ++calls;
    last = done;
    total = all;
  };
  findemployments(a.t.path(), {"anna", "", ""}, cb);
  EXPECT_EQ(calls, 5);
  EXPECT_EQ(last, total);
}

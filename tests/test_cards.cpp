// The cards of a whole company, from one pass over its card files, are the
// cards that the card data of each employee gives one at a time.
#include <gtest/gtest.h>

#include <sstream>
#include <variant>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/cardindex.h"
#include "base/errors.h"
#include "fixtures.h"
#include "report/export.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

std::string carddata(const archivestate& s) {
  std::ostringstream out;
  writecarddatajson(out, s);
  return out.str();
}

// Everything a card's pages draw, as text.
std::string drawn(const tpdflist& doc) {
  std::ostringstream out;
  for (const pdfpage& p : doc.pages()) {
    out << "page " << p.orientation << "\n";
    for (const drawop& op : p.ops) {
      if (auto t = std::get_if<textrun>(&op))
        out << "text " << t->font << " " << t->size << " " << t->x << " " << t->y << " " << t->text << "\n";
      else if (auto r = std::get_if<rectangle>(&op))
        out << "box " << r->x << " " << r->y << " " << r->w << " " << r->h << "\n";
      else if (auto l = std::get_if<rule>(&op))
        out << "rule " << l->x1 << " " << l->y1 << " " << l->x2 << " " << l->y2 << "\n";
    }
  }
  return out.str();
}

// What making the card of the current row gives: the card data and the
// drawn pages, or the failure.
template <class Load>
std::string outcome(archivestate& state, const memtable& table, Load&& load) {
  try {
    load();
    return carddata(state) + drawn(*layoutwagecard(state, table));
  } catch (const std::exception& e) {
    return "failure: " + describe(e);
  }
}

// Every row's card both ways; the outcomes in row order.
std::vector<std::string> expectsamecards(const std::string& folder) {
  std::vector<std::string> outcomes;
  archivestate single, bulk;
  memtable a = makeemployeetable(), b = makeemployeetable();
  EXPECT_TRUE(loadcompanypath(single, a, folder));
  EXPECT_TRUE(loadcompanypath(bulk, b, folder));
  cardindex index(bulk);
  EXPECT_EQ(a.visiblecount(), b.visiblecount());
  for (size_t i = 0; i < a.visiblecount(); ++i) {
    a.moveto(i);
    b.moveto(i);
    std::string one = outcome(single, a, [&] { loadcarddata(single, a, nullptr); });
    std::string all = outcome(bulk, b, [&] { index.load(bulk, b); });
    EXPECT_EQ(one, all) << folder << " row " << i;
    outcomes.push_back(one);
  }
  return outcomes;
}

}  // namespace

TEST(cardindex, sampleCompaniesGiveTheCardsOneByOne) {
  for (const char* company : {"ber93/kalibra", "ber96/Epito", "ber99/kalibra", "ber04/arpad", "ber05/kalibra"}) {
    std::vector<std::string> cards = expectsamecards(std::string(DOSBER_SAMPLE) + "/" + company);
    EXPECT_GT(cards.size(), 9u);
    for (const std::string& c : cards) EXPECT_EQ(c.find("failure"), std::string::npos) << c;
  }
}

TEST(cardindex, failuresComeWithTheCardTheyBelongTo) {
  const yearinfo& y = *yearfor(3);
  struct fault {
    const char* name;
    bool bad;  // Bodnár Béla's wage records hold a free entry that is no number
    bytes kikarton;
    const char* anna;  // the outcome of each card: "" for a card, else the failure
    const char* bela;
  };
  const fault faults[] = {
      {"code that is no number in one person's record", true, {}, "", "'A12' is not a valid integer value"},
      {"wage card file shorter than its header", false, bytes(999, 'x'), "Read past end of file",
       "Read past end of file"},
  };
  for (const fault& f : faults) {
    tempfolder t;
    std::string folder = makecompany(t.path(), y);
    employee a, b;
    a.azon = "15607231234";
    a.nev = "Ábel Anna";
    b.azon = "26001011111";
    b.nev = "Bodnár Béla";
    writeemployees(joinpath(folder, "dt.dat"), y, {a, b});
    std::vector<wagerecord> k = {wagerecord(y, a.azon, "0301", '1', "20030101").item(1, 20).freeentry(0, "101", 5),
                                 wagerecord(y, b.azon, "0301", '1', "20030101").item(1, 21)};
    if (f.bad) k.push_back(wagerecord(y, b.azon, "0302", '1', "20030101").freeentry(0, "A12", 5));
    writewages(joinpath(folder, "karton.dat"), y, k);
    if (!f.kikarton.empty()) writebytes(joinpath(folder, "kikarton.dat"), f.kikarton);
    writeabsences(joinpath(folder, "kinap.dat"), y, {{b.azon, "11", "20030310", "20030312"}});
    SCOPED_TRACE(f.name);
    std::vector<std::string> cards = expectsamecards(folder);
    ASSERT_EQ(cards.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
      std::string expected = i == 0 ? f.anna : f.bela;
      if (expected.empty())
        EXPECT_EQ(cards[i].find("failure"), std::string::npos) << cards[i];
      else
        EXPECT_NE(cards[i].find("failure: " + expected), std::string::npos) << cards[i];
    }
  }
}

// The JSON written as a stream is the document the earlier builder made: the
// builder is kept here as the reference, and both are parsed and compared.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "report/export.h"
#include "table/employeetable.h"

using namespace dosber;
using json = nlohmann::ordered_json;

namespace {

json referencerow(const memtable& t, size_t row) {
  json o;
  for (int f = 0; f < t.fieldcount(); ++f) {
    value v = t.getat(row, f);
    const std::string& name = t.field(f).name;
    if (auto s = std::get_if<std::string>(&v)) o[name] = *s;
    else if (auto i = std::get_if<int32_t>(&v)) o[name] = *i;
    else if (auto d = std::get_if<double>(&v)) o[name] = *d;
    else if (auto b = std::get_if<bool>(&v)) o[name] = *b;
    else o[name] = nullptr;
  }
  return o;
}

json referencerows(const memtable& t) {
  json rows = json::array();
  if (!t.active()) return rows;
  for (size_t i = 0, n = t.visiblecount(); i < n; ++i) rows.push_back(referencerow(t, t.rowat(i)));
  return rows;
}

std::string streamed(const memtable& t) {
  std::ostringstream out;
  writejson(out, t);
  return out.str();
}

}  // namespace

TEST(jsonstream, sampleArchiveGivesTheSameDocuments) {
  for (const char* year : {"ber92", "ber95", "ber97", "ber98", "ber99", "ber02", "ber05"}) {
    for (const char* company : {"kalibra", "Epito", "arpad"}) {
      archivestate state;
      memtable table = makeemployeetable();
      ASSERT_TRUE(loadcompanypath(state, table, std::string(DOSBER_SAMPLE) + "/" + year + "/" + company));
      std::string text = streamed(table);
      EXPECT_EQ(json::parse(text), referencerows(table)) << year << " " << company;
      // Laid out as the builder printed it.
      EXPECT_EQ(text, referencerows(table).dump(2) + "\n") << year << " " << company;

      table.first();
      loadcarddata(state, table, nullptr);
      std::ostringstream card;
      writecarddatajson(card, state);
      json reference;
      reference["absences"] = referencerows(state.absences);
      reference["items"] = referencerows(state.items);
      EXPECT_EQ(json::parse(card.str()), reference) << year << " " << company;
    }
  }
}

TEST(jsonstream, specialValues) {
  memtable t(textunit::chars);
  t.addfield("szoveg", fieldtype::text, 40);
  t.addfield("szam", fieldtype::floating);
  t.addfield("egesz", fieldtype::integer);
  t.addfield("jelzo", fieldtype::boolean);
  t.create();
  struct row {
    const char* text;
    double number;
    int32_t integer;
    bool flag;
  };
  const row rows[] = {
      {"", 0.0, 0, false},
      {"\"idézet\" és \\ per", -1.5, -7, true},
      {"sor\nvég\ttab\r\b\f\x01\x1f", 0.1, 2147483647, false},
      {"ÁÉÍÓÖŐÚÜŰ áéíóöőúüű", 1234567.125, -2147483647, true},
      {"Kovács Anna", 100000.0, 1, false},
      {"kicsi", 1e-7, 0, false},
      {"nagy", 1e20, 0, false},
      {"negatív nulla", -0.0, 0, false},
      {"tört", 2.0 / 3.0, 0, false},
      {"pénz", 123456789012.25, 0, false},
  };
  for (const row& r : rows) t.append({std::string(r.text), r.number, r.integer, r.flag});
  std::string text = streamed(t);
  EXPECT_EQ(json::parse(text), referencerows(t));
  EXPECT_EQ(text, referencerows(t).dump(2) + "\n");
  // Numbers read back as the same doubles, whole ones as floats.
  json back = json::parse(text);
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_TRUE(back[i]["szam"].is_number_float()) << i;
    EXPECT_EQ(back[i]["szam"].get<double>(), t.numberat(t.rowat(i), 1)) << i;
  }
}

TEST(jsonstream, emptyTableAndNoTable) {
  memtable none;
  EXPECT_EQ(streamed(none), "[]\n");
  memtable t(textunit::chars);
  t.addfield("azon", fieldtype::text, 11);
  t.create();
  EXPECT_EQ(streamed(t), "[]\n");
}

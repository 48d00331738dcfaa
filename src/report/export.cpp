#include "report/export.h"

#include <nlohmann/json.hpp>

#include <string>

namespace dosber {
namespace {

using json = nlohmann::ordered_json;

json rowjson(const memtable& t, size_t row) {
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

json rowsjson(const memtable& t) {
  json rows = json::array();
  if (!t.active()) return rows;
  for (size_t i = 0, n = t.visiblecount(); i < n; ++i) rows.push_back(rowjson(t, t.rowat(i)));
  return rows;
}

std::string csvcell(std::string s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

}  // namespace

void writejson(std::ostream& out, const memtable& table) { out << rowsjson(table).dump(2) << "\n"; }

void writecsv(std::ostream& out, const memtable& table) {
  out << "\xEF\xBB\xBF";
  for (int f = 0; f < table.fieldcount(); ++f) out << (f ? ";" : "") << table.field(f).name;
  out << "\r\n";
  if (!table.active()) return;
  for (size_t i = 0, n = table.visiblecount(); i < n; ++i) {
    size_t row = table.rowat(i);
    for (int f = 0; f < table.fieldcount(); ++f)
      out << (f ? ";" : "") << csvcell(valuetext(table.getat(row, f), {}, igennem));
    out << "\r\n";
  }
}

void writegridtext(std::ostream& out, const memtable& t) {
  if (!t.active()) return;
  int fields[] = {t.fieldindex("nev"),    t.fieldindex("szulido"), t.fieldindex("jogvnev1"),
                  t.fieldindex("jogvnev2"), t.fieldindex("bdatum"),  t.fieldindex("kdatum")};
  for (size_t i = 0, n = t.visiblecount(); i < n; ++i) {
    size_t row = t.rowat(i);
    for (int k = 0; k < 6; ++k) out << (k ? "\t" : "") << t.textat(row, fields[k]);
    out << "\n";
  }
}

void writecarddatajson(std::ostream& out, const archivestate& state) {
  json o;
  o["absences"] = rowsjson(state.absences);
  o["items"] = rowsjson(state.items);
  out << o.dump(2) << "\n";
}

void writefoundjson(std::ostream& out, const searchresult& r) {
  json o;
  o["employments"] = json::array();
  for (const auto& e : r.employments)
    o["employments"].push_back({{"year", e.year},
                                {"year_folder", e.yearfolder},
                                {"company_folder", e.companyfolder},
                                {"company_name", e.companyname},
                                {"azon", e.azon},
                                {"nev", e.nev},
                                {"szulido", e.szulido},
                                {"bdatum", e.bdatum},
                                {"kdatum", e.kdatum},
                                {"jogvnev1", e.jogvnev1},
                                {"jogvnev2", e.jogvnev2},
                                {"archived", e.archived}});
  o["skipped"] = json::array();
  for (const auto& s : r.skipped) o["skipped"].push_back({{"folder", s.folder}, {"message", s.message}});
  out << o.dump(2) << "\n";
}

void writefoundtext(std::ostream& out, const searchresult& r) {
  for (const auto& e : r.employments)
    out << e.year << "\t" << e.companyfolder << "\t" << e.companyname << "\t" << e.azon << "\t" << e.nev << "\t"
        << e.szulido << "\t" << e.bdatum << "\t" << e.kdatum << "\t" << e.jogvnev1 << "\t" << e.jogvnev2
        << (e.archived ? "\tarchivált" : "") << "\n";
}

}  // namespace dosber

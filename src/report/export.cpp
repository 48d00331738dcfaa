#include "report/export.h"

#include <algorithm>
#include <string>
#include <vector>

#include "report/jsonwriter.h"

namespace dosber {
namespace {

// Output gathered in a buffer and written in large pieces.
class textout {
 public:
  explicit textout(std::ostream& out) : out_(out) {}
  ~textout() { flush(); }
  std::string& text() { return buffer_; }
  void endline(std::string_view end) {
    buffer_.append(end);
    if (buffer_.size() >= (1 << 16)) flush();
  }
  void flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }

 private:
  std::ostream& out_;
  std::string buffer_;
};

void rowjson(jsonwriter& w, const memtable& t, size_t row, const std::vector<std::string>& keys) {
  w.beginobject();
  for (int f = 0; f < t.fieldcount(); ++f) {
    w.preparedkey(keys[f]);
    switch (t.field(f).type) {
      case fieldtype::text: w.string(t.textview(row, f)); break;
      case fieldtype::integer: w.integer(std::get<int32_t>(t.getat(row, f))); break;
      case fieldtype::floating: w.number(t.numberat(row, f)); break;
      case fieldtype::boolean: w.boolean(std::get<bool>(t.getat(row, f))); break;
    }
  }
  w.endobject();
}

void rowsjson(jsonwriter& w, const memtable& t) {
  std::vector<std::string> keys;
  for (int f = 0; f < t.fieldcount(); ++f) keys.push_back(jsonwriter::quotedkey(t.field(f).name));
  w.beginarray();
  if (t.active())
    for (size_t i = 0, n = t.visiblecount(); i < n; ++i) {
      t.prefetch(i);
      rowjson(w, t, t.rowat(i), keys);
    }
  w.endarray();
}

void csvcell(std::string& out, std::string_view s) {
  if (std::none_of(s.begin(), s.end(), [](char c) { return c == ';' || c == '"' || c == '\r' || c == '\n'; })) {
    out.append(s);
    return;
  }
  out.push_back('"');
  for (char c : s) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

void writejson(std::ostream& out, const memtable& table) {
  jsonwriter w(out);
  rowsjson(w, table);
}

void writecsv(std::ostream& out, const memtable& table) {
  textout o(out);
  std::string& s = o.text();
  s.append("\xEF\xBB\xBF");
  for (int f = 0; f < table.fieldcount(); ++f) {
    if (f) s.push_back(';');
    s.append(table.field(f).name);
  }
  o.endline("\r\n");
  if (!table.active()) return;
  for (size_t i = 0, n = table.visiblecount(); i < n; ++i) {
    table.prefetch(i);
    size_t row = table.rowat(i);
    for (int f = 0; f < table.fieldcount(); ++f) {
      if (f) s.push_back(';');
      // A text's own characters are its value text; other values through the one conversion.
      if (table.field(f).type == fieldtype::text)
        csvcell(s, table.textview(row, f));
      else
        csvcell(s, valuetext(table.getat(row, f), {}, igennem));
    }
    o.endline("\r\n");
  }
}

void writegridtext(std::ostream& out, const memtable& t) {
  if (!t.active()) return;
  int fields[] = {t.fieldindex("nev"),    t.fieldindex("szulido"), t.fieldindex("jogvnev1"),
                  t.fieldindex("jogvnev2"), t.fieldindex("bdatum"),  t.fieldindex("kdatum")};
  textout o(out);
  std::string& s = o.text();
  for (size_t i = 0, n = t.visiblecount(); i < n; ++i) {
    t.prefetch(i);
    size_t row = t.rowat(i);
    for (int k = 0; k < 6; ++k) {
      if (k) s.push_back('\t');
      s.append(t.textview(row, fields[k]));
    }
    o.endline("\n");
  }
}

void writecarddatajson(std::ostream& out, const archivestate& state) {
  jsonwriter w(out);
  w.beginobject();
  w.key("absences");
  rowsjson(w, state.absences);
  w.key("items");
  rowsjson(w, state.items);
  w.endobject();
}

void writefoundjson(std::ostream& out, const searchresult& r) {
  jsonwriter w(out);
  auto member = [&](std::string_view key, std::string_view text) {
    w.key(key);
    w.string(text);
  };
  w.beginobject();
  w.key("employments");
  w.beginarray();
  for (const auto& e : r.employments) {
    w.beginobject();
    member("year", e.year);
    member("year_folder", e.yearfolder);
    member("company_folder", e.companyfolder);
    member("company_name", e.companyname);
    member("azon", e.azon);
    member("nev", e.nev);
    member("szulido", e.szulido);
    member("bdatum", e.bdatum);
    member("kdatum", e.kdatum);
    member("jogvnev1", e.jogvnev1);
    member("jogvnev2", e.jogvnev2);
    w.key("archived");
    w.boolean(e.archived);
    w.endobject();
  }
  w.endarray();
  writeskippedjson(w, r.skipped);
  w.endobject();
}

void writeskippedjson(jsonwriter& w, const std::vector<skippedfolder>& skipped) {
  w.key("skipped");
  w.beginarray();
  for (const skippedfolder& s : skipped) {
    w.beginobject();
    w.key("folder");
    w.string(s.folder);
    w.key("message");
    w.string(s.message);
    w.endobject();
  }
  w.endarray();
}

void writefoundtext(std::ostream& out, const searchresult& r) {
  for (const auto& e : r.employments)
    out << e.year << "\t" << e.companyfolder << "\t" << e.companyname << "\t" << e.azon << "\t" << e.nev << "\t"
        << e.szulido << "\t" << e.bdatum << "\t" << e.kdatum << "\t" << e.jogvnev1 << "\t" << e.jogvnev2
        << (e.archived ? "\tarchivált" : "") << "\n";
}

}  // namespace dosber

#include "testing/archivewriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "archive/cp852.h"
#include "base/paths.h"
#include "base/text.h"

namespace dosber::testing {

std::string tocp852(std::string_view utf8, bool byte8f) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    std::string_view ch = utf8.substr(i, n);
    i += n;
    if (n == 1) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (byte8f && ch == "Á") {
      out.push_back(static_cast<char>(0x8F));
      continue;
    }
    char found = '?';
    for (int b = 0x80; b <= 0xFF; ++b) {
      if (b == 0x8F) continue;  // reads as "Á", not as its own letter
      if (rawtext(std::string(1, static_cast<char>(b))) == ch) {
        found = static_cast<char>(b);
        break;
      }
    }
    out.push_back(found);
  }
  return out;
}

void putreal48(unsigned char* p, double v) {
  std::memset(p, 0, 6);
  if (v == 0) return;
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  uint64_t fraction = bits & ((uint64_t(1) << 52) - 1);
  // Round the 52-bit fraction to 39 bits.
  uint64_t f39 = (fraction + (uint64_t(1) << 12)) >> 13;
  if (f39 >> 39) {
    f39 = 0;
    ++exponent;
  }
  int e = exponent - 894;
  if (e <= 0 || e > 255) throw std::range_error("value outside the 6-byte real range");
  p[0] = static_cast<unsigned char>(e);
  for (int i = 1; i <= 5; ++i) p[i] = static_cast<unsigned char>((f39 >> (8 * (i - 1))) & 0xFF);
  if (bits >> 63) p[5] |= 0x80;
}

record& record::raw(int offset, std::string_view data) {
  if (offset < 0) return *this;
  for (size_t i = 0; i < data.size() && offset + i < b_.size(); ++i)
    b_[offset + i] = static_cast<unsigned char>(data[i]);
  return *this;
}

record& record::text(int offset, int width, std::string_view utf8, bool byte8f) {
  if (offset < 0) return *this;
  std::string b = tocp852(utf8, byte8f);
  b.resize(static_cast<size_t>(width), ' ');
  return raw(offset, b);
}

record& record::byte(int offset, unsigned char c) {
  if (offset >= 0) b_.at(offset) = c;
  return *this;
}

record& record::int16(int offset, int v) {
  b_.at(offset) = static_cast<unsigned char>(v & 0xFF);
  b_.at(offset + 1) = static_cast<unsigned char>((v >> 8) & 0xFF);
  return *this;
}

record& record::real(int offset, double v) {
  if (offset >= 0) putreal48(&b_.at(offset + 5) - 5, v);
  return *this;
}

void writebytes(const std::string& path, const bytes& data) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void writetext(const std::string& path, std::string_view text) {
  writebytes(path, bytes(text.begin(), text.end()));
}

void writelist(const std::string& path, size_t recordsize, const std::vector<record>& records) {
  listwriter out(path, recordsize);
  for (const auto& r : records) out.add(r);
  out.close();
}

listwriter::listwriter(const std::string& path, size_t recordsize) : path_(path), recordsize_(recordsize) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) throw std::runtime_error("cannot write " + path);
  buffer_.assign(recordsize, 'H');
}

listwriter::~listwriter() {
  if (file_) std::fclose(file_);
}

void listwriter::add(const record& r) {
  const bytes& b = r.data();
  size_t n = std::min(b.size(), recordsize_);
  buffer_.insert(buffer_.end(), b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n));
  buffer_.resize(buffer_.size() + (recordsize_ - n), ' ');
  if (buffer_.size() >= (1 << 20)) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
      throw std::runtime_error("cannot write " + path_);
    buffer_.clear();
  }
}

void listwriter::close() {
  if (!file_) return;
  bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
  ok &= std::fclose(file_) == 0;
  file_ = nullptr;
  buffer_.clear();
  if (!ok) throw std::runtime_error("cannot write " + path_);
}

record employeerecord(const yearinfo& year, const employee& e) {
  const dtlayout& l = *year.dt;
  record r(year.dtsize);
  r.raw(0, e.azon.substr(0, 11));
  r.text(l.name.offset, l.name.width, e.nev, e.byte8f);
  r.text(l.orgunit.offset, l.orgunit.width, e.orgunit);
  r.text(l.job.offset, l.job.width, e.job);
  r.byte(l.staffgroup, e.staffgroup).byte(l.employmenttype, e.employmenttype);
  if (l.status.offset >= 0) r.raw(l.status.offset, e.status.substr(0, 2));
  r.byte(l.wageform, e.wageform);
  r.real(l.monthlywage, e.monthlywage).real(l.hourlywage, e.hourlywage);
  r.real(l.dailyhours, e.dailyhours).real(l.monthlyhours, e.monthlyhours);
  r.byte(l.schedule, e.schedule);
  r.text(l.maidenname.offset, l.maidenname.width, e.maidenname, e.byte8f);
  r.text(l.mothername.offset, l.mothername.width, e.mothername, e.byte8f);
  if (l.birthdate >= 0) r.date(l.birthdate, e.birthdate);
  r.text(l.birthplace.offset, l.birthplace.width, e.birthplace, e.byte8f);
  r.text(l.feor.offset, l.feor.width, e.feor);
  r.date(l.entrydate, e.entry).date(l.exitdate, e.exit);
  if (l.mnypstart >= 0) r.date(l.mnypstart, e.mnypstart).date(l.mnypend, e.mnypend);
  if (year.eho >= 0)
    for (int m = 0; m < 12; ++m) r.real(year.eho + 6 * m, e.eho[m]);
  return r;
}

void writeemployees(const std::string& path, const yearinfo& year, const std::vector<employee>& list) {
  std::vector<record> records;
  records.reserve(list.size());
  for (const auto& e : list) records.push_back(employeerecord(year, e));
  writelist(path, year.dtsize, records);
}

void writecompanyparameters(const std::string& folder, std::string_view name, std::string_view taxnumber) {
  std::string text = "KALIBRA\r\n1\r\n2\r\n3\r\n  " + tocp852(name) + "  \r\n6\r\n" + tocp852(taxnumber) + "\r\n8\r\n";
  writetext(joinpath(folder, "mber.par"), text);
}

void writegeneralcodes(const std::string& path, const yearinfo& year, const std::vector<code>& codes) {
  std::vector<record> records;
  for (const auto& c : codes) {
    record r(year.kodsize);
    r.byte(0, static_cast<unsigned char>(c.kind));
    r.text(1, year.kodcodewidth, c.code);
    r.text(year.kodnameoffset, year.kodnamewidth, c.name);
    records.push_back(r);
  }
  writelist(path, year.kodsize, records);
}

void writeworkschedules(const std::string& path, const yearinfo& year, const std::vector<schedule>& list) {
  std::vector<record> records;
  for (const auto& s : list) {
    record r(year.mrendsize);
    r.byte(0, static_cast<unsigned char>(s.code));
    r.text(1, 10, s.name);
    records.push_back(r);
  }
  writelist(path, year.mrendsize, records);
}

void writeearningcodes(const std::string& path, const yearinfo& year, const std::vector<payitem>& list) {
  std::vector<record> records;
  for (const auto& p : list) {
    record r(year.jarkodsize);
    r.raw(0, p.code.substr(0, 3));
    r.text(3, year.jarkodnamewidth, p.name);
    records.push_back(r);
  }
  writelist(path, year.jarkodsize, records);
}

void writedeductioncodes(const std::string& path, const std::vector<payitem>& list) {
  std::vector<record> records;
  for (const auto& p : list) {
    record r(levkodsize);
    r.raw(0, p.code.substr(0, 3));
    r.text(3, levkodnamewidth, p.name);
    records.push_back(r);
  }
  writelist(path, levkodsize, records);
}

void writewageparameters(const std::string& path, const yearinfo& year, const std::vector<allowance>& list) {
  const berparlayout& bp = year.berpar;
  record r(bp.recordsize);
  for (size_t i = 0; i < list.size() && static_cast<int>(i) < bp.allowances; ++i) {
    int entry = bp.firstentry + 29 * static_cast<int>(i);
    r.text(entry, bp.namewidth, list[i].name);
    if (bp.incomeflag) r.byte(entry + 10, list[i].incomereducing ? 'J' : 'N');
  }
  writebytes(path, r.data());
}

wagerecord::wagerecord(const yearinfo& year, std::string_view azon, std::string_view evho, char jogvkod1,
                       std::string_view jvkezd, char employmenttype)
    : year_(year), r_(year.kartonsize, 0) {
  const wagelayout& l = wagelayoutof(year.wage);
  r_.raw(0, std::string(azon).substr(0, 11));
  r_.raw(l.evho, evho.substr(0, 4));
  r_.byte(l.jogvkod1, static_cast<unsigned char>(jogvkod1));
  r_.byte(l.jogvkod1 + 1, static_cast<unsigned char>(employmenttype));
  r_.date(l.jvkezd, jvkezd);
  for (int s = 0; s < l.slotcount; ++s) r_.raw(l.slotoffset + l.slotsize * s, "   ");
}

wagerecord& wagerecord::item(int number, double value, int part) {
  const wagelayout& l = wagelayoutof(year_.wage);
  int seen = 0;
  for (const itempart& p : l.parts) {
    if (p.item != number) continue;
    if (seen++ != part) continue;
    if (p.integer)
      r_.int16(p.offset, static_cast<int>(value));
    else
      r_.real(p.offset, value);
    return *this;
  }
  throw std::invalid_argument("no such item part in the layout");
}

wagerecord& wagerecord::everyitem(double value) {
  for (const itempart& p : wagelayoutof(year_.wage).parts) {
    if (p.integer)
      r_.int16(p.offset, static_cast<int>(std::clamp(value, -32768.0, 32767.0)));
    else
      r_.real(p.offset, value);
  }
  return *this;
}

wagerecord& wagerecord::allowance(int i, double amount) {
  const wagelayout& l = wagelayoutof(year_.wage);
  r_.real(l.allowanceoffset + 6 * (i - 1), amount);
  return *this;
}

wagerecord& wagerecord::freeentry(int slot, std::string_view code, double amount) {
  const wagelayout& l = wagelayoutof(year_.wage);
  int at = l.slotoffset + l.slotsize * slot;
  r_.raw(at, code);
  r_.real(at + l.amountoffset, amount);
  return *this;
}

void writewages(const std::string& path, const yearinfo& year, const std::vector<wagerecord>& list) {
  std::vector<record> records;
  for (const auto& w : list) records.push_back(w.data());
  writelist(path, year.kartonsize, records);
}

void writeabsences(const std::string& path, const yearinfo& year, const std::vector<absence>& list) {
  const absencelayout& a = year.kinap;
  std::vector<record> records;
  for (const auto& x : list) {
    record r(a.recordsize);
    r.raw(0, x.azon.substr(0, 11));
    r.raw(a.code, x.code.substr(0, static_cast<size_t>(a.codewidth)));
    r.date(a.from, x.from).date(a.to, x.to);
    records.push_back(r);
  }
  writelist(path, a.recordsize, records);
}

std::string schedulefilename(const yearinfo& year) { return std::string("mrend") + (year.yeartext + 2) + ".dat"; }
std::string wageparameterfilename(const yearinfo& year) { return std::string("ber") + (year.yeartext + 2) + ".par"; }

}  // namespace dosber::testing

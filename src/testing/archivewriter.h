#pragma once
// Writes archive files for tests, benchmarks and the sample archive: the
// inverse of the readers, driven by the same per-year layout tables.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "archive/yearlayouts.h"

namespace dosber::testing {

using bytes = std::vector<unsigned char>;

// UTF-8 text to code page 852 bytes. Letters without a cp852 form become "?".
// With byte8f, "Á" is written as 0x8F, as some DOS installations stored it.
std::string tocp852(std::string_view utf8, bool byte8f = false);
// 6-byte real of a double (rounded to the 39-bit fraction).
void putreal48(unsigned char* p, double v);

// One fixed-size record.
class record {
 public:
  explicit record(size_t size, unsigned char fill = ' ') : b_(size, fill) {}
  record& raw(int offset, std::string_view data);              // bytes as given
  record& text(int offset, int width, std::string_view utf8,  // cp852, blank-padded
               bool byte8f = false);
  record& byte(int offset, unsigned char c);
  record& int16(int offset, int v);
  record& real(int offset, double v);
  record& date(int offset, std::string_view yyyymmdd) { return raw(offset, yyyymmdd); }
  const bytes& data() const { return b_; }
  bytes& data() { return b_; }

 private:
  bytes b_;
};

void writebytes(const std::string& path, const bytes& data);
void writetext(const std::string& path, std::string_view text);
// A list file: a header record (filled with "H") followed by the records.
void writelist(const std::string& path, size_t recordsize, const std::vector<record>& records);

// The same, written record by record, for files too large to build whole in
// memory; each record is padded or cut to the record size.
class listwriter {
 public:
  listwriter(const std::string& path, size_t recordsize);
  ~listwriter();
  listwriter(const listwriter&) = delete;
  listwriter& operator=(const listwriter&) = delete;
  void add(const record& r);
  // Writes what is buffered; throws when a write failed.
  void close();

 private:
  std::string path_;
  size_t recordsize_;
  bytes buffer_;
  std::FILE* file_ = nullptr;
};

// One employment record of the employee master file.
struct employee {
  std::string azon = "15607231234";  // 11 characters
  std::string nev = "Kiss Anna";
  std::string birthdate = "19560723";  // read from 1997 on
  std::string birthplace = "Budapest";
  std::string orgunit = "0012", job = "0034";
  char staffgroup = '1', employmenttype = '1';
  std::string status = "20";  // last two characters of alkmin, from 1998
  char wageform = '1';
  double monthlywage = 0, hourlywage = 0, dailyhours = 8, monthlyhours = 174;
  char schedule = 'A';
  std::string maidenname, mothername = "Nagy Mária";
  std::string feor = "1234";
  std::string entry = "19920101", exit = "        ";
  std::string mnypstart = "        ", mnypend = "        ";
  double eho[12] = {};
  bool byte8f = false;  // write "Á" of the names as 0x8F
};

record employeerecord(const yearinfo& year, const employee& e);

// Record files of a company folder.
void writeemployees(const std::string& path, const yearinfo& year, const std::vector<employee>& list);
void writecompanyparameters(const std::string& folder, std::string_view name, std::string_view taxnumber);

struct code {
  char kind;
  std::string code, name;
};
void writegeneralcodes(const std::string& path, const yearinfo& year, const std::vector<code>& codes);
struct schedule {
  char code;
  std::string name;
};
void writeworkschedules(const std::string& path, const yearinfo& year, const std::vector<schedule>& list);
struct payitem {
  std::string code, name;
};
void writeearningcodes(const std::string& path, const yearinfo& year, const std::vector<payitem>& list);
void writedeductioncodes(const std::string& path, const std::vector<payitem>& list);
struct allowance {
  std::string name;
  bool incomereducing = false;
};
void writewageparameters(const std::string& path, const yearinfo& year, const std::vector<allowance>& list);

// One monthly wage record. Items are set by number and part (0 = a, 1 = b, ...),
// as the year's layout places them.
class wagerecord {
 public:
  wagerecord(const yearinfo& year, std::string_view azon, std::string_view evho, char jogvkod1 = '1',
             std::string_view jvkezd = "19950101", char employmenttype = '1');
  wagerecord& item(int number, double value, int part = 0);
  // Every item part of the layout: reals take the value, 16-bit integers the
  // value within their range.
  wagerecord& everyitem(double value);
  wagerecord& allowance(int i, double amount);  // 1-based
  wagerecord& freeentry(int slot, std::string_view code, double amount);  // slot from 0
  record& data() { return r_; }
  const record& data() const { return r_; }

 private:
  const yearinfo& year_;
  record r_;
};
void writewages(const std::string& path, const yearinfo& year, const std::vector<wagerecord>& list);

struct absence {
  std::string azon, code, from, to;
};
void writeabsences(const std::string& path, const yearinfo& year, const std::vector<absence>& list);

// File names of the year: mrend<yy>.dat and ber<yy>.par.
std::string schedulefilename(const yearinfo& year);
std::string wageparameterfilename(const yearinfo& year);

}  // namespace dosber::testing

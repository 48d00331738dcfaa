#pragma once
// What differs between the fourteen archive years, as data: record sizes,
// field offsets and the constant code tables. One reader of each kind of
// file walks these tables.
#include <array>
#include <cstddef>
#include <string_view>

#include "archive/wagelayouts.h"

namespace dosber {

// A text field of a record: offset and width in bytes.
struct fieldspan {
  int offset = -1;  // -1: the field does not exist in the layout
  int width = 0;
};

// Employee master file (dt.dat, arcdt.dat); -1: no such field.
struct dtlayout {
  fieldspan name = {}, orgunit = {}, job = {};
  int staffgroup = -1, employmenttype = -1;
  fieldspan status = {};  // last two characters of the employment status code
  int wageform = -1, monthlywage = -1, hourlywage = -1, dailyhours = -1, monthlyhours = -1, schedule = -1;
  fieldspan maidenname = {}, mothername = {};
  int birthdate = -1;  // -1: taken from the identification number
  fieldspan birthplace = {}, feor = {};
  int entrydate = -1, exitdate = -1, mnypstart = -1, mnypend = -1;
};

// Wage parameter file ber<yy>.par: one record, an array of 29-byte
// allowance entries.
struct berparlayout {
  size_t recordsize;
  int allowances;
  int firstentry;
  int namewidth;
  bool incomeflag;  // byte at entry offset 10 is "J" for income-reducing
};

// The deduction code file levkod.dat has the same records in every year:
// the 3-byte code at 0, the name at 3.
inline constexpr size_t levkodsize = 30;
inline constexpr int levkodnamewidth = 15;

// Column of each year in the constant tables (codetables.cpp); -1: none.
struct constcolumns {
  int absence, staffgroup, employmenttype, employmentstatus = -1, taxlabels;
};

struct yearinfo {
  int yearnumber;
  const char* yeartext;
  size_t dtsize;
  const dtlayout* dt;
  int eho = -1;  // offset of the twelve EHO amounts, -1 when none
  bool readsarchive = false;  // arcdt.dat
  size_t jarkodsize;
  int jarkodnamewidth;
  size_t kodsize;
  int kodcodewidth, kodnameoffset, kodnamewidth;
  size_t mrendsize;
  berparlayout berpar;
  constcolumns consts;
  absencelayout kinap;
  size_t kartonsize;  // karton.dat and kikarton.dat
  wagelayoutid wage;
};

// The year of a year number (92 .. 99, 0 .. 5), or null: no reader.
const yearinfo* yearfor(int yearnumber);
const std::array<yearinfo, 14>& years();

// Year text of a year number: "19" + two digits for 92 .. 99, "20" + two
// digits otherwise.
std::string_view yeartextfor(int yearnumber, char (&buffer)[16]);

}  // namespace dosber

#pragma once
// What differs between the fourteen archive years, as data: record sizes,
// field offsets and the constant code tables. One reader of each kind of
// file walks these tables.
#include <array>
#include <cstddef>
#include <string_view>

#include "archive/wagelayouts.h"

namespace dosber {

struct span {
  int offset = -1;  // -1: the field does not exist
  int width = 0;
};

// Employee master file (dt.dat, arcdt.dat).
struct dtlayout {
  span name, orgunit, job;
  int staffgroup, employmenttype;
  span status;  // last two characters of the employment status code
  int wageform, monthlywage, hourlywage, dailyhours, monthlyhours, schedule;
  span maidenname, mothername;
  int birthdate;  // -1: taken from the identification number
  span birthplace, feor;
  int entrydate, exitdate, mnypstart, mnypend;
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

// Column of each year in the constant tables (codetables.cpp).
struct constcolumns {
  int absence, staffgroup, employmenttype, employmentstatus, taxlabels;
};

struct yearinfo {
  int yearnumber;
  const char* yeartext;
  size_t dtsize;
  const dtlayout* dt;
  int eho;  // offset of the twelve EHO amounts, -1 when none
  bool readsarchive;  // arcdt.dat
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

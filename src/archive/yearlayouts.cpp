#include "archive/yearlayouts.h"

#include <cstdio>
#include <string_view>

namespace dosber {
namespace {

// Employee master file, by year group. Fields that a group does not have
// are left out (offset -1).
constexpr dtlayout dt9293{
    .name = {11, 25}, .orgunit = {36, 4}, .job = {40, 4}, .staffgroup = 44, .employmenttype = 45,
    .wageform = 48, .monthlywage = 49, .hourlywage = 55, .dailyhours = 61, .monthlyhours = 67, .schedule = 73,
    .maidenname = {74, 25}, .mothername = {99, 25}, .birthplace = {689, 25}, .feor = {213, 8},
    .entrydate = 221, .exitdate = 231};
constexpr dtlayout dt9496{
    .name = {11, 25}, .orgunit = {36, 4}, .job = {40, 4}, .staffgroup = 44, .employmenttype = 45,
    .wageform = 48, .monthlywage = 49, .hourlywage = 55, .dailyhours = 61, .monthlyhours = 67, .schedule = 73,
    .maidenname = {74, 25}, .mothername = {99, 25}, .birthplace = {689, 25}, .feor = {213, 4},
    .entrydate = 221, .exitdate = 231};
constexpr dtlayout dt97{
    .name = {11, 25}, .orgunit = {36, 4}, .job = {40, 4}, .staffgroup = 44, .employmenttype = 45,
    .wageform = 48, .monthlywage = 49, .hourlywage = 55, .dailyhours = 61, .monthlyhours = 67, .schedule = 73,
    .maidenname = {74, 25}, .mothername = {99, 25}, .birthdate = 159, .birthplace = {689, 25}, .feor = {213, 4},
    .entrydate = 221, .exitdate = 231};
constexpr dtlayout dt9801{
    .name = {11, 25}, .orgunit = {36, 4}, .job = {40, 4}, .staffgroup = 44, .employmenttype = 45,
    .status = {190, 2},
    .wageform = 48, .monthlywage = 49, .hourlywage = 55, .dailyhours = 61, .monthlyhours = 67, .schedule = 73,
    .maidenname = {74, 25}, .mothername = {99, 25}, .birthdate = 159, .birthplace = {689, 25}, .feor = {213, 4},
    .entrydate = 221, .exitdate = 231, .mnypstart = 983, .mnypend = 991};
constexpr dtlayout dt0203{
    .name = {11, 25}, .orgunit = {36, 4}, .job = {40, 4}, .staffgroup = 44, .employmenttype = 45,
    .status = {47, 2},
    .wageform = 49, .monthlywage = 50, .hourlywage = 56, .dailyhours = 62, .monthlyhours = 68, .schedule = 74,
    .maidenname = {77, 25}, .mothername = {102, 25}, .birthdate = 148, .birthplace = {127, 20}, .feor = {261, 4},
    .entrydate = 271, .exitdate = 281, .mnypstart = 608, .mnypend = 616};
constexpr dtlayout dt0405{
    .name = {11, 30}, .orgunit = {41, 4}, .job = {45, 4}, .staffgroup = 49, .employmenttype = 50,
    .status = {52, 2},
    .wageform = 54, .monthlywage = 55, .hourlywage = 61, .dailyhours = 67, .monthlyhours = 73, .schedule = 79,
    .maidenname = {82, 25}, .mothername = {107, 25}, .birthdate = 132, .birthplace = {140, 20}, .feor = {267, 4},
    .entrydate = 277, .exitdate = 287, .mnypstart = 644, .mnypend = 652};

// Absence file kinap.dat.
constexpr absencelayout k9294{.recordsize = 60, .code = 36, .codewidth = 1, .from = 37, .to = 45};
constexpr absencelayout k9596{.recordsize = 60, .code = 36, .codewidth = 2, .from = 38, .to = 46};
constexpr absencelayout k9703{.recordsize = 65, .code = 36, .codewidth = 2, .from = 38, .to = 46};
constexpr absencelayout k0405{.recordsize = 80, .code = 41, .codewidth = 2, .from = 43, .to = 51};

// Wage parameter file ber<yy>.par (1996 holds one byte less than 1995 and 1997).
constexpr berparlayout bp9293{.recordsize = 650, .allowances = 5, .firstentry = 435, .namewidth = 10, .incomeflag = true};
constexpr berparlayout bp94{.recordsize = 920, .allowances = 5, .firstentry = 345, .namewidth = 10, .incomeflag = false};
constexpr berparlayout bp95{.recordsize = 500, .allowances = 5, .firstentry = 132, .namewidth = 10, .incomeflag = false};
constexpr berparlayout bp96{.recordsize = 499, .allowances = 5, .firstentry = 144, .namewidth = 10, .incomeflag = false};
constexpr berparlayout bp97{.recordsize = 500, .allowances = 5, .firstentry = 144, .namewidth = 10, .incomeflag = false};
constexpr berparlayout bp98{.recordsize = 600, .allowances = 6, .firstentry = 144, .namewidth = 15, .incomeflag = false};
constexpr berparlayout bp99{.recordsize = 600, .allowances = 7, .firstentry = 144, .namewidth = 15, .incomeflag = false};

// Columns of the constant tables: absence 0 = 1992-93, 1 = 1994, 2 = 1995-96, 3 = 1997,
// 4 = 1998, 5 = 1999-2002, 6 = 2003-05; staff group 0 = 1992-93, 1 = 1994-95,
// 2 = 1996, 3 = 1997, 4 = 1998, 5 = 1999-2002, 6 = 2003-05; employment type
// 0 = 1992, 1 = 1993, 2 = 1994-95, 3 = 1996, 4 = 1997, 5 = 1998, 6 = 1999-2002,
// 7 = 2003-05; employment status 0 = 1998, 1 = 1999, 2 = 2000-02, 3 = 2003,
// 4 = 2004, 5 = 2005 (none before 1998); tax labels 0 = 1992-94, 1 = 1995,
// 2 = 1996, 3 = 1997, 4 = 1998, 5 = 1999-2003, 6 = 2004-05.
constexpr std::array<yearinfo, 14> table{{
    {.yearnumber = 92, .yeartext = "1992", .dtsize = 1100, .dt = &dt9293,
     .jarkodsize = 51, .jarkodnamewidth = 10, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp9293,
     .consts = {.absence = 0, .staffgroup = 0, .employmenttype = 0, .taxlabels = 0},
     .kinap = k9294, .kartonsize = 1000, .wage = L1992_93},
    {.yearnumber = 93, .yeartext = "1993", .dtsize = 1100, .dt = &dt9293,
     .jarkodsize = 51, .jarkodnamewidth = 10, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp9293,
     .consts = {.absence = 0, .staffgroup = 0, .employmenttype = 1, .taxlabels = 0},
     .kinap = k9294, .kartonsize = 1000, .wage = L1992_93},
    {.yearnumber = 94, .yeartext = "1994", .dtsize = 1100, .dt = &dt9496,
     .jarkodsize = 60, .jarkodnamewidth = 10, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp94,
     .consts = {.absence = 1, .staffgroup = 1, .employmenttype = 2, .taxlabels = 0},
     .kinap = k9294, .kartonsize = 1000, .wage = L1994},
    {.yearnumber = 95, .yeartext = "1995", .dtsize = 1100, .dt = &dt9496,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp95,
     .consts = {.absence = 2, .staffgroup = 1, .employmenttype = 2, .taxlabels = 1},
     .kinap = k9596, .kartonsize = 1000, .wage = L1995},
    {.yearnumber = 96, .yeartext = "1996", .dtsize = 1100, .dt = &dt9496,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp96,
     .consts = {.absence = 2, .staffgroup = 2, .employmenttype = 3, .taxlabels = 2},
     .kinap = k9596, .kartonsize = 1000, .wage = L1996},
    {.yearnumber = 97, .yeartext = "1997", .dtsize = 1100, .dt = &dt97,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp97,
     .consts = {.absence = 3, .staffgroup = 3, .employmenttype = 4, .taxlabels = 3},
     .kinap = k9703, .kartonsize = 1000, .wage = L1997},
    {.yearnumber = 98, .yeartext = "1998", .dtsize = 1100, .dt = &dt9801,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp98,
     .consts = {.absence = 4, .staffgroup = 4, .employmenttype = 5, .employmentstatus = 0, .taxlabels = 4},
     .kinap = k9703, .kartonsize = 1000, .wage = L1998},
    {.yearnumber = 99, .yeartext = "1999", .dtsize = 1200, .dt = &dt9801, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp99,
     .consts = {.absence = 5, .staffgroup = 5, .employmenttype = 6, .employmentstatus = 1, .taxlabels = 5},
     .kinap = k9703, .kartonsize = 1000, .wage = L1999_02},
    {.yearnumber = 0, .yeartext = "2000", .dtsize = 1200, .dt = &dt9801, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp99,
     .consts = {.absence = 5, .staffgroup = 5, .employmenttype = 6, .employmentstatus = 2, .taxlabels = 5},
     .kinap = k9703, .kartonsize = 1000, .wage = L1999_02},
    {.yearnumber = 1, .yeartext = "2001", .dtsize = 1200, .dt = &dt9801, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 30, .kodcodewidth = 6, .kodnameoffset = 7, .kodnamewidth = 23,
     .mrendsize = 200, .berpar = bp99,
     .consts = {.absence = 5, .staffgroup = 5, .employmenttype = 6, .employmentstatus = 2, .taxlabels = 5},
     .kinap = k9703, .kartonsize = 1000, .wage = L1999_02},
    {.yearnumber = 2, .yeartext = "2002", .dtsize = 1200, .dt = &dt0203, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 40, .kodcodewidth = 8, .kodnameoffset = 9, .kodnamewidth = 30,
     .mrendsize = 250, .berpar = bp99,
     .consts = {.absence = 5, .staffgroup = 5, .employmenttype = 6, .employmentstatus = 2, .taxlabels = 5},
     .kinap = k9703, .kartonsize = 1000, .wage = L1999_02},
    {.yearnumber = 3, .yeartext = "2003", .dtsize = 1200, .dt = &dt0203, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 40, .kodcodewidth = 8, .kodnameoffset = 9, .kodnamewidth = 30,
     .mrendsize = 250, .berpar = bp99,
     .consts = {.absence = 6, .staffgroup = 6, .employmenttype = 7, .employmentstatus = 3, .taxlabels = 5},
     .kinap = k9703, .kartonsize = 1100, .wage = L2003},
    {.yearnumber = 4, .yeartext = "2004", .dtsize = 1200, .dt = &dt0405, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 40, .kodcodewidth = 8, .kodnameoffset = 9, .kodnamewidth = 30,
     .mrendsize = 250, .berpar = bp99,
     .consts = {.absence = 6, .staffgroup = 6, .employmenttype = 7, .employmentstatus = 4, .taxlabels = 6},
     .kinap = k0405, .kartonsize = 1100, .wage = L2004},
    {.yearnumber = 5, .yeartext = "2005", .dtsize = 1300, .dt = &dt0405, .eho = 1177, .readsarchive = true,
     .jarkodsize = 60, .jarkodnamewidth = 15, .kodsize = 40, .kodcodewidth = 8, .kodnameoffset = 9, .kodnamewidth = 30,
     .mrendsize = 250, .berpar = bp99,
     .consts = {.absence = 6, .staffgroup = 6, .employmenttype = 7, .employmentstatus = 5, .taxlabels = 6},
     .kinap = k0405, .kartonsize = 1100, .wage = L2005},
}};

}  // namespace

const std::array<yearinfo, 14>& years() { return table; }

const yearinfo* yearfor(int yearnumber) {
  for (const auto& y : table)
    if (y.yearnumber == yearnumber) return &y;
  return nullptr;
}

std::string_view yeartextfor(int yearnumber, char (&buffer)[16]) {
  int n = std::snprintf(buffer, sizeof buffer, "%s%02d", yearnumber >= 92 && yearnumber <= 99 ? "19" : "20",
                        yearnumber);
  return std::string_view(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

}  // namespace dosber

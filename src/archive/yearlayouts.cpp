#include "archive/yearlayouts.h"

#include <cstdio>
#include <string_view>

namespace dosber {
namespace {

//                     name     orgunit  job      sg  et  status   wf  mw  hw  dh  mh  sch maiden    mother    birth place     feor      entry exit mnyp1 mnyp2
constexpr dtlayout dt9293{{11, 25}, {36, 4}, {40, 4}, 44, 45, {},      48, 49, 55, 61, 67, 73, {74, 25}, {99, 25}, -1,  {689, 25}, {213, 8}, 221, 231, -1,  -1};
constexpr dtlayout dt9496{{11, 25}, {36, 4}, {40, 4}, 44, 45, {},      48, 49, 55, 61, 67, 73, {74, 25}, {99, 25}, -1,  {689, 25}, {213, 4}, 221, 231, -1,  -1};
constexpr dtlayout dt97  {{11, 25}, {36, 4}, {40, 4}, 44, 45, {},      48, 49, 55, 61, 67, 73, {74, 25}, {99, 25}, 159, {689, 25}, {213, 4}, 221, 231, -1,  -1};
constexpr dtlayout dt9801{{11, 25}, {36, 4}, {40, 4}, 44, 45, {190, 2}, 48, 49, 55, 61, 67, 73, {74, 25}, {99, 25}, 159, {689, 25}, {213, 4}, 221, 231, 983, 991};
constexpr dtlayout dt0203{{11, 25}, {36, 4}, {40, 4}, 44, 45, {47, 2},  49, 50, 56, 62, 68, 74, {77, 25}, {102, 25}, 148, {127, 20}, {261, 4}, 271, 281, 608, 616};
constexpr dtlayout dt0405{{11, 30}, {41, 4}, {45, 4}, 49, 50, {52, 2},  54, 55, 61, 67, 73, 79, {82, 25}, {107, 25}, 132, {140, 20}, {267, 4}, 277, 287, 644, 652};

// kinap.dat:                record  code  width  first day  last day
constexpr absencelayout k9294{60, 36, 1, 37, 45};
constexpr absencelayout k9596{60, 36, 2, 38, 46};
constexpr absencelayout k9703{65, 36, 2, 38, 46};
constexpr absencelayout k0405{80, 41, 2, 43, 51};

constexpr berparlayout bp9293{650, 5, 435, 10, true};
constexpr berparlayout bp94{920, 5, 345, 10, false};
constexpr berparlayout bp95{500, 5, 132, 10, false};
constexpr berparlayout bp96{499, 5, 144, 10, false};
constexpr berparlayout bp97{500, 5, 144, 10, false};
constexpr berparlayout bp98{600, 6, 144, 15, false};
constexpr berparlayout bp99{600, 7, 144, 15, false};

// Columns of the constant tables: absence 0 = 1992-93, 1 = 1994, 2 = 1995-96, 3 = 1997,
// 4 = 1998, 5 = 1999-2002, 6 = 2003-05; staff group 0 = 1992-93, 1 = 1994-95,
// 2 = 1996, 3 = 1997, 4 = 1998, 5 = 1999-2002, 6 = 2003-05; employment type
// 0 = 1992, 1 = 1993, 2 = 1994-95, 3 = 1996, 4 = 1997, 5 = 1998, 6 = 1999-2002,
// 7 = 2003-05; employment status 0 = 1998, 1 = 1999, 2 = 2000-02, 3 = 2003,
// 4 = 2004, 5 = 2005 (-1 before 1998); tax labels 0 = 1992-94, 1 = 1995,
// 2 = 1996, 3 = 1997, 4 = 1998, 5 = 1999-2003, 6 = 2004-05.
//
// year text  dt size layout  eho  arcdt jarkod   kod.dat          mrend ber<yy>.par consts  kinap  karton wage layout
constexpr std::array<yearinfo, 14> table{{
    {92, "1992", 1100, &dt9293, -1, false, 51, 10, 30, 6, 7, 23, 200, bp9293, {0, 0, 0, -1, 0}, k9294, 1000, L1992_93},
    {93, "1993", 1100, &dt9293, -1, false, 51, 10, 30, 6, 7, 23, 200, bp9293, {0, 0, 1, -1, 0}, k9294, 1000, L1992_93},
    {94, "1994", 1100, &dt9496, -1, false, 60, 10, 30, 6, 7, 23, 200, bp94, {1, 1, 2, -1, 0}, k9294, 1000, L1994},
    {95, "1995", 1100, &dt9496, -1, false, 60, 15, 30, 6, 7, 23, 200, bp95, {2, 1, 2, -1, 1}, k9596, 1000, L1995},
    {96, "1996", 1100, &dt9496, -1, false, 60, 15, 30, 6, 7, 23, 200, bp96, {2, 2, 3, -1, 2}, k9596, 1000, L1996},
    {97, "1997", 1100, &dt97, -1, false, 60, 15, 30, 6, 7, 23, 200, bp97, {3, 3, 4, -1, 3}, k9703, 1000, L1997},
    {98, "1998", 1100, &dt9801, -1, false, 60, 15, 30, 6, 7, 23, 200, bp98, {4, 4, 5, 0, 4}, k9703, 1000, L1998},
    {99, "1999", 1200, &dt9801, -1, true, 60, 15, 30, 6, 7, 23, 200, bp99, {5, 5, 6, 1, 5}, k9703, 1000, L1999_02},
    {0, "2000", 1200, &dt9801, -1, true, 60, 15, 30, 6, 7, 23, 200, bp99, {5, 5, 6, 2, 5}, k9703, 1000, L1999_02},
    {1, "2001", 1200, &dt9801, -1, true, 60, 15, 30, 6, 7, 23, 200, bp99, {5, 5, 6, 2, 5}, k9703, 1000, L1999_02},
    {2, "2002", 1200, &dt0203, -1, true, 60, 15, 40, 8, 9, 30, 250, bp99, {5, 5, 6, 2, 5}, k9703, 1000, L1999_02},
    {3, "2003", 1200, &dt0203, -1, true, 60, 15, 40, 8, 9, 30, 250, bp99, {6, 6, 7, 3, 5}, k9703, 1100, L2003},
    {4, "2004", 1200, &dt0405, -1, true, 60, 15, 40, 8, 9, 30, 250, bp99, {6, 6, 7, 4, 6}, k0405, 1100, L2004},
    {5, "2005", 1300, &dt0405, 1177, true, 60, 15, 40, 8, 9, 30, 250, bp99, {6, 6, 7, 5, 6}, k0405, 1100, L2005},
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

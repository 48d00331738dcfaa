#include "archive/wagelayouts.h"

#include <array>
#include <vector>

namespace dosber {
namespace {

constexpr int _ = -1;  // no such part in the layout
constexpr bool I = true, R = false;

// One row per item part; one column per layout:
//                 1992-93 1994 1995 1996 1997 1998 1999-02 2003 2004 2005
struct partrow {
  int item;
  bool integer;
  int offset[wagelayoutcount];
};
constexpr partrow partrows[] = {
    {1, I, {80, 80, 80, 80, 80, 125, 134, 128, 133, 133}},       // bernap
    {2, I, {82, 82, 82, 82, 82, 127, 136, 130, 135, 135}},       // lednap
    {3, I, {84, 84, 84, 84, 84, 129, 138, 132, 137, 137}},       // rendszab
    {4, I, {_, _, _, _, _, _, _, _, 139, 139}},                  // apaszabi
    {5, I, {_, _, _, _, _, _, 140, 136, 141, 141}},              // funnep
    {6, I, {88, 88, 90, 90, 90, 131, 142, 138, 143, 143}},       // ftav a
    {6, I, {90, 90, _, _, _, _, _, _, _, _}},                    // ftav b
    {7, I, {86, 86, 86, 86, 86, 133, 144, 140, 145, 145}},       // betegszab
    {8, I, {92, 92, 96, 96, 88, 135, 146, 142, 147, 147}},       // egytav a
    {8, I, {94, 94, _, _, 96, 137, 148, 144, 149, 149}},         // egytav b
    {8, I, {96, 96, _, _, _, _, _, _, _, _}},                    // egytav c
    {9, I, {98, 98, 98, 98, 98, 139, 150, 146, 151, 151}},       // piheno
    {10, R, {68, 68, 68, 68, 68, 113, 122, 148, 153, 153}},      // fizora
    {11, R, {_, _, _, 74, 74, 119, 128, 122, 127, 127}},         // tulora
    {12, R, {_, _, _, _, _, 147, 158, 160, 165, 165}},           // beralap
    {13, R, {226, 226, 226, 226, 226, 183, 182, 178, 183, 183}}, // brutto
    {14, R, {298, 298, 298, 298, 298, 189, 188, 184, 189, 189}}, // tulfiz
    {15, R, {268, 268, 268, 268, 268, 195, 194, 190, 195, 195}}, // letilt
    {16, R, {262, 262, 262, 262, 262, 201, 200, 196, 201, 201}}, // levon
    {18, R, {_, _, _, _, _, _, 206, 202, 207, 207}},             // fizutal
    {19, R, {238, 238, 238, 238, 238, 213, 218, 220, 225, 225}}, // szdij
    {20, R, {292, 292, _, _, _, 279, 284, 286, 297, 297}},       // athidalo
    {21, R, {274, 274, 274, 274, 274, 285, 290, 292, 303, 303}}, // kifiz
    {22, R, {124, 124, 124, 124, 124, 357, 362, 358, 369, 369}}, // ovjov a
    {22, R, {130, 130, 130, 130, 130, 363, 368, 364, 375, 375}}, // ovjov b
    {22, R, {988, 988, 214, 184, 184, 369, 374, 370, 381, 381}}, // ovjov c
    {22, R, {_, _, 988, 190, 190, _, _, _, _, _}},               // ovjov d
    {23, R, {_, _, _, _, _, 375, 380, 376, 387, 387}},           // nyugtipjov
    {24, R, {_, 858, 858, 858, 858, 393, 398, 394, 405, 405}},   // ojovcs
    {25, R, {_, 864, 864, 864, 864, 399, 404, 400, 411, 411}},   // oadocs
    {26, R, {250, 250, 220, 196, 196, 219, 224, 226, 231, 231}}, // osszae a
    {26, R, {256, 256, 250, 202, 202, 225, 230, 232, 237, 237}}, // osszae b
    {26, R, {994, 994, 256, 250, 250, 237, 242, 238, 243, 243}}, // osszae c
    {26, R, {_, _, 994, 256, 256, _, _, _, _, _}},               // osszae d
    {27, R, {966, 966, 966, 966, 966, 345, 350, 346, 357, 357}}, // forrjov
    {28, R, {972, 972, 972, 972, 972, 231, 236, 244, 249, 249}}, // forrado a
    {28, R, {_, _, _, _, _, 243, 248, 250, 255, 255}},           // forrado b
    {29, R, {870, 870, 870, 870, 870, 249, 254, 256, 261, 261}}, // egbjar
    {30, R, {244, 244, 244, 244, 244, 255, 260, 262, 267, 267}}, // nyjar
    {31, R, {_, _, _, _, _, 261, 266, 268, 273, 273}},           // mptagdij
    {32, R, {_, _, _, _, _, 267, 272, 274, 279, 279}},           // mpkieg
    {33, R, {_, _, _, _, _, 273, 278, 280, 285, 285}},           // onyptagdij
    {34, R, {_, _, _, _, _, _, _, _, 291, 291}},                 // oegptagdij
    {35, R, {912, 912, 912, 912, 912, 207, 212, 214, 219, 219}}, // mvjar
    {36, R, {_, _, _, _, _, _, _, _, _, 1050}},                  // valljar
    {37, R, {882, 882, 882, 882, 876, 405, 410, 406, 417, 417}}, // fiztbalap a
    {37, R, {_, _, _, _, 882, _, _, _, _, _}},                   // fiztbalap b
    {39, R, {_, _, _, _, _, _, _, _, _, 1062}},                  // start15alap
    {40, R, {_, _, _, _, _, _, _, _, _, 1068}},                  // start25alap
    {41, R, {876, 876, 876, 876, 894, 411, 416, 412, 423, 423}}, // fizegjalap a
    {41, R, {_, _, _, _, _, 423, 428, 424, 435, 435}},           // fizegjalap b
    {42, R, {876, 876, 876, 876, 888, 411, 416, 412, 423, 423}}, // fiznyjalap a
    {42, R, {_, _, _, _, _, 417, 422, 418, 429, 429}},           // fiznyjalap b
    {43, R, {900, 900, 900, 900, 292, 429, 434, 430, 441, 441}}, // leegjalap a
    {43, R, {_, _, _, _, _, 435, 440, 436, 447, 447}},           // leegjalap b
    {43, R, {_, _, _, _, _, 441, 446, 442, 453, 453}},           // leegjalap c
    {44, R, {900, 900, 900, 900, 286, 429, 434, 430, 441, 441}}, // lenyjalap a
    {44, R, {_, _, _, _, _, 447, 452, 448, 459, 459}},           // lenyjalap b
    {44, R, {_, _, _, _, _, _, _, _, _, 465}},                   // lenyjalap c
    {45, R, {_, _, _, _, _, 435, 440, 436, 447, 447}},           // letagnyjalap a
    {45, R, {_, _, _, _, _, 453, 458, 454, 465, 471}},           // letagnyjalap b
    {45, R, {_, _, _, _, _, _, _, _, _, 477}},                   // letagnyjalap c
};

// The key fields, allowance block and free entries of each layout, and what
// a layout books differently: record fields listed but not booked
// (unbooked), 809 booked negated into item 22 and 909 into item 17 besides
// their own rows, allowances that also feed item 24 or 25.
struct layoutrow {
  int evho, jogvkod1, jvkezd;
  int allowances, allowanceoffset;
  int slots, slotsize, slotoffset, amountoffset;
  std::array<int, 2> unbooked = {};
  bool books809 = false, books909 = false;
  bool income24 = false;
};
constexpr layoutrow layoutrows[wagelayoutcount] = {
    /* 1992-93 */ {.evho = 978, .jogvkod1 = 44, .jvkezd = 926, .allowances = 5, .allowanceoffset = 142,
                   .slots = 35, .slotsize = 15, .slotoffset = 306, .amountoffset = 9,
                   .unbooked = {6}, .income24 = true},
    /* 1994    */ {.evho = 978, .jogvkod1 = 44, .jvkezd = 926, .allowances = 5, .allowanceoffset = 142,
                   .slots = 35, .slotsize = 15, .slotoffset = 306, .amountoffset = 9,
                   .unbooked = {6}},
    /* 1995    */ {.evho = 978, .jogvkod1 = 44, .jvkezd = 926, .allowances = 5, .allowanceoffset = 142,
                   .slots = 35, .slotsize = 15, .slotoffset = 306, .amountoffset = 9},
    /* 1996    */ {.evho = 978, .jogvkod1 = 44, .jvkezd = 926, .allowances = 5, .allowanceoffset = 142,
                   .slots = 35, .slotsize = 15, .slotoffset = 306, .amountoffset = 9,
                   .unbooked = {11}, .books809 = true, .books909 = true},
    /* 1997    */ {.evho = 978, .jogvkod1 = 44, .jvkezd = 926, .allowances = 5, .allowanceoffset = 142,
                   .slots = 25, .slotsize = 21, .slotoffset = 306, .amountoffset = 15,
                   .books809 = true, .books909 = true},
    /* 1998    */ {.evho = 36, .jogvkod1 = 40, .jvkezd = 967, .allowances = 6, .allowanceoffset = 303,
                   .slots = 25, .slotsize = 19, .slotoffset = 468, .amountoffset = 9,
                   .books809 = true},
    /* 1999-02 */ {.evho = 48, .jogvkod1 = 36, .jvkezd = 40, .allowances = 7, .allowanceoffset = 308,
                   .slots = 25, .slotsize = 15, .slotoffset = 473, .amountoffset = 9,
                   .books809 = true},
    /* 2003    */ {.evho = 48, .jogvkod1 = 36, .jvkezd = 40, .allowances = 7, .allowanceoffset = 304,
                   .slots = 25, .slotsize = 21, .slotoffset = 469, .amountoffset = 15,
                   .books809 = true},
    /* 2004    */ {.evho = 53, .jogvkod1 = 41, .jvkezd = 45, .allowances = 7, .allowanceoffset = 315,
                   .slots = 25, .slotsize = 21, .slotoffset = 480, .amountoffset = 15},
    /* 2005    */ {.evho = 53, .jogvkod1 = 41, .jvkezd = 45, .allowances = 7, .allowanceoffset = 315,
                   .slots = 25, .slotsize = 21, .slotoffset = 492, .amountoffset = 15},
};

constexpr bool unbooked(const layoutrow& l, int item) {
  return item != 0 && (l.unbooked[0] == item || l.unbooked[1] == item);
}

// Correction codes: the 800 code, the item, and the first layout booking it.
struct correctionrow {
  int code800, item;
  wagelayoutid from, to;
};
constexpr correctionrow corrections[] = {
    {800, 26, L1992_93, L2005}, {801, 30, L1992_93, L2005}, {803, 26, L1998, L2005},
    {804, 26, L1995, L2005},    {805, 19, L1992_93, L2005}, {806, 28, L1992_93, L2005},
    {807, 35, L1992_93, L2005}, {808, 29, L1992_93, L2005}, {810, 33, L1998, L2005},
    {812, 31, L1998, L2005},    {813, 32, L1998, L2005},    {822, 34, L2004, L2005},
};

struct built {
  std::array<std::vector<itempart>, wagelayoutcount> parts;
  std::array<wagelayout, wagelayoutcount> layouts;
  built() {
    for (int l = 0; l < wagelayoutcount; ++l) {
      const layoutrow& k = layoutrows[l];
      for (const auto& r : partrows)
        if (r.offset[l] >= 0) parts[l].push_back({r.item, r.integer, r.offset[l], !unbooked(k, r.item)});
      layouts[l] = wagelayout{static_cast<wagelayoutid>(l), k.evho, k.jogvkod1, k.jvkezd, parts[l],
                              k.allowances, k.allowanceoffset, k.slots, k.slotsize, k.slotoffset, k.amountoffset,
                              k.books809, k.books909, k.income24};
    }
  }
};

const built& tables() {
  static const built b;
  return b;
}

}  // namespace

const wagelayout& wagelayoutof(wagelayoutid id) { return tables().layouts[id]; }

int correctionitem(wagelayoutid layout, int code) {
  int code800 = code >= 900 ? code - 100 : code;
  if (code < 800 || code > 999) return 0;
  for (const auto& c : corrections)
    if (c.code800 == code800 && layout >= c.from && layout <= c.to) return c.item;
  return 0;
}

}  // namespace dosber

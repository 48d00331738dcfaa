#pragma once
// The record layouts of the wage card files (kinap.dat, karton.dat,
// kikarton.dat), as data.
#include <cstddef>
#include <span>

namespace dosber {

// The ten wage record layouts, named by the years that use them.
enum wagelayoutid {
  L1992_93, L1994, L1995, L1996, L1997, L1998, L1999_02, L2003, L2004, L2005, wagelayoutcount
};

// One record field that feeds a card item.
struct itempart {
  int item;
  bool integer;  // 16-bit integer; otherwise a 6-byte real
  int offset;
  bool booked;   // false: listed, but produces no item rows
};

struct wagelayout {
  wagelayoutid id;
  int evho, jogvkod1, jvkezd;  // key fields (azon at 0)
  std::span<const itempart> parts;
  int allowances, allowanceoffset;
  int slotcount, slotsize, slotoffset, amountoffset;
  bool books809, books909;  // 809 and 909 are booked besides their own rows
  bool income24;            // allowances also feed item 24 or 25
};

const wagelayout& wagelayoutof(wagelayoutid id);

// A pay code of the free entries booked into a card item instead of a row of
// its own: the 800 code negated, its 900 counterpart unchanged, each into
// the item and into item 17.
struct correction {
  int code800;
  int item;
};
// The correction item of a code in a layout, 0 when it is none.
int correctionitem(wagelayoutid layout, int code);

// Absence file of a year.
struct absencelayout {
  size_t recordsize;
  int code, codewidth, from, to;
};

}  // namespace dosber

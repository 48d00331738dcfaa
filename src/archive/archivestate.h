#pragma once
// The values and lists that the archive readers share with the wage card.
// One instance lives for the whole run; each company load empties and
// refills it (the wage form list keeps its rows).
#include <string>

#include "archive/namevaluelist.h"
#include "table/table.h"

namespace dosber {

struct archivestate {
  archivestate();

  namevaluelist generalcodes;        // kind letter + code = name (kod.dat)
  namevaluelist workschedules;       // schedule code = name (mrend<yy>.dat)
  namevaluelist itemnames;           // 3-digit item code = label
  namevaluelist absencecodes;        // absence code = label
  namevaluelist staffgroups;         // jogvkod1 = label
  namevaluelist employmenttypes;     // jogvkod2 = label
  namevaluelist employmentstatuses;  // alkmin = label
  namevaluelist employmentlines;     // azon = entry date;jogvkod1;jogvkod2;exit date
  namevaluelist wageforms;           // berforma code = label, constant

  // Of the last company load.
  bool hasyear = false;
  int yearnumber = 0;       // 92 .. 99, 0 .. 5
  std::string yeartext;     // "1992" .. "2005"
  std::string companyfolder;  // lower-cased
  std::string companyname;
  std::string companytaxnumber;
  // Income-reducing allowance codes ("601;604;") of 1992 and 1993.
  std::string allowancecodes92;
  std::string allowancecodes93;

  // The card tables of the last wage card (fields defined by each rebuild).
  memtable absences{textunit::chars};
  memtable items{textunit::chars};

  // Empties every list but the wage form list.
  void clearlists();
};

}  // namespace dosber

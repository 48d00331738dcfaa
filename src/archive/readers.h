#pragma once
// The readers of a company load. Each takes the company folder path (the
// year folder is the folder that contains it).
#include <string>
#include <string_view>

#include "archive/archivestate.h"
#include "base/progress.h"
#include "archive/yearlayouts.h"

namespace dosber {
class memtable;

// mber.par: company name (line 5) and tax number (line 7).
void readcompanyparameters(archivestate& state, const std::string& companyfolder);
// kod.dat into the general code list.
void readgeneralcodes(archivestate& state, const yearinfo& year, const std::string& companyfolder);
// mrend<yy>.dat (company folder, else year folder) into the work schedule list.
void readworkschedules(archivestate& state, const yearinfo& year, const std::string& companyfolder);
// jarkod.dat, levkod.dat, the fixed tax labels and the allowance names of
// ber<yy>.par into the item name list; the 1992/1993 income-reducing
// allowance codes.
void readpayitemcodes(archivestate& state, const yearinfo& year, const std::string& companyfolder);

// Load company: reads dt.dat (and arcdt.dat from 1999) with its auxiliary
// files and appends one row per present employment record; with azon, only
// the records of that identifier.
void loadcompany(archivestate& state, const yearinfo& year, memtable& employees,
                 const std::string& companyfolder, progress* bar, std::string_view azon = {});

// Load card: the absences and wage records of the employee of the table's
// current row into the card tables, which must have been rebuilt just before.
void loadcard(archivestate& state, const yearinfo& year, const memtable& employees,
              const std::string& companyfolder, progress* bar);

// One wage record of the selected employee into item rows.
void processwagerecord(archivestate& state, const yearinfo& year, const unsigned char* record);

// The birth date of an employment record: until 1996 from characters 2 to 7
// of the identification number (century 19), from 1997 its own field.
std::string birthdateof(const dtlayout& layout, const unsigned char* record);

// Registers the entry azon=entry date;jogvkod1;jogvkod2;exit date.
// The identifiers and dates are the raw bytes of the record.
void registeremploymentline(archivestate& state, std::string_view azon, std::string_view entry,
                            std::string_view jogvkod1, std::string_view jogvkod2, std::string_view exit);

}  // namespace dosber

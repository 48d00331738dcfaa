#include "archive/archivestate.h"

#include "archive/codetables.h"

namespace dosber {

archivestate::archivestate() { fillwageforms(wageforms); }

void archivestate::clearlists() {
  absencecodes.clear();
  staffgroups.clear();
  employmenttypes.clear();
  employmentstatuses.clear();
  itemnames.clear();
  workschedules.clear();
  employmentlines.clear();
  generalcodes.clear();
}

}  // namespace dosber

#pragma once
#include <string>

#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"

namespace dosber::testing {

// The wage record of month m of an employment, as the sample archive and the
// firm pay it; k numbers the employment (some allowances depend on it).
wagerecord monthwages(const yearinfo& year, const employee& e, int m, int k);

// Writes the firm's company of the year under root/ber<yy>/ceg (the wage
// parameter file in the year folder) and gives the company folder.
std::string writefirm(const std::string& root, const yearinfo& year);

}  // namespace dosber::testing

#pragma once
#include <string>

#include "archive/yearlayouts.h"

namespace dosber::testing {

// Writes the firm's company of the year under root/ber<yy>/ceg (the wage
// parameter file in the year folder) and gives the company folder.
std::string writefirm(const std::string& root, const yearinfo& year);

}  // namespace dosber::testing

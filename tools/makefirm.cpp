// Writes the firm of the whole-process benchmarks (make bench-cli): its 2005
// company, or with --all-years its company in each of the fourteen years.
#include <cstdio>
#include <cstring>
#include <string>

#include "archive/yearlayouts.h"
#include "testing/firm.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--all-years") != 0)) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [--all-years]\n", argv[0]);
    return 2;
  }
  std::string root = argv[1];
  for (const dosber::yearinfo& year : dosber::years())
    if (argc == 3 || year.yearnumber == 5) dosber::testing::writefirm(root, year);
  std::printf("firm written to %s\n", root.c_str());
  return 0;
}

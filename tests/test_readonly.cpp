// Nothing ever writes into the archive: every command leaves every file's
// bytes and modification time as they were, and adds nothing.
#include <gtest/gtest.h>

#include <cstdio>

#include "fixtures.h"

using namespace dosber::testing;

namespace {
int run(const std::string& root, const std::string& args) {
  std::string cmd = "DOSBER_ROOT='" + root + "' DOSBER_NO_VIEWER=1 " + std::string(DOSBER_CLI) + " " + args +
                    " > /dev/null 2>&1";
  return std::system(cmd.c_str());
}
}  // namespace

TEST(readonly, everyCommandLeavesTheArchiveAsItWas) {
  tempfolder t;
  std::string archive = t / "archive", out = t / "out";
  copysample(archive);
  auto before = snapshot(archive);
  ASSERT_GT(before.size(), 300u);
  std::string company = archive + "/ber99/kalibra", azon = "16101052202";
  const std::string commands[] = {
      "years " + archive,
      "companies " + archive + "/ber99",
      "employees " + company,
      "employees --json --filter kov " + company,
      "employees --csv " + company,
      "card-data " + company + " --azon " + azon + " --json",
      "card " + company + " --azon " + azon + " --output " + out + "/card.pdf",
      "card " + company + " --azon " + azon,
      "find " + archive + " --name farkas --json",
      "cards " + company + " --output-dir " + out + "/cards",
      "person-cards " + archive + " --azon " + azon + " --output " + out + "/person.pdf",
  };
  for (const auto& c : commands) EXPECT_EQ(run(t / "root", c), 0) << c;
  EXPECT_EQ(snapshot(archive), before);
}

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/settings.h"
#include "testing/archivewriter.h"
#include "testutil.h"

using namespace dosber;
using namespace dosber::testing;

namespace {
std::string readall(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

TEST(settings, flagValues) {
  tempfolder t;
  struct {
    const char* line;
    bool expected;
  } cases[] = {{"felhasználói pdf=1", true}, {"felhasználói pdf=0", false}, {"felhasználói pdf=yes", false},
               {"felhasználói pdf=", true},  {"felhasználói pdf=10", true}, {"", true}};
  for (const auto& c : cases) {
    writetext(t / "veltor.par", std::string("[exepar]\nbér könyvtár=d:\\arch\n") + c.line + "\n");
    settings s = readsettings(t / "veltor.par", "/prog");
    EXPECT_EQ(s.defaultreader, c.expected) << c.line;
    EXPECT_EQ(s.storedfolder, "d:\\arch");
  }
}

TEST(settings, missingOrGarbageFileGivesDefaults) {
  tempfolder t;
  settings s = readsettings(t / "none.par", "/prog/bin");
  EXPECT_EQ(s.storedfolder, "/prog/bin");
  EXPECT_TRUE(s.defaultreader);
  writebytes(t / "garbage.par", bytes{0, 1, 2, 0xFF, '[', 'e', 0, '='});
  s = readsettings(t / "garbage.par", "/p");
  EXPECT_EQ(s.storedfolder, "/p");
  EXPECT_TRUE(s.defaultreader);
}

TEST(settings, hugeFileReadsAsDefaultsAndIsReplacedWhole) {
  tempfolder t;
  std::string huge = "[exepar]\nfelhasználói pdf=0\nx=" + std::string(3 << 20, 'y') + "\n";
  writetext(t / "v.par", huge);
  settings s = readsettings(t / "v.par", "/p");
  EXPECT_TRUE(s.defaultreader);
  EXPECT_EQ(s.storedfolder, "/p");
  writesettings(t / "v.par", settings{"/d", false});
  EXPECT_EQ(readall(t / "v.par"), "[exepar]\nbér könyvtár=/d\nfelhasználói pdf=0\n");
}

TEST(settings, firstRunCreatesFolderAndBothKeys) {
  tempfolder t;
  std::string path = t / "Params/Veltor/veltor.par";
  writesettings(path, settings{"/data/arch", false});
  EXPECT_EQ(readall(path), "[exepar]\nbér könyvtár=/data/arch\nfelhasználói pdf=0\n");
  settings s = readsettings(path, "/x");
  EXPECT_EQ(s.storedfolder, "/data/arch");
  EXPECT_FALSE(s.defaultreader);
}

TEST(settings, otherEntriesSurviveByteForByte) {
  tempfolder t;
  std::string before =
      "; megjegyzés\r\n[other]\r\nkey = value with  blanks\r\n\r\n[EXEPAR]\r\nbér könyvtár=c:\\old\r\nextra=1\r\n"
      "[last]\nx=y";
  writetext(t / "v.par", before);
  writesettings(t / "v.par", settings{"/new", true});
  std::string after = readall(t / "v.par");
  EXPECT_EQ(after,
            "; megjegyzés\r\n[other]\r\nkey = value with  blanks\r\n\r\n[EXEPAR]\r\nbér könyvtár=/new\r\nextra=1\r\n"
            "felhasználói pdf=1\r\n[last]\nx=y");
  // No temporary file is left beside it.
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(t.path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(settings, pathsFollowTheRoot) {
  setenv("DOSBER_ROOT", "/tmp/kalibra-root", 1);
  EXPECT_EQ(settingspath(), "/tmp/kalibra-root/Params/Veltor/veltor.par");
  EXPECT_EQ(cardpdfpath(), "/tmp/kalibra-root/temp/doskarton/doskarton.pdf");
  EXPECT_EQ(summarypdfpath(), "/tmp/kalibra-root/temp/doskarton/osszesito.pdf");
  unsetenv("DOSBER_ROOT");
}

TEST(settings, unwritableFolderFails) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes everywhere";
  tempfolder t;
  std::filesystem::create_directories(t / "ro");
  std::filesystem::permissions(t / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_THROW(writesettings(t / "ro/Params/veltor.par", settings{"/x", true}), std::exception);
}

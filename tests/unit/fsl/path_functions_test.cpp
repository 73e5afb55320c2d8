#include "fsl/path_functions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReplaceExtensionTest, OnlyADotInTheLastComponentStartsAnExtension) {
  const struct {
    const char* name;
    const char* result;
  } kCases[] = {
      {"C:\\Data\\Run3.dat", "C:\\Data\\Run3.fsl"},
      {"C:\\Data\\Report", "C:\\Data\\Report.fsl"},
      {"C:\\Data\\Old.set\\Run", "C:\\Data\\Old.set\\Run.fsl"},
      {"C:\\Data\\a.b.dat", "C:\\Data\\a.b.fsl"},
      {"C:\\Data\\Run.", "C:\\Data\\Run.fsl"},
      {"C:Run", "C:Run.fsl"},
      {"C:", "C:.fsl"},
      {"Run.dat", "Run.fsl"},
      {"", ".fsl"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.result, ReplaceExtension(c.name, ".fsl")) << c.name;
}

TEST(PathPartsTest, SplitAtTheLastColonOrBackslash) {
  const struct {
    const char* name;
    const char* directory;
    const char* namePart;
  } kCases[] = {
      {"C:\\Data\\Run.dat", "C:\\Data\\", "Run.dat"},
      {"C:Run.dat", "C:", "Run.dat"},
      {"C:\\Data\\", "C:\\Data\\", ""},
      {"\\\\srv\\share\\x.fsl", "\\\\srv\\share\\", "x.fsl"},
      {"Run.dat", "", "Run.dat"},
      {"", "", ""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.directory, DirectoryPart(c.name)) << c.name;
    EXPECT_EQ(c.namePart, NamePart(c.name)) << c.name;
  }
}

TEST(PathPartsTest, NamePartKeepsTheFirst255Characters) {
  const std::string longName = std::string(254, 'a') + "bc";
  EXPECT_EQ(std::string(254, 'a') + "b", NamePart("C:\\Data\\" + longName));
  EXPECT_EQ(std::string(254, 'a') + "b", NamePart(longName));
  EXPECT_EQ(std::string(255, 'a'), NamePart(std::string(255, 'a')));
}

}  // namespace

#include "fsl/fsl_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_fsl_platform.h"
#include "fsl/path_functions.h"

namespace {

const std::string kA252(252, 'A'), kA255(255, 'A'), kA256(256, 'A');

// A disk with long folder and file names and their short forms.
FakeFslPlatform Disk() {
  FakeFslPlatform fs;
  fs.files = {
      {"C:\\Data files", "C:\\DATAFI~1", true},
      {"C:\\Data files\\Run one.dat", "C:\\DATAFI~1\\RUNONE~1.DAT"},
      {"C:\\Data files\\Run one.fsl", "C:\\DATAFI~1\\RUNONE~1.FSL"},
      {"C:\\Data files\\Old.fsl", "C:\\DATAFI~1\\OLD.FSL", false, false},  // written in 1970
      {"C:\\Data files\\Dir.fsl", "C:\\DATAFI~1\\DIR.FSL", true},
      {"C:\\Data.set\\Run.fsl", "C:\\DATA.SET\\RUN.FSL"},
      {"C:\\Fsl files", "C:\\FSLFIL~1", true},
      {"C:\\Fsl files\\Run one.fsl", "C:\\FSLFIL~1\\RUNONE~1.FSL"},
      {"C:\\" + kA252 + "-long", "C:\\" + kA252},
      {"\\\\srv\\Share", "\\\\srv\\share", true},  // found only if the share were looked up
      {"\\\\srv\\share\\Fsl files", "\\\\srv\\share\\FSLFIL~1", true},
      {"\\\\srv\\share\\Fsl files\\Run one.fsl", "\\\\srv\\share\\FSLFIL~1\\RUNONE~1.FSL"},
      {"\\Fsl files", "\\FSLFIL~1", true},
      {"\\Fsl files\\Run one.fsl", "\\FSLFIL~1\\RUNONE~1.FSL"},
      {"Relative", "FSLFIL~1", true},  // found only if a relative path were expanded
  };
  return fs;
}

TEST(FslLookupTest, OutcomeFollowsWhatTheSectionHoldsForTheKey) {
  const char* kRunOne = "C:\\Data files\\Run one.dat";
  const char* kKey = "C:\\DATAFI~1\\RUNONE~1.DAT";
  const char* kLowerKey = "c:\\datafi~1\\runone~1.dat";
  const char* kShortFsl = "C:\\FSLFIL~1\\RUNONE~1.FSL";
  const char* kLongFsl = "C:\\Fsl files\\Run one.fsl";
  const char* kBeside = "C:\\Data files\\Run one.fsl";
  const struct {
    const char* label; decltype(FakeFslPlatform::entries) entries; std::string dataFile, fslFile;
    bool useFsl;
  } kCases[] = {
      {"short value", {{kKey, kShortFsl}}, kRunOne, kLongFsl, true},
      {"long value", {{"C:\\X.DAT", ""}, {kKey, kLongFsl}}, kRunOne, kLongFsl, true},
      {"key in lower case", {{kLowerKey, kShortFsl}}, kRunOne, kLongFsl, true},
      {"first of equal keys", {{kKey, kLongFsl}, {kLowerKey, "C:\\X"}}, kRunOne, kLongFsl, true},
      {"empty value, .fsl beside", {{kKey, ""}}, kRunOne, "", false},
      {"empty first of equal keys", {{kKey, ""}, {kLowerKey, "C:\\X.FSL"}}, kRunOne, "", false},
      {"drive-relative value unchanged", {{kKey, "C:RUNONE~1.FSL"}}, kRunOne, "C:RUNONE~1.FSL", true},
      {"missing component stays", {{kKey, "C:\\FSLFIL~1\\GONE.FSL"}}, kRunOne,
       "C:\\Fsl files\\GONE.FSL", true},
      {"value cut at 1023", {{kKey, "C:\\FSLFIL~1\\" + std::string(1500, 'L')}}, kRunOne,
       "C:\\Fsl files\\" + std::string(1023 - 12, 'L'), true},
      {"no entry, .fsl beside", {{"C:\\X.DAT", "C:\\X.FSL"}}, kRunOne, kBeside, true},
      {"empty section, .fsl beside", {}, kRunOne, kBeside, true},
      {"no entry, no .fsl beside", {{"C:\\X.DAT", ""}}, "C:\\Data files\\Run3.dat", "", true},
      {".fsl beside outside the DOS date range", {}, "C:\\Data files\\Old.dat", "", true},
      {".fsl beside is a folder", {}, "C:\\Data files\\Dir.dat", "", true},
      {"no short name: no key", {{"", "C:\\X.FSL"}}, "C:\\Nowhere\\Run one.dat", "", true},
      {"fallback, no extension", {}, "C:\\Data files\\Run one", kBeside, true},
      {"fallback, a dot only in a folder", {}, "C:\\Data.set\\Run", "C:\\Data.set\\Run.fsl", true},
      {"fallback with a *", {}, "C:\\Data files\\Run*.dat", "", true},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform fs = Disk();
    fs.entries = c.entries;
    FslChoice choice = LookupFSLFile(fs, "assoc.ini", "FSLAssociations", c.dataFile);
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
}

// A device or pipe path is never opened: it reads as a missing file would, and the partner
// beside the data file is taken.
TEST(FslLookupTest, DeviceAndPipePathsReadAsAMissingFile) {
  const struct { const char* iniFile; std::string fslFile; } kCases[] = {
      {"\\\\.\\pipe\\assoc", "C:\\Data files\\Run one.fsl"},
      {"//./pipe/assoc", "C:\\Data files\\Run one.fsl"},
      {"\\\\?\\C:\\assoc.ini", "C:\\Data files\\Run one.fsl"},
      {"\\??\\C:\\assoc.ini", "C:\\Data files\\Run one.fsl"},
      {"\\\\srv\\share\\assoc.ini", "C:\\Fsl files\\Run one.fsl"},
      {"C:\\assoc.ini", "C:\\Fsl files\\Run one.fsl"},
      {"assoc.ini", "C:\\Fsl files\\Run one.fsl"},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform fs = Disk();
    fs.entries = {{"C:\\DATAFI~1\\RUNONE~1.DAT", "C:\\FSLFIL~1\\RUNONE~1.FSL"}};
    EXPECT_EQ(c.fslFile, LookupFSLFile(fs, c.iniFile, "FSLAssociations", "C:\\Data files\\Run one.dat").fslFile)
        << c.iniFile;
  }
}

TEST(FslLookupTest, ExpandLongPathExpandsEveryComponentAfterTheRoot) {
  FakeFslPlatform fs = Disk();
  const struct { std::string path, result; } kCases[] = {
      {"c:\\fslfil~1\\runone~1.fsl", "c:\\Fsl files\\Run one.fsl"},
      {"C:\\FSLFIL~1\\", "C:\\Fsl files"}, {"C:\\", "C:"}, {"C:", "C:"}, {"", ""},
      {"C:\\GONE\\RUNONE~1.FSL", "C:\\GONE\\RUNONE~1.FSL"},
      {"C:\\" + std::string(300, 'A'), "C:\\" + kA252 + "-long"},  // a query holds 255
      {"\\\\srv\\share\\FSLFIL~1\\RUNONE~1.FSL", "\\\\srv\\share\\Fsl files\\Run one.fsl"},
      {"\\\\srv\\share", "\\\\srv\\share"}, {"\\\\srv", "\\\\srv"},
      {"\\FSLFIL~1\\RUNONE~1.FSL", "\\Fsl files\\Run one.fsl"}, {"\\", "\\"},
      {"FSLFIL~1\\RUNONE~1.FSL", "FSLFIL~1\\RUNONE~1.FSL"}, {"FSLFIL~1", "FSLFIL~1"},
      // Drive-relative: relative to the drive's current folder, so unchanged like any relative.
      {"C:X.FSL", "C:X.FSL"}, {"C:FSLFIL~1\\RUNONE~1.FSL", "C:FSLFIL~1\\RUNONE~1.FSL"}, {"C:X\\Y", "C:X\\Y"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.result, ExpandLongPath(fs, c.path)) << c.path;
}

TEST(PathFunctionsTest, SplitAtTheLastColonOrBackslash) {
  const struct { std::string name, withFsl, directory, namePart; } kCases[] = {
      {"C:\\Data\\a.b.dat", "C:\\Data\\a.b.fsl", "C:\\Data\\", "a.b.dat"},
      {"C:Run", "C:Run.fsl", "C:", "Run"},
      {"C:\\Data\\", "C:\\Data\\.fsl", "C:\\Data\\", ""},
      {"\\\\srv\\share\\x.dat", "\\\\srv\\share\\x.fsl", "\\\\srv\\share\\", "x.dat"},
      {"Run.", "Run.fsl", "", "Run."}, {"", ".fsl", "", ""},
      {"C:\\" + kA256, "C:\\" + kA256 + ".fsl", "C:\\", kA255},  // a name keeps 255 characters
      {kA256, kA256 + ".fsl", "", kA255},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.withFsl, ReplaceExtension(c.name, ".fsl")) << "ReplaceExtension " << c.name;
    EXPECT_EQ(c.directory, DirectoryPart(c.name)) << "DirectoryPart " << c.name;
    EXPECT_EQ(c.namePart, NamePart(c.name)) << "NamePart " << c.name;
  }
}

}  // namespace

#include "fsl/fsl_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_fsl_platform.h"

namespace {

// A disk with long folder and file names and their short forms.
class FslLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.addFolder("C:\\Data files", "C:\\DATAFI~1");
    fs.addFile("C:\\Data files\\Run one.dat", "C:\\DATAFI~1\\RUNONE~1.DAT");
    fs.addFile("C:\\Data files\\Run one.fsl", "C:\\DATAFI~1\\RUNONE~1.FSL");
    fs.addFile("C:\\Data files\\Run3.dat", "C:\\DATAFI~1\\RUN3.DAT");
    fs.addFile("C:\\Data files\\Run4.dat", "C:\\DATAFI~1\\RUN4.DAT");
    fs.addFile("C:\\Data files\\Old.dat", "C:\\DATAFI~1\\OLD.DAT");
    fs.addFile("C:\\Data files\\Old.fsl", "C:\\DATAFI~1\\OLD.FSL", false);  // 1970
    fs.addFile("C:\\Data files\\Dir.dat", "C:\\DATAFI~1\\DIR.DAT");
    fs.addFolder("C:\\Data files\\Dir.fsl", "C:\\DATAFI~1\\DIR.FSL");
    fs.addFolder("C:\\Fsl files", "C:\\FSLFIL~1");
    fs.addFile("C:\\Fsl files\\Run one.fsl", "C:\\FSLFIL~1\\RUNONE~1.FSL");
  }

  FslChoice Lookup(const std::string& dataFile) {
    return LookupFSLFile(fs, "assoc.ini", "FSLAssociations", dataFile);
  }

  FakeFslPlatform fs;
};

const char kRunOne[] = "C:\\Data files\\Run one.dat";
const char kRunOneKey[] = "C:\\DATAFI~1\\RUNONE~1.DAT";
const char kFslLong[] = "C:\\Fsl files\\Run one.fsl";
const char kBeside[] = "C:\\Data files\\Run one.fsl";

TEST_F(FslLookupTest, OutcomeFollowsWhatTheSectionHoldsForTheKey) {
  const struct {
    const char* label;
    FakeFslPlatform::Entries entries;  // of [FSLAssociations]; none: no INI file at all
    const char* dataFile;
    const char* fslFile;
    bool useFsl;
  } kCases[] = {
      {"short value", {{kRunOneKey, "C:\\FSLFIL~1\\RUNONE~1.FSL"}}, kRunOne, kFslLong, true},
      {"long value", {{kRunOneKey, kFslLong}}, kRunOne, kFslLong, true},
      {"key in lower case", {{"c:\\datafi~1\\runone~1.dat", "C:\\FSLFIL~1\\RUNONE~1.FSL"}},
       kRunOne, kFslLong, true},
      {"data file named in another case", {{kRunOneKey, kFslLong}}, "c:\\data files\\RUN ONE.DAT",
       kFslLong, true},
      {"entry among others", {{"C:\\X.DAT", "C:\\X.FSL"}, {kRunOneKey, kFslLong}, {"C:\\Y.DAT", ""}},
       kRunOne, kFslLong, true},
      {"first of equal keys", {{kRunOneKey, kFslLong}, {"c:\\datafi~1\\runone~1.dat", "C:\\X.FSL"}},
       kRunOne, kFslLong, true},
      {"empty value, .fsl beside", {{kRunOneKey, ""}}, kRunOne, "", false},
      {"empty value, then an equal key with a value", {{kRunOneKey, ""}, {"c:\\datafi~1\\runone~1.dat", "C:\\X.FSL"}},
       kRunOne, "", false},
      {"missing component stays", {{kRunOneKey, "C:\\FSLFIL~1\\GONE.FSL"}}, kRunOne,
       "C:\\Fsl files\\GONE.FSL", true},
      {"relative value unchanged", {{kRunOneKey, "RUNONE~1.FSL"}}, kRunOne, "RUNONE~1.FSL", true},
      {"no entry, .fsl beside", {{"C:\\X.DAT", "C:\\X.FSL"}}, kRunOne, kBeside, true},
      {"no INI file, .fsl beside", {}, kRunOne, kBeside, true},
      {"no entry, no .fsl beside", {{"C:\\X.DAT", "C:\\X.FSL"}}, "C:\\Data files\\Run3.dat", "", true},
      {"no entry, .fsl beside outside the DOS date range", {}, "C:\\Data files\\Old.dat", "", true},
      {"no entry, .fsl beside is a folder", {}, "C:\\Data files\\Dir.dat", "", true},
      {"no short name: no key, fallback", {{"", "C:\\X.FSL"}}, "C:\\Nowhere\\Run one.dat", "", true},
  };
  for (const auto& c : kCases) {
    fs.ini.clear();
    if (!c.entries.empty()) fs.ini["assoc.ini"]["FSLAssociations"] = c.entries;
    FslChoice choice = Lookup(c.dataFile);
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
}

TEST_F(FslLookupTest, FallbackNameReplacesOnlyTheLastComponentsExtension) {
  fs.addFolder("C:\\Data\\Old.set", "C:\\DATA\\OLD.SET");
  fs.addFile("C:\\Data\\Old.set\\Run", "C:\\DATA\\OLD.SET\\RUN");
  fs.addFile("C:\\Data\\Old.set\\Run.fsl", "C:\\DATA\\OLD.SET\\RUN.FSL");
  fs.addFile("C:\\Data\\Report", "C:\\DATA\\REPORT");
  fs.addFile("C:\\Data\\Report.fsl", "C:\\DATA\\REPORT.FSL");
  fs.addFile("C:\\Data\\Run1.fsl", "C:\\DATA\\RUN1.FSL");
  const struct {
    const char* dataFile;
    const char* fslFile;
  } kCases[] = {
      {"C:\\Data\\Report", "C:\\Data\\Report.fsl"},
      {"C:\\Data\\Old.set\\Run", "C:\\Data\\Old.set\\Run.fsl"},
      {"C:\\Data\\Run*.dat", ""},                // matches Run1.fsl, but "*" is refused
      {"C:\\Data\\Run?.dat", "C:\\Data\\Run?.fsl"},  // "?" is not
  };
  for (const auto& c : kCases) {
    FslChoice choice = Lookup(c.dataFile);
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.dataFile;
    EXPECT_TRUE(choice.useFsl) << c.dataFile;
  }
}

TEST_F(FslLookupTest, KeysPastTheKeyNameLimitHaveNoLine) {
  FakeFslPlatform::Entries filler;
  for (int i = 0; i < 400; ++i)  // 400 names of 24 characters: 10000 bytes
    filler.emplace_back("C:\\FILLER\\F" + std::to_string(10000 + i) + "XXXXXXX.DAT", "C:\\F.FSL");
  const struct {
    const char* label;
    bool atEnd;
    const char* value;
    const char* fslFile;
    bool useFsl;
  } kCases[] = {
      {"past the limit with a value: fallback", true, "C:\\FSLFIL~1\\RUNONE~1.FSL", kBeside, true},
      {"past the limit with an empty value", true, "", "", false},
      {"within the limit", false, "C:\\FSLFIL~1\\RUNONE~1.FSL", kFslLong, true},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform::Entries entries = filler;
    entries.insert(c.atEnd ? entries.end() : entries.begin(), {kRunOneKey, c.value});
    fs.ini["assoc.ini"]["FSLAssociations"] = entries;
    FslChoice choice = Lookup(kRunOne);
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
}

TEST_F(FslLookupTest, ValuesAreCutAt1023Characters) {
  const std::string value = "C:\\FSLFIL~1\\" + std::string(1500, 'L');
  fs.ini["assoc.ini"]["FSLAssociations"] = {{kRunOneKey, value}};
  FslChoice choice = Lookup(kRunOne);
  EXPECT_EQ("C:\\Fsl files\\" + std::string(1023 - 12, 'L'), choice.fslFile);
  EXPECT_TRUE(choice.useFsl);
}

TEST_F(FslLookupTest, ExpandLongPathExpandsEveryComponentAfterTheRoot) {
  fs.addFile("C:\\Long x.fsl", "C:\\X.FSL");
  fs.addFolder("\\\\srv\\share\\Fsl files", "\\\\srv\\share\\FSLFIL~1");
  fs.addFile("\\\\srv\\share\\Fsl files\\Run one.fsl", "\\\\srv\\share\\FSLFIL~1\\RUNONE~1.FSL");
  fs.addFolder("\\Fsl files", "\\FSLFIL~1");
  fs.addFile("\\Fsl files\\Run one.fsl", "\\FSLFIL~1\\RUNONE~1.FSL");
  fs.addFolder("FSLFIL~1", "FSLFIL~1");  // would be found if a relative path were expanded
  const struct {
    const char* path;
    const char* result;
  } kCases[] = {
      {"C:\\FSLFIL~1\\RUNONE~1.FSL", "C:\\Fsl files\\Run one.fsl"},
      {"c:\\fslfil~1\\runone~1.fsl", "c:\\Fsl files\\Run one.fsl"},
      {"C:\\X.FSL", "C:\\Long x.fsl"},
      {"C:\\FSLFIL~1\\", "C:\\Fsl files"},
      {"C:\\", "C:"},
      {"C:", "C:"},
      {"", ""},
      {"C:\\GONE\\RUNONE~1.FSL", "C:\\GONE\\RUNONE~1.FSL"},
      {"C:\\FSLFIL~1\\GONE\\X.FSL", "C:\\Fsl files\\GONE\\X.FSL"},
      {"\\\\srv\\share\\FSLFIL~1\\RUNONE~1.FSL", "\\\\srv\\share\\Fsl files\\Run one.fsl"},
      {"\\\\srv\\share", "\\\\srv\\share"},
      {"\\\\srv", "\\\\srv"},
      {"\\FSLFIL~1\\RUNONE~1.FSL", "\\Fsl files\\Run one.fsl"},
      {"\\", "\\"},
      {"FSLFIL~1\\RUNONE~1.FSL", "FSLFIL~1\\RUNONE~1.FSL"},
      {"RUNONE~1.FSL", "RUNONE~1.FSL"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.result, ExpandLongPath(fs, c.path)) << c.path;
}

TEST_F(FslLookupTest, LongComponentNameQueriesAtMost255Characters) {
  const std::string stored = "C:\\" + std::string(300, 'A');
  fs.addFile("C:\\" + std::string(252, 'A') + "-long", stored.substr(0, 255));
  EXPECT_EQ(std::string(252, 'A') + "-long", LongComponentName(fs, stored));
  ASSERT_EQ(1u, fs.queries.size());
  EXPECT_EQ(255u, fs.queries[0].size());
  EXPECT_EQ(std::string(300, 'B'), LongComponentName(fs, "C:\\" + std::string(300, 'B')));
  EXPECT_EQ("NAME", LongComponentName(fs, "NAME"));
}

TEST_F(FslLookupTest, IsExistingFileWantsAFileWithADosTime) {
  const struct {
    const char* name;
    bool exists;
  } kCases[] = {
      {"C:\\Data files\\Run one.fsl", true},
      {"C:\\DATAFI~1\\RUNONE~1.FSL", true},
      {"C:\\Data files\\R*.fsl", true},
      {"C:\\Data files\\Old.fsl", false},  // last written outside 1980..2107
      {"C:\\Data files\\Dir.fsl", false},
      {"C:\\Data files", false},
      {"C:\\Data files\\None.fsl", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.exists, IsExistingFile(fs, c.name)) << c.name;
}

}  // namespace

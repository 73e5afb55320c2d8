// The association lookup over real INI files and real long and short names, in a folder with a
// long name under the temporary folder of the Wine drive C:.
#include "fsl/fsl_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fsl/fsl_platform_win.h"
#include "fsl/ini_file.h"
#include "testing/watchdog_win.h"

namespace {

const bool kWatchdog = StartWatchdog(120);

std::string PathName(DWORD(WINAPI* convert)(LPCSTR, LPSTR, DWORD), const std::string& path) {
  char buffer[MAX_PATH];
  DWORD n = convert(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// INI lines whose key names take `bytes` bytes of the key-name list, each with its NUL.
std::string Filler(size_t bytes) {
  std::string text;
  for (int i = 0; bytes > 0; ++i) {
    size_t n = bytes >= 40 ? 20 : bytes - 1;  // the last name takes what is left
    std::string name = "K" + std::to_string(i);
    text += name + std::string(n - name.size(), 'x') + "=C:\\F.FSL\r\n";
    bytes -= n + 1;
  }
  return text;
}

class FslLookupWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir = PathName(GetLongPathNameA, temp) + "Fsl test " + std::to_string(GetCurrentProcessId());
    fslDir = dir + "\\Final storage labels";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr) && CreateDirectoryA(fslDir.c_str(), 0));
    dataFile = Write(dir + "\\Data file with a long name.dat", "x");
    beside = Write(dir + "\\Data file with a long name.fsl", "x");
    fslFile = Write(fslDir + "\\Label with a long name.fsl", "x");
    key = PathName(GetShortPathNameA, dataFile);
    ASSERT_NE(dataFile, key) << "no short name was made";
  }
  void TearDown() override {
    for (const std::string& f : files) DeleteFileA(f.c_str());
    RemoveDirectoryA(fslDir.c_str());
    RemoveDirectoryA(dir.c_str());
  }
  std::string Write(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_TRUE(f && std::fwrite(text.data(), 1, text.size(), f) == text.size()) << path;
    if (f) std::fclose(f);
    files.push_back(path);
    return path;
  }
  // A new INI file each time (the profile functions may keep a file they have read).
  std::string Ini(const std::string& body) {
    return Write(dir + "\\a" + std::to_string(files.size()) + ".ini",
                 "[FSLAssociations]\r\n" + body + "\r\n");
  }
  FslChoice Lookup(const std::string& body) {
    return LookupFSLFile(WindowsFslPlatform(), Ini(body), "FSLAssociations", dataFile);
  }
  // Sets the file's last-write time to 1 July of `year`.
  void SetYear(const std::string& path, WORD year) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME st = {year, 7, 0, 1, 12, 0, 0, 0};
    FILETIME ft;
    EXPECT_TRUE(SystemTimeToFileTime(&st, &ft) && SetFileTime(h, nullptr, nullptr, &ft)) << year;
    CloseHandle(h);
  }

  std::string dir, fslDir, dataFile, beside, fslFile, key;
  std::vector<std::string> files;
};

TEST_F(FslLookupWinTest, EntriesGiveTheLongPathOrNone) {
  const std::string shortFsl = PathName(GetShortPathNameA, fslFile);
  ASSERT_NE(fslFile, shortFsl);
  std::string lowerKey = key;
  CharLowerBuffA(&lowerKey[0], static_cast<DWORD>(lowerKey.size()));
  const std::string fits = Filler(8192 - 1 - key.size() - 1), past = Filler(8192 - key.size() - 1);
  const std::string longValue = fslDir + "\\" + std::string(1500, 'L');
  const struct { const char* label; std::string body, fslFile; bool useFsl; } kCases[] = {
      {"short value", key + "=" + shortFsl, fslFile, true},
      {"key in lower case", lowerKey + "=" + shortFsl, fslFile, true},
      {"missing component stays", key + "=" + PathName(GetShortPathNameA, fslDir) + "\\GONE\\X.FSL",
       fslDir + "\\GONE\\X.FSL", true},
      {"empty value", key + "=", "", false},
      {"no entry", "C:\\X.DAT=C:\\X.FSL", beside, true},
      {"key is the last name to fit", fits + key + "=" + shortFsl, fslFile, true},
      {"key past the 8192-byte key-name list", past + key + "=" + shortFsl, beside, true},
      {"key past the key-name list, empty", past + key + "=", "", false},
      {"value cut at 1023", key + "=" + longValue, longValue.substr(0, 1023), true},
  };
  for (const auto& c : kCases) {
    FslChoice choice = Lookup(c.body);
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
  for (WORD year : {1970, 1979, 1980, 2107}) {  // a DOS date: 1980 on
    SetYear(dataFile, year);
    EXPECT_EQ(year >= 1980, IsExistingFile(WindowsFslPlatform(), dataFile)) << "written " << year;
  }
  SetYear(beside, 1970);
  EXPECT_EQ("", Lookup("").fslFile) << "no entry, .fsl beside written in 1970";
}

// Of keys the platform takes for the same, the first line holds the value for every spelling.
TEST_F(FslLookupWinTest, OneSectionReadKeepsTheFirstOfEqualKeys) {
  TIniFile ini(Ini("DUP=first\r\ndup=second\r\nOther=x\r\nOTHER=\r\nEmpty=\r\nEMPTY=late"), WindowsFslPlatform());
  TStringList pairs;
  pairs.setLines({"dup=old"});
  ini.ReadIniPairs("FSLAssociations", pairs);
  const std::vector<std::string>& lines = pairs.lines();
  for (const std::string& line : lines) {
    EXPECT_EQ(std::string::npos, line.find("second")) << "a later line's value won";
    EXPECT_EQ(std::string::npos, line.find("late")) << "a later line's value won";
    EXPECT_EQ(std::string::npos, line.find("old")) << "the list's own line stayed";
  }
  auto pairsWithValue = [&lines](const std::string& value) {
    return std::count_if(lines.begin(), lines.end(), [&value](const std::string& line) {
      return line.size() > value.size() && line.compare(line.size() - value.size(), value.size(), value) == 0;
    });
  };
  EXPECT_EQ(1, pairsWithValue("=first")) << "one pair for DUP and dup";
  EXPECT_EQ(1, pairsWithValue("=x")) << "one pair for Other and OTHER";
  EXPECT_EQ(2u, lines.size()) << "Empty and EMPTY: the first, empty, value deletes";
}

TEST_F(FslLookupWinTest, OneSectionReadAgreesWithReadingKeyByKey) {
  const std::string quoted = "\"" + std::string(1022, 'q') + "\"";
  std::vector<std::string> bodies = {
      "B=2\r\nA=1\r\nC=\r\nx=\r\ny=7",
      "a=1\r\nB=\r\nA=3\r\nb=4\r\na=",
      "X=\r\nx=\r\nOther=1",  // two empty keys of one name delete both of the list's X lines
      " Spaced key = spaced value \r\n;comment=x\r\nNoEquals\r\n=empty name\r\nAfter=1",
      "Q1=\"quoted\"\r\nQ2='single'\r\nQ3=\"\"\r\nQ4=\"open\r\nQ5=\"\r\nq1=x",
      "\xC9T\xC9=upper\r\n\xE9t\xE9=lower\r\nStra\xDF" "e=s\r\nSTRASSE=t",
      "L3=" + std::string(1023, 'v') + "\r\nL4=" + std::string(1024, 'v') + "\r\nQL=" + quoted +
          "\r\nQM=" + quoted + "q\r\nQN=\"" + std::string(1500, 'q') + "\"",
      Filler(30000),
  };
  for (size_t tail : {6, 7, 8, 9, 10})  // the last name, "LASTKEY", around the 8192-byte edge
    bodies.push_back(Filler(8192 - 1 - tail) + "LASTKEY=v\r\nLASTKEYS=w");
  // Values that carry the whole-section read past its first buffer (64 KiB): a read that stops
  // at the cut takes the cut line's value.
  std::string wide;
  for (int i = 0; i < 70; ++i) wide += "V" + std::to_string(i) + "=" + std::to_string(i) + std::string(1000, 'v') + "\r\n";
  bodies.push_back(wide);
  for (size_t i = 0; i < bodies.size(); ++i) {
    TIniFile ini(Ini(bodies[i]), WindowsFslPlatform());
    TStringList once, byKey;  // both start with lines of their own to replace or delete
    once.setLines({"X=9", "b=old", "X=8", "y"});
    byKey.setLines(once.lines());
    ini.ReadIniPairs("FSLAssociations", once);
    ini.ReadIniPairsByKey("FSLAssociations", byKey);
    EXPECT_EQ(byKey.lines(), once.lines()) << "section " << i << ": " << bodies[i].substr(0, 60);
  }
}

}  // namespace

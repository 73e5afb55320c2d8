// The association lookup over real INI files and real long and short names, in a folder with a
// long name under the temporary folder of the Wine drive C:.
#include "fsl/fsl_lookup.h"

#include <gtest/gtest.h>

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

// The pairs the lookup reads from a section, in the platform's spelling of keys and values:
// each key with a value once, in file order, values cut at 1023 characters.
TEST_F(FslLookupWinTest, OneSectionReadGivesEachKeyWithAValueOnce) {
  const std::string q1022(1022, 'q');
  // Past the whole-section read's first buffer (64 KiB): a read that stops at the cut takes the
  // cut line's value.
  std::string wide;
  std::vector<std::string> widePairs;
  for (int i = 0; i < 70; ++i) {
    widePairs.push_back("V" + std::to_string(i) + "=" + std::to_string(i) + std::string(1000, 'v'));
    wide += widePairs.back() + "\r\n";
  }
  const struct {
    const char* label;
    std::string body;
    std::vector<std::string> pairs;
  } kCases[] = {
      {"empty values leave no pair", "B=2\r\nA=1\r\nC=\r\nx=\r\ny=7", {"B=2", "A=1", "y=7"}},
      {"one pair for keys equal but for case, the first line's value", "a=1\r\nB=\r\nA=3\r\nb=4\r\na=", {"a=1"}},
      {"the first of equal keys decides, empty or not", "DUP=first\r\ndup=second\r\nOther=x\r\nOTHER=\r\nEmpty=\r\nEMPTY=late",
       {"dup=first", "OTHER=x"}},
      {"blanks, comments, a line without '='; an empty name ends the platform's key names",
       " Spaced key = spaced value \r\n;comment=x\r\nNoEquals\r\n=empty name\r\nAfter=1",
       {"Spaced key=spaced value"}},
      {"quotes", "Q1=\"quoted\"\r\nQ2='single'\r\nQ3=\"\"\r\nQ4=\"open\r\nQ5=\"\r\nq1=x",
       {"q1=quoted", "Q2=single", "Q4=\"open", "Q5=\""}},
      // Keys the case-blind comparison takes for one share a line; the profile read, which tells
      // them apart, gives each spelling its own value, the last one's staying.
      {"letters beyond ASCII", "\xC9T\xC9=upper\r\n\xE9t\xE9=lower\r\nStra\xDF" "e=s\r\nSTRASSE=t",
       {"\xE9t\xE9=lower", "STRASSE=t"}},
      {"long values cut at 1023",
       "L3=" + std::string(1023, 'v') + "\r\nL4=" + std::string(1024, 'v') + "\r\nQL=\"" + q1022 + "\"\r\nQM=\"" + q1022 +
           "\"q",
       {"L3=" + std::string(1023, 'v'), "L4=" + std::string(1023, 'v'), "QL=" + q1022, "QM=\"" + q1022}},
      {"a section past 64 KiB", wide, widePairs},
  };
  for (const auto& c : kCases) {
    TIniFile ini(Ini(c.body), WindowsFslPlatform());
    TStringList pairs;
    ini.ReadIniPairs("FSLAssociations", pairs);
    EXPECT_EQ(c.pairs, pairs.lines()) << c.label;
  }
}

}  // namespace

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

std::string ShortName(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string LongName(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD n = GetLongPathNameA(path.c_str(), buffer, sizeof buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

void WriteFile(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, f) << path;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

// Sets a file's last-write time to 1 January 1970, outside the DOS date range.
void MakeOld(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
  SYSTEMTIME st = {1970, 1, 4, 1, 12, 0, 0, 0};
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  EXPECT_TRUE(SetFileTime(h, nullptr, nullptr, &ft));
  CloseHandle(h);
}

class FslLookupWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    dir = LongName(temp) + "Fsl lookup test folder " + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    fslDir = dir + "\\Final storage labels";
    ASSERT_TRUE(CreateDirectoryA(fslDir.c_str(), nullptr));
    dataFile = dir + "\\Data file with a long name.dat";
    fslFile = fslDir + "\\Label with a long name.fsl";
    beside = dir + "\\Data file with a long name.fsl";
    for (const std::string& f : {dataFile, fslFile}) WriteFile(f, "x");
    key = ShortName(dataFile);
    ASSERT_FALSE(key.empty());
    ASSERT_NE(dataFile, key) << "no short name was made";
  }
  void TearDown() override {
    for (const std::string& f : created) DeleteFileA(f.c_str());
    for (const std::string& f : {dataFile, fslFile, beside}) DeleteFileA(f.c_str());
    RemoveDirectoryA(fslDir.c_str());
    RemoveDirectoryA(dir.c_str());
  }

  // A new INI file with `section` as its only section (a new name each time: the profile
  // functions may keep a file they have read).
  std::string Ini(const std::string& body) {
    std::string path = dir + "\\assoc" + std::to_string(created.size()) + ".ini";
    WriteFile(path, "[FSLAssociations]\r\n" + body);
    created.push_back(path);
    return path;
  }
  FslChoice Lookup(const std::string& ini) {
    return LookupFSLFile(WindowsFslPlatform(), ini, "FSLAssociations", dataFile);
  }

  std::string dir, fslDir, dataFile, fslFile, beside, key;
  std::vector<std::string> created;
};

std::string Lower(std::string s) {
  CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

TEST_F(FslLookupWinTest, EntriesGiveTheLongPathOrNone) {
  const std::string shortFsl = ShortName(fslFile);
  ASSERT_NE(fslFile, shortFsl);
  const struct {
    const char* label;
    std::string body;
    std::string fslFile;
    bool useFsl;
  } kCases[] = {
      {"short value", key + "=" + shortFsl + "\r\n", fslFile, true},
      {"key in lower case", Lower(key) + "=" + shortFsl + "\r\n", fslFile, true},
      {"missing component stays", key + "=" + ShortName(fslDir) + "\\GONE\\X.FSL\r\n",
       fslDir + "\\GONE\\X.FSL", true},
      {"empty value", key + "=\r\n", "", false},
      {"no entry, no .fsl beside", "C:\\X.DAT=C:\\X.FSL\r\n", "", true},
  };
  for (const auto& c : kCases) {
    FslChoice choice = Lookup(Ini(c.body));
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
}

TEST_F(FslLookupWinTest, WithoutAnEntryTheFslFileBesideCountsIfItHasADosTime) {
  WriteFile(beside, "x");
  std::string ini = Ini("");
  FslChoice choice = Lookup(ini);
  EXPECT_EQ(beside, choice.fslFile);
  EXPECT_TRUE(choice.useFsl);
  EXPECT_EQ(beside, Lookup(dir + "\\no such file.ini").fslFile);

  MakeOld(beside);
  choice = Lookup(ini);
  EXPECT_EQ("", choice.fslFile);
  EXPECT_TRUE(choice.useFsl);
  EXPECT_TRUE(IsExistingFile(WindowsFslPlatform(), dataFile));
  MakeOld(dataFile);
  EXPECT_FALSE(IsExistingFile(WindowsFslPlatform(), dataFile));
}

TEST_F(FslLookupWinTest, ProfileReadsKeepTheirBufferLimits) {
  std::string filler;
  for (int i = 0; i < 400; ++i)  // 400 keys of 24 characters: 10000 bytes of key names
    filler += "C:\\FILLER\\F" + std::to_string(10000 + i) + "XXXXXXX.DAT=C:\\F.FSL\r\n";
  WriteFile(beside, "x");
  const struct {
    const char* label;
    std::string body;
    std::string fslFile;
    bool useFsl;
  } kCases[] = {
      {"past the key-name limit with a value", filler + key + "=" + fslFile + "\r\n", beside, true},
      {"past the key-name limit, empty", filler + key + "=\r\n", "", false},
      {"value cut at 1023", key + "=" + fslDir + "\\" + std::string(1500, 'L') + "\r\n",
       (fslDir + "\\" + std::string(1500, 'L')).substr(0, 1023), true},
  };
  for (const auto& c : kCases) {
    FslChoice choice = Lookup(Ini(c.body));
    EXPECT_EQ(c.fslFile, choice.fslFile) << c.label;
    EXPECT_EQ(c.useFsl, choice.useFsl) << c.label;
  }
}

TEST_F(FslLookupWinTest, OneSectionReadAgreesWithReadingKeyByKey) {
  auto filler = [](size_t bytes) {  // key names taking `bytes` bytes with their NULs
    std::string text;
    for (int i = 0; bytes > 0; ++i) {
      size_t length = bytes - 1 <= 40 ? bytes - 1 : (bytes - 1 - 41 < 10 ? 20 : 40);
      std::string name = "K" + std::to_string(i);
      text += name + std::string(length - name.size(), 'x') + "=v\r\n";
      bytes -= length + 1;
    }
    return text;
  };
  const std::string quoted = "\"" + std::string(1022, 'q') + "\"";
  std::vector<std::string> bodies = {
      "B=2\r\nA=1\r\nC=\r\n",
      "a=1\r\nB=\r\nA=3\r\nb=4\r\na=\r\n",
      " Spaced key = spaced value \r\n;comment=x\r\nNoEquals\r\n=empty name\r\nAfter=1\r\n",
      "Q1=\"quoted\"\r\nQ2='single'\r\nQ3=\"\"\r\nQ4=\"open\r\nQ5=\"\r\nq1=x\r\n",
      "\xC9T\xC9=upper\r\n\xE9t\xE9=lower\r\nStra\xDF" "e=s\r\nSTRASSE=t\r\n",
      "L3=" + std::string(1023, 'v') + "\r\nL4=" + std::string(1024, 'v') + "\r\nQL=" + quoted +
          "\r\nQM=" + quoted + "q\r\nQN=\"" + std::string(1500, 'q') + "\"\r\n",
  };
  for (size_t tail : {6, 7, 8, 9, 10})  // the last name, "LASTKEY", around the 8192-byte edge
    bodies.push_back(filler(8192 - 1 - tail) + "LASTKEY=v\r\nLASTKEYS=w\r\n");
  bodies.push_back(filler(30000));
  for (size_t i = 0; i < bodies.size(); ++i) {
    TIniFile ini(Ini(bodies[i]), WindowsFslPlatform());
    TStringList once, byKey;
    ini.ReadIniPairs("FSLAssociations", once);
    ini.ReadIniPairsByKey("FSLAssociations", byKey);
    EXPECT_EQ(byKey.lines(), once.lines()) << "section " << i;
  }
}

}  // namespace

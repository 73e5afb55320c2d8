#include "fsl/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_fsl_platform.h"

namespace {

using Lines = std::vector<std::string>;

// Key names that fill `bytes` bytes of the key-name buffer, each with its NUL.
FakeFslPlatform::Entries Filler(size_t bytes) {
  FakeFslPlatform::Entries entries;
  for (int i = 0; bytes > 0; ++i) {
    // Never leave a remainder too short for a name of its own.
    size_t length = bytes - 1 <= 40 ? bytes - 1 : (bytes - 1 - 41 < 10 ? 20 : 40);
    std::string name = "K" + std::to_string(i);
    name += std::string(length - name.size(), 'x');
    entries.emplace_back(name, "C:\\F.FSL");
    bytes -= length + 1;
  }
  return entries;
}

TEST(ReadIniKeysTest, ReplacesTheListAndSeesOnlyNamesWithin8192Bytes) {
  const struct {
    const char* label;
    size_t fillerBytes;  // bytes taken by the names before "LAST"
    bool lastSeen;
  } kCases[] = {
      {"small section", 10, true},
      {"names and final NUL fill the buffer exactly", 8192 - 5 - 1, true},
      {"one byte more", 8192 - 5, false},
      {"far past the limit", 12000, false},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform platform;
    FakeFslPlatform::Entries entries = Filler(c.fillerBytes);
    entries.emplace_back("LAST", "x");
    platform.ini["a.ini"]["S"] = entries;
    TStringList keys;
    keys.add("stale");
    TIniFile("a.ini", platform).ReadIniKeys("S", keys);
    ASSERT_FALSE(keys.lines().empty()) << c.label;
    EXPECT_EQ(entries.front().first, keys.lines().front()) << c.label;
    EXPECT_EQ(c.lastSeen, keys.lines().back() == "LAST") << c.label << ": " << keys.lines().back();
  }
}

TEST(ReadIniPairsTest, OneLinePerKeyWithAValue) {
  const struct {
    const char* label;
    FakeFslPlatform::Entries entries;
    Lines before;
    Lines after;
  } kCases[] = {
      {"values in key order", {{"B", "2"}, {"A", "1"}}, {}, {"B=2", "A=1"}},
      {"empty values give no line", {{"A", ""}, {"B", "2"}}, {}, {"B=2"}},
      {"equal keys share the first one's line and value",
       {{"a", "1"}, {"B", "2"}, {"A", "3"}}, {}, {"A=1", "B=2"}},
      {"existing lines stay", {{"B", "2"}}, {"X=9"}, {"X=9", "B=2"}},
      {"an existing line of the key is replaced", {{"B", "2"}}, {"b=old", "X=9"}, {"B=2", "X=9"}},
      {"an empty value deletes the key's existing line", {{"B", ""}}, {"X=9", "b=old"}, {"X=9"}},
      {"no section", {}, {}, {}},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform platform;
    if (!c.entries.empty()) platform.ini["a.ini"]["S"] = c.entries;
    TStringList pairs;
    pairs.setLines(c.before);
    TIniFile("a.ini", platform).ReadIniPairs("S", pairs);
    EXPECT_EQ(c.after, pairs.lines()) << c.label;
  }
}

TEST(ReadIniPairsTest, OneSectionReadAgreesWithReadingKeyByKey) {
  // `head`, filler, then `tail`, the filler sized so that a tail name of 7 characters is the
  // last to fit in the key-name buffer.
  auto near = [](FakeFslPlatform::Entries head, FakeFslPlatform::Entries tail) {
    size_t used = 8;
    for (const auto& e : head) used += e.first.size() + 1;
    FakeFslPlatform::Entries entries = head, filler = Filler(8192 - 1 - used);
    entries.insert(entries.end(), filler.begin(), filler.end());
    entries.insert(entries.end(), tail.begin(), tail.end());
    return entries;
  };
  const struct {
    const char* label;
    FakeFslPlatform::Entries entries;
    Lines before;
  } kCases[] = {
      {"plain", {{"B", "2"}, {"A", "1"}, {"C", ""}}, {}},
      {"equal keys, first with a value", {{"a", "1"}, {"B", ""}, {"A", "3"}, {"b", "4"}}, {}},
      {"equal keys, first empty", {{"a", ""}, {"A", "3"}}, {}},
      {"long values", {{"L", std::string(1023, 'v')}, {"M", std::string(1024, 'w')}}, {}},
      {"existing lines", {{"B", "2"}, {"x", ""}, {"Y", "5"}}, {"X=9", "b=old", "X=8", "y"}},
      {"last key fits", near({}, {{"LASTKEY", "v"}}), {}},
      {"last key cut to a name of its own", near({}, {{"LASTKEYS", "v"}, {"LASTKEY", "w"}}), {}},
      {"cut name matches an earlier key", near({{"lastkey", "early"}}, {{"LASTKEYS", "v"}}), {}},
      {"far past the limit", near({}, Filler(20000)), {}},
  };
  for (const auto& c : kCases) {
    FakeFslPlatform platform;
    platform.ini["a.ini"]["S"] = c.entries;
    TIniFile ini("a.ini", platform);
    TStringList once, byKey;
    once.setLines(c.before);
    byKey.setLines(c.before);
    ini.ReadIniPairs("S", once);
    ini.ReadIniPairsByKey("S", byKey);
    EXPECT_EQ(byKey.lines(), once.lines()) << c.label;
  }
}

TEST(ReadIniPairsTest, ReadsTheSectionInAFewCalls) {
  FakeFslPlatform platform;
  platform.ini["a.ini"]["S"] = Filler(6000);
  platform.ini["a.ini"]["S"].emplace_back("LONG", std::string(2000, 'v'));
  TStringList pairs;
  TIniFile("a.ini", platform).ReadIniPairs("S", pairs);
  EXPECT_EQ(platform.ini["a.ini"]["S"].size(), pairs.count());
  EXPECT_EQ(3, platform.profileReads);  // key names, the section, the long value on its own
}

TEST(IndexOfNameTest, ComparesTheWholeNameBeforeTheFirstEquals) {
  FakeFslPlatform platform;
  const Lines lines = {"NOEQUALS", "C:\\A.DAT=x=y", "c:\\b.dat=1", "C:\\B.DAT=2"};
  const struct {
    const char* name;
    int index;
  } kCases[] = {
      {"C:\\B.DAT", 2}, {"c:\\a.dat", 1}, {"C:\\A.DAT=x", -1}, {"NOEQUALS", -1}, {"C:\\A", -1},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.index, IndexOfName(platform, lines, c.name)) << c.name;
}

}  // namespace

#include "dialogs/file_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dialog_types.h"
#include "dialogs/open_dialog.h"

namespace {

// A literal with its embedded NULs.
template <size_t N>
std::string Raw(const char (&text)[N]) { return std::string(text, N - 1); }

std::string Bytes(const std::vector<char>& v) { return std::string(v.begin(), v.end()); }

TEST(OpenOptionFlagsTest, EachMemberMapsToItsPlatformFlag) {
  const struct {
    TOpenOption member;
    uint32_t flag;
  } kCases[] = {
      {ofReadOnly, 0x1},           {ofOverwritePrompt, 0x2},      {ofHideReadOnly, 0x4},
      {ofNoChangeDir, 0x8},        {ofShowHelp, 0x10},            {ofNoValidate, 0x100},
      {ofAllowMultiSelect, 0x200}, {ofExtensionDifferent, 0x400}, {ofPathMustExist, 0x800},
      {ofFileMustExist, 0x1000},   {ofCreatePrompt, 0x2000},      {ofShareAware, 0x4000},
      {ofNoReadOnlyReturn, 0x8000}, {ofNoTestFileCreate, 0x10000}, {ofNoNetworkButton, 0x20000},
      {ofNoLongNames, 0x40000},    {ofOldStyleDialog, 0x80000},   {ofNoDereferenceLinks, 0x100000},
  };
  // One row per member of the published set, in member order.
  ASSERT_EQ(OpenOptionsType().names.size(), std::size(kCases)) << "a member without a row";
  for (size_t i = 0; i < std::size(kCases); ++i) EXPECT_EQ(i, size_t(kCases[i].member)) << "row " << i;
  for (const auto& c : kCases) {
    EXPECT_EQ(c.flag, OpenOptionFlags[c.member]) << "member " << c.member;
    EXPECT_EQ(c.flag, OptionFlags(SetOf(c.member))) << "member " << c.member;
  }
  EXPECT_EQ(0u, OptionFlags(0));
  EXPECT_EQ(0x203u, OptionFlags(SetOf(ofReadOnly) | SetOf(ofOverwritePrompt) | SetOf(ofAllowMultiSelect)));
}

TEST(StandardFileDialogFlagsTest, ExplorerBitFollowsOldStyleOptionAndNewStyleFlag) {
  const struct {
    TOpenOptions options;
    bool newStyle;
    uint32_t flags;
    bool oldStyle;
  } kCases[] = {
      {0, true, 0x80020, false},
      {SetOf(ofOldStyleDialog), true, 0x20, true},
      {0, false, 0x20, true},
      {SetOf(ofOldStyleDialog), false, 0x20, true},
      {SetOf(ofOverwritePrompt), true, 0x80022, false},
      {SetOf(ofAllowMultiSelect) | SetOf(ofFileMustExist), true, 0x81220, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.flags, StandardFileDialogFlags(c.options, c.newStyle))
        << "options " << c.options << " new style " << c.newStyle;
    EXPECT_EQ(c.oldStyle, IsOldStyleFileDialog(c.options, c.newStyle))
        << "options " << c.options << " new style " << c.newStyle;
  }
}

TEST(MakeFilterBufferTest, BarsBecomeNulsAndTheBufferEndsInTwo) {
  const struct {
    const char* filter;
    std::string bytes;
  } kCases[] = {
      {"", std::string()},
      {"A|*.a", Raw("A\0*.a\0\0")},
      {"Text (*.txt)|*.txt|All|*.*", Raw("Text (*.txt)\0*.txt\0All\0*.*\0\0")},
      {"|", Raw("\0\0\0")},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.bytes, Bytes(MakeFilterBuffer(c.filter))) << c.filter;
}

TEST(MakeFileBufferTest, HoldsAtMostMaxFileCharactersAndTwoSpareZeros) {
  std::vector<char> small = MakeFileBuffer("C:\\a.txt", 260);
  ASSERT_EQ(262u, small.size());
  EXPECT_EQ("C:\\a.txt", std::string(small.data()));
  std::string longName(300, 'x');
  std::vector<char> cut = MakeFileBuffer(longName, 260);
  ASSERT_EQ(262u, cut.size());
  EXPECT_EQ(std::string(260, 'x'), std::string(cut.data()));
  EXPECT_EQ(8194u, MakeFileBuffer("", 8192).size());
}

TEST(ExtractNameTest, StopsAtSeparatorOrNul) {
  const char buffer[] = "C:\\D A B\0\0";
  size_t size = sizeof buffer;
  ExtractedName a = ExtractName(buffer, size, 0, ' ');
  EXPECT_EQ("C:\\D", a.name);
  EXPECT_EQ(5u, a.next);
  ExtractedName b = ExtractName(buffer, size, 7, ' ');
  EXPECT_EQ("B", b.name);
  EXPECT_EQ(8u, b.next);  // the stopping NUL itself
  ExtractedName c = ExtractName(buffer, size, b.next, ' ');
  EXPECT_EQ("", c.name);
  ExtractedName d = ExtractName(buffer, size, 0, '\0');
  EXPECT_EQ("C:\\D A B", d.name);
  EXPECT_EQ(9u, d.next);
  EXPECT_EQ("", ExtractName(buffer, size, size + 5, '\0').name);
}

TEST(ExtractNameTest, NeverReadsPastTheBuffer) {
  const char unterminated[3] = {'a', 'b', 'c'};
  ExtractedName n = ExtractName(unterminated, 3, 0, '\0');
  EXPECT_EQ("abc", n.name);
  EXPECT_EQ(3u, n.next);
}

TEST(CollectFileNamesTest, AnswersBecomeFullPaths) {
  const struct {
    const char* label;
    std::string buffer;
    char separator;
    std::vector<std::string> names;
  } kCases[] = {
      {"single", Raw("C:\\Data\\a.txt\0\0"), '\0', {"C:\\Data\\a.txt"}},
      {"explorer two", Raw("C:\\Data\0a.txt\0b.txt\0\0"), '\0',
       {"C:\\Data\\a.txt", "C:\\Data\\b.txt"}},
      {"drive root", Raw("C:\\\0a.txt\0b.txt\0\0"), '\0', {"C:\\a.txt", "C:\\b.txt"}},
      {"absolute names", Raw("C:\\Data\0D:\\x\\b.txt\0\\srv\\c.txt\0\0"), '\0',
       {"D:\\x\\b.txt", "\\srv\\c.txt"}},
      {"three characters are not absolute", Raw("C:\\Data\0C:\\\0\0"), '\0',
       {"C:\\Data\\C:\\"}},
      {"old style blanks", Raw("C:\\DATA A.TXT B.TXT\0\0"), ' ',
       {"C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}},
      {"old style one name", Raw("C:\\DATA\\A.TXT\0\0"), ' ', {"C:\\DATA\\A.TXT"}},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.names, CollectFileNames(c.buffer.data(), c.buffer.size(), c.separator)) << c.label;
}

TEST(ApplyFileDialogAnswerTest, WritesNamesOptionsAndFilterIndex) {
  TOpenDialog dialog(nullptr);
  dialog.FOptions = SetOf(ofReadOnly) | SetOf(ofHideReadOnly);
  dialog.FFiles.add("stale");
  std::string answer("C:\\My Data\\a b.txt\0\0", 20);
  ApplyFileDialogAnswer(dialog, answer.data(), answer.size(), '\0', ofn::kExtensionDifferent, 3);
  EXPECT_EQ("C:\\My Data\\a b.txt", dialog.FFileName);
  EXPECT_EQ(std::vector<std::string>{"C:\\My Data\\a b.txt"}, dialog.FFiles.lines());
  EXPECT_EQ(SetOf(ofHideReadOnly) | SetOf(ofExtensionDifferent), dialog.FOptions);
  EXPECT_EQ(3, dialog.FFilterIndex);
}

TEST(ApplyFileDialogAnswerTest, MultiSelectTakesTheFirstNameAsFileName) {
  TOpenDialog dialog(nullptr);
  dialog.FOptions = SetOf(ofAllowMultiSelect);
  std::string answer("C:\\DATA A.TXT B.TXT\0\0", 21);
  ApplyFileDialogAnswer(dialog, answer.data(), answer.size(), ' ', ofn::kReadOnly, 1);
  EXPECT_EQ("C:\\DATA\\A.TXT", dialog.FFileName);
  EXPECT_EQ((std::vector<std::string>{"C:\\DATA\\A.TXT", "C:\\DATA\\B.TXT"}), dialog.FFiles.lines());
  EXPECT_EQ(SetOf(ofAllowMultiSelect) | SetOf(ofReadOnly), dialog.FOptions);
}

}  // namespace

#include "dialogs/modern_file_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/file_names.h"

namespace {

template <size_t N>
std::string Raw(const char (&text)[N]) { return std::string(text, N - 1); }

TEST(ModernFileDialogTest, OptionsMapToFlagsOrToTheClassicDialog) {
  const struct {
    TOpenOptions options;
    bool oldStyle;
    uint32_t flags;      // besides kForceFileSystem
    int classicOption;   // -1: the modern dialog can show it
  } kCases[] = {
      {0, false, 0, -1},
      {SetOf(ofOverwritePrompt) | SetOf(ofNoChangeDir), false, fos::kOverwritePrompt | fos::kNoChangeDir, -1},
      {SetOf(ofAllowMultiSelect) | SetOf(ofFileMustExist) | SetOf(ofPathMustExist), false,
       fos::kAllowMultiSelect | fos::kFileMustExist | fos::kPathMustExist, -1},
      {SetOf(ofNoValidate) | SetOf(ofCreatePrompt) | SetOf(ofShareAware), false,
       fos::kNoValidate | fos::kCreatePrompt | fos::kShareAware, -1},
      {SetOf(ofNoReadOnlyReturn) | SetOf(ofNoTestFileCreate) | SetOf(ofNoDereferenceLinks), false,
       fos::kNoReadOnlyReturn | fos::kNoTestFileCreate | fos::kNoDereferenceLinks, -1},
      // The read-only box, the answer-only option and the old-style-only ones set no flag.
      {SetOf(ofReadOnly) | SetOf(ofHideReadOnly) | SetOf(ofExtensionDifferent) | SetOf(ofNoNetworkButton) |
           SetOf(ofNoLongNames),
       false, 0, -1},
      {SetOf(ofShowHelp) | SetOf(ofFileMustExist), false, fos::kFileMustExist, ofShowHelp},
      // Old style is decided with the new-style flag: the option alone does not choose it.
      {SetOf(ofOldStyleDialog), false, 0, -1},
      {SetOf(ofOldStyleDialog), true, 0, ofOldStyleDialog},
      {0, true, 0, ofOldStyleDialog},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.flags | fos::kForceFileSystem, ModernDialogFlags(c.options)) << std::hex << c.options;
    EXPECT_EQ(c.classicOption, ClassicOnlyOption(c.options, c.oldStyle)) << std::hex << c.options;
  }
}

TEST(ModernFileDialogTest, TheTableHasEveryOptionInOrder) {
  for (int i = 0; i < 18; ++i) EXPECT_EQ(i, kModernOptions[i].option);
}

TEST(ModernFileDialogTest, FilterBecomesNameAndPatternPairs) {
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Pairs{}, FilterPairs(""));
  EXPECT_EQ((Pairs{{"Text", "*.txt"}, {"All", "*.*"}}), FilterPairs("Text|*.txt|All|*.*"));
  EXPECT_EQ((Pairs{{"Odd", ""}}), FilterPairs("Odd"));
  EXPECT_EQ((Pairs{{"A", "*.a;*.b"}, {"", ""}}), FilterPairs("A|*.a;*.b||"));
}

TEST(ModernFileDialogTest, StartFolderIsTheFileNamesFolderElseTheInitialOne) {
  EXPECT_EQ("C:\\Data", StartFolder("C:\\Data\\a.txt", "D:\\Other"));
  EXPECT_EQ("C:\\", StartFolder("C:\\a.txt", "D:\\Other"));
  EXPECT_EQ("D:\\Other", StartFolder("a.txt", "D:\\Other"));
  EXPECT_EQ("", StartFolder("", ""));
}

// The answer is read back by the code that reads the classic dialog's buffer.
TEST(ModernFileDialogTest, AnswerIsTheClassicBufferAndReadsBackToTheSamePaths) {
  const struct {
    std::vector<std::string> paths;
    std::string buffer;
  } kCases[] = {
      {{"C:\\Data\\a.txt"}, Raw("C:\\Data\\a.txt\0\0")},
      {{"C:\\Data\\b.txt", "C:\\Data\\a.txt"}, Raw("C:\\Data\0b.txt\0a.txt\0\0")},
      {{"C:\\b.txt", "C:\\a.txt"}, Raw("C:\\\0b.txt\0a.txt\0\0")},
      // A name in another folder (or a subfolder) goes whole.
      {{"C:\\Data\\a.txt", "C:\\Other\\b.txt", "C:\\Data\\Sub\\c.txt"},
       Raw("C:\\Data\0a.txt\0C:\\Other\\b.txt\0C:\\Data\\Sub\\c.txt\0\0")},
  };
  for (const auto& c : kCases) {
    const std::string answer = ExplorerAnswer(c.paths);
    EXPECT_EQ(c.buffer, answer);
    EXPECT_EQ(c.paths, CollectFileNames(answer.data(), answer.size(), '\0'));
  }
}

// As the classic dialog reports it: only an extension it appended to a name typed without one.
TEST(ModernFileDialogTest, ExtensionDiffersOnlyWhenAnotherOneWasAppended) {
  const struct {
    const char* typed;
    const char* path;
    const char* defaultExt;
    bool differs;
  } kCases[] = {
      {"a", "C:\\a.dat", "", false},          {"a", "C:\\a.txt", "txt", false},
      {"a", "C:\\a.TXT", "txt", false},       {"a", "C:\\a.dat", "txt", true},
      {"a.dat", "C:\\a.dat", "txt", false},   {"a", "C:\\a", "txt", false},
      {"x.y\\a", "C:\\x.y\\a.dat", "txt", true}, {"a", "C:\\a.html", "htm", true},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.differs, ExtensionDiffers(c.typed, c.path, c.defaultExt)) << c.typed << " -> " << c.path;
}

}  // namespace

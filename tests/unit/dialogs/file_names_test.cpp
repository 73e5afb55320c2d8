#include "dialogs/file_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/open_dialog.h"

namespace {

// A literal with its embedded NULs.
template <size_t N>
std::string Raw(const char (&text)[N]) { return std::string(text, N - 1); }

std::string Bytes(const std::vector<char>& v) { return std::string(v.begin(), v.end()); }

// The option flags, the Explorer choice and the file name buffer are checked on the record the
// platform gets (tests/win/commdlg/file_dialog_win_test.cpp).
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

TEST(ReplaceAnswerNamesTest, ReplacesRefusesAndFits) {
  using namespace std::string_literals;
  // "?" marks a name to shorten; "!" one to refuse.
  auto shorten = [](const std::string& path) -> std::optional<std::string> {
    if (path.find('!') != std::string::npos) return std::nullopt;
    if (path.find("C:\\?") == 0) return "C:\\SHORTD~1\\" + path.substr(path.rfind('\\') + 1);
    return path.find('?') == std::string::npos ? path : path.substr(0, path.rfind('\\') + 1) + "SHORT~1.DAT";
  };
  const struct {
    const char* label;
    std::string answer;
    size_t capacity;
    std::optional<std::string> result;
  } kCases[] = {
      {"one name kept", "C:\\d\\a.dat\0\0"s, 64, "C:\\d\\a.dat\0\0"s},
      {"one name shortened", "C:\\d\\??.dat\0\0"s, 64, "C:\\d\\SHORT~1.DAT\0\0"s},
      {"several, one shortened", "C:\\d\0a.dat\0??.dat\0\0"s, 64, "C:\\d\0a.dat\0SHORT~1.DAT\0\0"s},
      {"several in a shortened directory", "C:\\?\0a.dat\0b.dat\0\0"s, 64,
       "C:\\?\0C:\\SHORTD~1\\a.dat\0C:\\SHORTD~1\\b.dat\0\0"s},
      {"refused", "C:\\d\0a.dat\0!.dat\0\0"s, 64, std::nullopt},
      {"does not fit", "C:\\d\\??.dat\0\0"s, 17, std::nullopt},
      {"fits exactly", "C:\\d\\??.dat\0\0"s, 18, "C:\\d\\SHORT~1.DAT\0\0"s},
  };
  for (const auto& c : kCases) {
    std::string buffer = c.answer;
    buffer.resize(std::max(buffer.size(), c.capacity), '\0');
    EXPECT_EQ(c.result, ReplaceAnswerNames(buffer.data(), c.capacity, shorten)) << c.label;
  }
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

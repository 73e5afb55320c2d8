#include "streaming/reply_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "testing/expect_throw_msg.h"

namespace {

const std::string kReply =
    "object X: TFontDialog\r\n"
    "  Ctl3D = False\r\n"
    "  Font.Name = 'It'#39's'\r\n"
    "  Font.Height = -27\r\n"
    "  Font.Style = [fsBold, fsItalic]\r\n"
    "  FileEditStyle = fsEdit\r\n"
    "  HistoryList.Strings = (\r\n"
    "    'a'\r\n"
    "    'b'#13#10'c')\r\n"
    "  Options = []\r\n"
    "  Ratio = 1.5\r\n"
    "end\r\n";

TEST(ReplyReaderTest, ReadsEachKindOfValueByItsNameInAnyCase) {
  TReplyReader reply(kReply);
  EXPECT_EQ("TFontDialog", reply.className());
  EXPECT_EQ("X", reply.objectName());
  const struct { const char* path; ReadResult result; std::string value; } kStrings[] = {
      {"Font.Name", ReadResult::Found, "It's"}, {"font.NAME", ReadResult::Found, "It's"},
      {"FileEditStyle", ReadResult::Found, "fsEdit"}, {"Ctl3D", ReadResult::Found, "False"},
      {"Title", ReadResult::Absent, ""}, {"Font.Height", ReadResult::WrongType, ""},
      {"Font.Style", ReadResult::WrongType, ""}, {"Ratio", ReadResult::WrongType, ""},
  };
  for (const auto& c : kStrings) {
    std::string value;
    EXPECT_EQ(c.result, reply.string(c.path, value)) << c.path;
    EXPECT_EQ(c.value, value) << c.path;
  }
  const struct { const char* path; ReadResult result; int32_t value; } kIntegers[] = {
      {"Font.Height", ReadResult::Found, -27}, {"Ctl3D", ReadResult::Found, 0},
      {"Font.Name", ReadResult::WrongType, 7}, {"Color", ReadResult::Absent, 7},
  };
  for (const auto& c : kIntegers) {
    int32_t value = 7;
    EXPECT_EQ(c.result, reply.integer(c.path, value)) << c.path;
    EXPECT_EQ(c.value, value) << c.path;
  }
  const struct { const char* path; ReadResult result; std::vector<std::string> value; } kLists[] = {
      {"Font.Style", ReadResult::Found, {"fsBold", "fsItalic"}}, {"Options", ReadResult::Found, {}},
      {"HistoryList.Strings", ReadResult::WrongType, {}}, {"Title", ReadResult::Absent, {}},
  };
  for (const auto& c : kLists) {
    std::vector<std::string> members{"untouched"};
    EXPECT_EQ(c.result, reply.set(c.path, members)) << c.path;
    if (c.result == ReadResult::Found) {
      EXPECT_EQ(c.value, members) << c.path;
    }
  }
  std::vector<std::string> items;
  EXPECT_EQ(ReadResult::Found, reply.list("HistoryList", items));
  EXPECT_EQ((std::vector<std::string>{"a", "b\r\nc"}), items);
  EXPECT_EQ(ReadResult::WrongType, reply.list("Font.Style", items));
}

TEST(ReplyReaderTest, AMalformedReplyFailsAsARequestWould) {
  EXPECT_THROW_MSG(TReplyReader("object X: TOpenDialog\r\n  Title 'x'\r\nend\r\n"), EParserError,
                   "''='' expected on line 2");
}

}  // namespace

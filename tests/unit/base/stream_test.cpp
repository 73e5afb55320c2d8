#include "base/stream.h"

#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "testing/expect_throw_msg.h"

namespace {

std::string ReadUpTo(TStream& stream, size_t count) {
  std::string buffer(count, '\0');
  buffer.resize(stream.read(&buffer[0], count));
  return buffer;
}

TEST(MemoryStream, ReadsWritesAndOverwritesAtThePosition) {
  TMemoryStream s(std::string("ab\0c", 4));
  EXPECT_EQ(0, s.position());
  EXPECT_EQ(std::string("ab\0", 3), ReadUpTo(s, 3));
  EXPECT_EQ("c", ReadUpTo(s, 10));
  EXPECT_EQ("", ReadUpTo(s, 10));
  s.setPosition(1);
  s.write("BC", 2);
  EXPECT_EQ("aBCc", s.str());
  EXPECT_EQ(3, s.position());
  s.seek(2, SeekOrigin::End);  // writing past the end fills the gap with zeros
  s.write("z", 1);
  EXPECT_EQ(std::string("aBCc\0\0z", 7), s.str());
}

TEST(MemoryStream, SeeksFromEachOriginAndNeverBelowZero) {
  TMemoryStream s("0123456789");
  struct Case {
    int64_t offset;
    SeekOrigin origin;
    int64_t expected;
  } cases[] = {
      {2, SeekOrigin::Beginning, 2}, {2, SeekOrigin::Current, 7},  {-3, SeekOrigin::End, 7},
      {4, SeekOrigin::End, 14},      {-9, SeekOrigin::Current, 0}, {-1, SeekOrigin::Beginning, 0},
  };
  for (const Case& c : cases) {
    s.setPosition(5);
    EXPECT_EQ(c.expected, s.seek(c.offset, c.origin)) << c.offset << " origin " << int(c.origin);
  }
  s.setPosition(2);
  EXPECT_EQ(10, s.size());
  EXPECT_EQ(2, s.position());  // size() leaves the position alone
}

TEST(MemoryStream, SetSizeAndClearKeepThePositionInside) {
  TMemoryStream s("abcdef");
  s.setPosition(5);
  s.setSize(3);
  EXPECT_EQ("abc", s.str());
  EXPECT_EQ(3, s.position());
  s.setSize(5);
  EXPECT_EQ(std::string("abc\0\0", 5), s.str());
  s.setSize(1);
  s.setPosition(3);
  s.write("x", 1);  // written past the end: the gap is zeros, not the old bytes
  EXPECT_EQ(std::string("a\0\0x", 4), s.str());
  s.clear();
  EXPECT_EQ(0, s.size());
  EXPECT_EQ(0, s.position());
  std::string expected;
  for (int i = 0; i < 100000; ++i) {  // growth keeps every byte
    char c = static_cast<char>('a' + i % 26);
    s.write(&c, 1);
    expected += c;
  }
  EXPECT_EQ(expected, s.str());
}

TEST(Stream, ReadBufferReadsExactlyOrFailsWithReadError) {
  TMemoryStream s("abcdef");
  char buffer[8] = {};
  s.readBuffer(buffer, 4);
  EXPECT_EQ("abcd", std::string(buffer, 4));
  s.readBuffer(buffer, 0);
  EXPECT_THROW_MSG(s.readBuffer(buffer, 3), EReadError, "Stream read error");
  s.writeBuffer("xyz", 3);
  EXPECT_EQ("abcdefxyz", s.str());
}

}  // namespace

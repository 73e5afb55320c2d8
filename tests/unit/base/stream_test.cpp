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

}  // namespace

TEST(MemoryStream, WriteGrowsAndAdvances) {
  TMemoryStream s;
  EXPECT_EQ(0, s.size());
  EXPECT_EQ(5u, s.write("hello", 5));
  EXPECT_EQ(5, s.position());
  EXPECT_EQ(3u, s.write(" yo", 3));
  EXPECT_EQ(8, s.size());
  EXPECT_EQ("hello yo", s.str());
  EXPECT_EQ(8u, s.length());
}

TEST(MemoryStream, ConstructedFromBytesStartsAtTheBeginning) {
  TMemoryStream s(std::string("ab\0c", 4));
  EXPECT_EQ(0, s.position());
  EXPECT_EQ(4, s.size());
  EXPECT_EQ(std::string("ab\0c", 4), ReadUpTo(s, 10));
}

TEST(MemoryStream, ReadStopsAtTheEnd) {
  TMemoryStream s("hello");
  EXPECT_EQ("hel", ReadUpTo(s, 3));
  EXPECT_EQ("lo", ReadUpTo(s, 10));
  EXPECT_EQ("", ReadUpTo(s, 10));
  EXPECT_EQ(5, s.position());
}

TEST(MemoryStream, OverwritesInPlace) {
  TMemoryStream s("hello");
  s.setPosition(1);
  s.write("EL", 2);
  EXPECT_EQ("hELlo", s.str());
  EXPECT_EQ(3, s.position());
}

TEST(MemoryStream, SeekFromEachOrigin) {
  TMemoryStream s("0123456789");
  struct Case {
    int64_t start, offset;
    SeekOrigin origin;
    int64_t expected;
  };
  const Case cases[] = {
      {5, 2, SeekOrigin::Beginning, 2},  {5, 2, SeekOrigin::Current, 7},
      {5, -2, SeekOrigin::Current, 3},   {5, -3, SeekOrigin::End, 7},
      {5, 0, SeekOrigin::End, 10},       {5, 4, SeekOrigin::End, 14},
      {5, -9, SeekOrigin::Current, 0},   {5, -20, SeekOrigin::End, 0},
      {5, -1, SeekOrigin::Beginning, 0},
  };
  for (const Case& c : cases) {
    s.setPosition(c.start);
    EXPECT_EQ(c.expected, s.seek(c.offset, c.origin)) << c.offset << " origin " << int(c.origin);
    EXPECT_EQ(c.expected, s.position());
  }
  EXPECT_EQ(10, s.size());
}

TEST(MemoryStream, SizeLeavesThePositionAlone) {
  TMemoryStream s("abcdef");
  s.setPosition(2);
  EXPECT_EQ(6, s.size());
  EXPECT_EQ(2, s.position());
}

TEST(MemoryStream, WriteAfterSeekPastTheEndExtends) {
  TMemoryStream s("ab");
  s.seek(2, SeekOrigin::End);
  s.write("z", 1);
  EXPECT_EQ(5, s.size());
  EXPECT_EQ('z', s.str()[4]);
  EXPECT_EQ("ab", s.str().substr(0, 2));
}

TEST(MemoryStream, SetSizeTruncatesAndGrows) {
  TMemoryStream s("abcdef");
  s.setPosition(5);
  s.setSize(3);
  EXPECT_EQ("abc", s.str());
  EXPECT_EQ(3, s.position());  // clamped to the new end
  s.setSize(5);
  EXPECT_EQ(5, s.size());
  EXPECT_EQ(std::string("abc\0\0", 5), s.str());
  EXPECT_EQ(3, s.position());
}

TEST(MemoryStream, ClearEmpties) {
  TMemoryStream s("abc");
  s.clear();
  EXPECT_EQ(0, s.size());
  EXPECT_EQ(0, s.position());
  EXPECT_EQ("", s.str());
  s.write("x", 1);
  EXPECT_EQ("x", s.str());
}

TEST(MemoryStream, ManySmallWritesKeepEveryByte) {
  TMemoryStream s;
  std::string expected;
  for (int i = 0; i < 100000; ++i) {
    char c = static_cast<char>('a' + i % 26);
    s.write(&c, 1);
    expected += c;
  }
  EXPECT_EQ(expected.size(), s.length());
  EXPECT_EQ(expected, s.str());
}

TEST(Stream, ReadBufferReadsExactly) {
  TMemoryStream s("abcdef");
  char buffer[4] = {};
  s.readBuffer(buffer, 4);
  EXPECT_EQ("abcd", std::string(buffer, 4));
  s.readBuffer(buffer, 2);
  EXPECT_EQ("ef", std::string(buffer, 2));
  s.readBuffer(buffer, 0);  // nothing asked, nothing missing
  EXPECT_EQ(6, s.position());
}

TEST(Stream, ReadBufferFailsWhenTooFewBytesRemain) {
  TMemoryStream s("abc");
  char buffer[8];
  s.setPosition(1);
  EXPECT_THROW_MSG(s.readBuffer(buffer, 3), EReadError, "Stream read error");
  s.setPosition(3);
  EXPECT_THROW_MSG(s.readBuffer(buffer, 1), EReadError, "Stream read error");
}

TEST(Stream, ReadErrorIsAFilerAndStreamError) {
  TMemoryStream s;
  char c;
  EXPECT_THROW_MSG(s.readBuffer(&c, 1), EStreamError, "Stream read error");
}

TEST(Stream, WriteBufferWritesEverything) {
  TMemoryStream s;
  s.writeBuffer("abc", 3);
  s.writeBuffer("", 0);
  EXPECT_EQ("abc", s.str());
  EXPECT_EQ(3, s.position());
}

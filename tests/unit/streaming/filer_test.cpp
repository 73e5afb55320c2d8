#include "streaming/filer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "base/errors.h"

namespace {

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(two, sizeof two, i ? " %02X" : "%02X", static_cast<uint8_t>(bytes[i]));
    out += two;
  }
  return out;
}

// Bytes from hex pairs separated by blanks: "06 01 41".
std::string Bytes(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 3)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

template <typename F>
std::string Written(F&& f) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    f(writer);
  }
  return Hex(stream.str());
}

// The message of the EReadError that `f` throws on a reader over `bytes`.
template <typename F>
std::string ReadFailure(const std::string& bytes, F&& f) {
  TMemoryStream stream(bytes);
  TReader reader(stream);
  try {
    f(reader);
  } catch (const EReadError& e) {
    return e.message();
  }
  return "no failure";
}

class FailingStream : public TStream {
 public:
  size_t read(void*, size_t) override { return 0; }
  size_t write(const void*, size_t) override { return 0; }
  int64_t seek(int64_t, SeekOrigin) override { return 0; }
};

TEST(Writer, WritesTheValueForms) {
  const struct { std::function<void(TWriter&)> write; const char* bytes; } cases[] = {
      {[](TWriter& w) { w.writeSignature(); }, "54 50 46 30"},
      {[](TWriter& w) { w.writeListBegin(); w.writeListEnd(); }, "01 00"},
      {[](TWriter& w) { w.writePrefix(0, 5); }, ""},
      {[](TWriter& w) { w.writePrefix(kFilerInherited, 5); }, "F1"},
      {[](TWriter& w) { w.writePrefix(kFilerInherited | kFilerChildPos, 300); }, "F3 03 2C 01"},
      {[](TWriter& w) { w.writeStr("ab"); }, "02 61 62"},
      {[](TWriter& w) { w.writeInteger(-128); w.writeInteger(-129); }, "02 80 03 7F FF"},
      {[](TWriter& w) { w.writeInteger(32767); w.writeInteger(-32769); }, "03 FF 7F 04 FF 7F FF FF"},
      {[](TWriter& w) { w.writeInteger(-32768); w.writeInteger(INT_MIN); }, "03 00 80 04 00 00 00 80"},
      {[](TWriter& w) { w.writeFloat(1.0L); }, "05 00 00 00 00 00 00 00 80 FF 3F"},
      {[](TWriter& w) { w.writeString(""); }, "06 00"},
      {[](TWriter& w) { w.writeIdent("false"); }, "08"},
      {[](TWriter& w) { w.writeIdent("TRUE"); }, "09"},
      {[](TWriter& w) { w.writeIdent("Nil"); }, "0D"},
      {[](TWriter& w) { w.writeIdent("Nils"); }, "07 04 4E 69 6C 73"},
      {[](TWriter& w) { w.writeBoolean(true); w.writeBoolean(false); }, "09 08"},
      {[](TWriter& w) { w.writeBinary([](TStream& s) { s.writeBuffer("\x0A\x1B", 2); }); },
       "0A 02 00 00 00 0A 1B"},
  };
  for (const auto& c : cases) EXPECT_EQ(Written(c.write), c.bytes) << "expected " << c.bytes;
}

TEST(Writer, CutsShortStringsAt255Bytes) {
  EXPECT_EQ(Written([](TWriter& w) { w.writeStr(std::string(300, 'x')); }),
            Hex('\xFF' + std::string(255, 'x')));
}

TEST(Writer, BuffersUntilFullAndFlushesOnDestructionEvenWhenUnwinding) {
  TMemoryStream stream;
  try {
    TWriter writer(stream);
    writer.write(std::string(4095, 'a').data(), 4095);
    EXPECT_EQ(stream.length(), 0u);
    writer.write("bc", 2);
    EXPECT_EQ(stream.length(), 4096u);
    throw EReadError("stop");
  } catch (const EReadError&) {
  }
  EXPECT_EQ(stream.str(), std::string(4095, 'a') + "bc");
}

TEST(Writer, ReportsAFailedFlushButNeverThrowsFromItsDestructor) {
  FailingStream stream;
  TWriter writer(stream);
  writer.writeStr("x");
  try {
    writer.flushBuffer();
    FAIL() << "no failure";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.message(), "Stream write error");
  }
  writer.writeStr("y");  // the destructor's flush fails silently
}

TEST(Reader, ReadsTheValueForms) {
  TMemoryStream stream(Bytes("54 50 46 30 F3 02 05 F1 0B 06 02 61 62 0C 01 00 00 00 63 07 01 64 08 09 0D "
                             "05 00 00 00 00 00 00 00 C0 00 40 02 FE 03 00 80 04 00 00 00 80 01 00"));
  TReader reader(stream);
  reader.readSignature();
  uint8_t flags;
  int32_t position;
  reader.readPrefix(flags, position);
  EXPECT_EQ(flags, 3);
  EXPECT_EQ(position, 5);
  reader.readPrefix(flags, position);
  EXPECT_EQ(flags, 1);
  EXPECT_EQ(position, -1);
  reader.readPrefix(flags, position);  // 0B is no prefix and stays
  EXPECT_EQ(flags, 0);
  EXPECT_EQ(reader.nextValue(), ValueTag::Set);
  EXPECT_EQ(reader.readValue(), ValueTag::Set);
  EXPECT_EQ(reader.readString(), "ab");
  EXPECT_EQ(reader.readString(), "c");
  EXPECT_EQ(reader.readIdent(), "d");
  EXPECT_EQ(reader.readIdent(), "False");
  EXPECT_EQ(reader.readIdent(), "True");
  EXPECT_EQ(reader.readIdent(), "nil");
  EXPECT_EQ(reader.readFloat(), 3.0L);
  EXPECT_EQ(reader.readFloat(), -2.0L);
  EXPECT_EQ(reader.readInteger(), -32768);
  EXPECT_EQ(reader.readInteger(), INT_MIN);
  reader.readListBegin();
  EXPECT_TRUE(reader.endOfList());
  reader.readListEnd();
}

TEST(Reader, FailsOnWrongTagsShortInputAndImpossibleCounts) {
  const struct { const char* bytes; std::function<void(TReader&)> read; const char* message; } cases[] = {
      {"54 50 46 31", [](TReader& r) { r.readSignature(); }, "Invalid stream format"},
      {"54 50", [](TReader& r) { r.readSignature(); }, "Stream read error"},
      {"", [](TReader& r) { r.nextValue(); }, "Stream read error"},
      {"05 00 00", [](TReader& r) { r.readInteger(); }, "Invalid property value"},
      {"06 00", [](TReader& r) { r.readFloat(); }, "Invalid property value"},
      {"07 00", [](TReader& r) { r.readString(); }, "Invalid property value"},
      {"06 00", [](TReader& r) { r.readIdent(); }, "Invalid property value"},
      {"00", [](TReader& r) { r.readListBegin(); }, "Invalid property value"},
      {"F2 06 00", [](TReader& r) { uint8_t f; int32_t p; r.readPrefix(f, p); }, "Invalid property value"},
      {"05 61", [](TReader& r) { r.readStr(); }, "Stream read error"},
      {"0C FF FF FF 7F 61", [](TReader& r) { r.readString(); }, "Stream read error"},
      {"0C FF FF FF FF", [](TReader& r) { r.readString(); }, "Stream read error"},
      {"02 00 00 00 61", [](TReader& r) { r.readCount(); }, "Stream read error"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadFailure(Bytes(c.bytes), c.read), c.message) << c.bytes;
  EXPECT_EQ(ReadFailure(Bytes("02 00 00 00 61 62"), [](TReader& r) { EXPECT_EQ(r.readCount(), 2); }),
            "no failure");
}

TEST(Reader, ReadsAcrossBufferRefillsAndHandsBackUnusedBytes) {
  std::string text(10000, 'q');
  TMemoryStream stream("xx" + std::string("\x0C\x10\x27\x00\x00", 5) + text + "rest");
  stream.seek(2, SeekOrigin::Beginning);
  {
    TReader reader(stream);
    EXPECT_EQ(reader.readString(), text);
    EXPECT_EQ(reader.remaining(), 4);
  }
  EXPECT_EQ(stream.position(), 2 + 5 + 10000);
}

}  // namespace

// Reader and writer primitives of the binary component form, each working through a
// 4096-byte buffer over a caller's stream.
//
// Binary form by example: the component text
//     object X: TOpenDialog
//       FileName = 'a'
//     end
// becomes "TPF0", the short string "TOpenDialog" (0B 'TOpenDialog'), the short string "X"
// (01 'X'), the property entry: short string "FileName" then tag 06 (String) with 01 'a', then
// 00 (end of properties) and 00 (end of children).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/stream.h"

enum class ValueTag : uint8_t {
  End = 0,
  List = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended = 5,
  String = 6,
  Ident = 7,
  False = 8,
  True = 9,
  Binary = 10,
  Set = 11,
  LongString = 12,
  Nil = 13,
  Collection = 14,
};

// Object record prefix flags.
constexpr uint8_t kFilerInherited = 1;
constexpr uint8_t kFilerChildPos = 2;

// Deepest nesting of objects, lists and collection items that the converters and the object
// reader accept; deeper input fails cleanly instead of exhausting the stack.
constexpr int kMaxNestingDepth = 512;

class TReader {
 public:
  explicit TReader(TStream& stream, size_t bufferSize = 4096);
  // Moves the stream back over the bytes buffered but not consumed.
  ~TReader();
  TReader(const TReader&) = delete;
  TReader& operator=(const TReader&) = delete;

  // Raw bytes; EReadError "Stream read error" when the stream holds fewer.
  void read(void* buffer, size_t count);
  // Bytes still available: buffered plus the rest of the stream.
  int64_t remaining();

  void readSignature();  // "Invalid stream format" unless "TPF0"
  ValueTag readValue();  // consumes one tag byte
  ValueTag nextValue();  // peeks at the next tag byte
  bool endOfList();      // next byte is 0
  void checkValue(ValueTag tag);  // "Invalid property value" on any other tag
  void readListBegin();
  void readListEnd();
  // Consumes a byte with the upper four bits set, if there is one; flags are its lower bits.
  // childPos is the position that follows when kFilerChildPos is set, else -1.
  void readPrefix(uint8_t& flags, int32_t& childPos);
  std::string readStr();  // short string
  int32_t readInteger();
  long double readFloat();  // Extended, or any integer
  std::string readString();  // String or LongString
  std::string readIdent();   // Ident, False, True, Nil
  // Reads a 4-byte length or count and checks that the stream holds that many bytes:
  // a negative or too large value fails with "Stream read error".
  int32_t readCount();

 private:
  void refill();
  uint8_t readByte();

  TStream& stream_;
  std::vector<uint8_t> buffer_;
  size_t position_ = 0;
  size_t end_ = 0;
};

class TWriter {
 public:
  explicit TWriter(TStream& stream, size_t bufferSize = 4096);
  // Flushes the buffer; a failure to flush here is dropped (call flushBuffer to see it).
  ~TWriter();
  TWriter(const TWriter&) = delete;
  TWriter& operator=(const TWriter&) = delete;

  void write(const void* buffer, size_t count);
  void flushBuffer();

  void writeSignature();
  void writeValue(ValueTag tag);
  void writeListBegin();
  void writeListEnd();
  void writePrefix(uint8_t flags, int32_t childPos);
  void writeStr(const std::string& s);  // short string, cut at 255 bytes
  void writeInteger(int32_t value);     // smallest of Int8, Int16, Int32
  void writeFloat(long double value);
  void writeString(const std::string& s);  // String up to 255 bytes, else LongString
  void writeIdent(const std::string& s);   // False/True/nil (any case) become their tags
  void writeBoolean(bool value);
  // The producer writes into a temporary stream; then tag Binary, its 4-byte size, its bytes.
  void writeBinary(const std::function<void(TStream&)>& producer);

 private:
  TStream& stream_;
  std::vector<uint8_t> buffer_;
  size_t position_ = 0;
};

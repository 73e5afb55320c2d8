#include "streaming/filer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/errors.h"
#include "base/extended.h"
#include "base/messages.h"
#include "base/text.h"

namespace {

constexpr char kSignature[4] = {'T', 'P', 'F', '0'};
constexpr size_t kShortStringMax = 255;

[[noreturn]] void InvalidValue() { throw EReadError(msg::kInvalidPropertyValue); }

}  // namespace

// ---- TReader ----

TReader::TReader(TStream& stream, size_t bufferSize)
    : stream_(stream), buffer_(std::max<size_t>(bufferSize, 1)) {}

TReader::~TReader() {
  // Hand the bytes read ahead back to the stream, so it stands just after the last one used.
  if (end_ > position_) {
    try {
      stream_.seek(-static_cast<int64_t>(end_ - position_), SeekOrigin::Current);
    } catch (...) {
    }
  }
}

void TReader::refill() {
  size_t got = stream_.read(buffer_.data(), buffer_.size());
  if (got == 0) throw EReadError(msg::kReadError);
  position_ = 0;
  end_ = got;
}

uint8_t TReader::readByte() {
  if (position_ == end_) refill();
  return buffer_[position_++];
}

void TReader::read(void* buffer, size_t count) {
  uint8_t* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    if (position_ == end_) refill();
    size_t n = std::min(count, end_ - position_);
    std::memcpy(out, buffer_.data() + position_, n);
    position_ += n;
    out += n;
    count -= n;
  }
}

int64_t TReader::remaining() {
  int64_t here = stream_.position();
  int64_t rest = std::max<int64_t>(stream_.size() - here, 0);
  return static_cast<int64_t>(end_ - position_) + rest;
}

void TReader::readSignature() {
  char signature[sizeof kSignature];
  read(signature, sizeof signature);
  if (std::memcmp(signature, kSignature, sizeof kSignature) != 0)
    throw EReadError(msg::kInvalidImage);
}

ValueTag TReader::readValue() { return static_cast<ValueTag>(readByte()); }

ValueTag TReader::nextValue() {
  if (position_ == end_) refill();
  return static_cast<ValueTag>(buffer_[position_]);
}

bool TReader::endOfList() { return nextValue() == ValueTag::End; }

void TReader::checkValue(ValueTag tag) {
  if (readValue() != tag) InvalidValue();
}

void TReader::readListBegin() { checkValue(ValueTag::List); }

void TReader::readListEnd() { checkValue(ValueTag::End); }

void TReader::readPrefix(uint8_t& flags, int32_t& childPos) {
  flags = 0;
  childPos = -1;
  uint8_t next = static_cast<uint8_t>(nextValue());
  if ((next & 0xF0) != 0xF0) return;
  ++position_;
  flags = next & 0x0F;
  if (flags & kFilerChildPos) childPos = readInteger();
}

std::string TReader::readStr() {
  size_t length = readByte();
  std::string s(length, '\0');
  read(s.data(), length);
  return s;
}

int32_t TReader::readInteger() {
  switch (readValue()) {
    case ValueTag::Int8: {
      int8_t v;
      read(&v, 1);
      return v;
    }
    case ValueTag::Int16: {
      uint8_t b[2];
      read(b, sizeof b);
      return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
    }
    case ValueTag::Int32: {
      uint8_t b[4];
      read(b, sizeof b);
      uint32_t v = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                   (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
      return static_cast<int32_t>(v);
    }
    default:
      InvalidValue();
  }
}

long double TReader::readFloat() {
  if (nextValue() != ValueTag::Extended) return static_cast<long double>(readInteger());
  readValue();
  uint8_t bytes[kExtendedSize];
  read(bytes, sizeof bytes);
  return ExtendedToLongDouble(bytes);
}

int32_t TReader::readCount() {
  uint8_t b[4];
  read(b, sizeof b);
  uint32_t pattern = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                     (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
  int32_t count = static_cast<int32_t>(pattern);
  // Checked before anything is allocated for it: a damaged count must not cost memory.
  if (count < 0 || count > remaining()) throw EReadError(msg::kReadError);
  return count;
}

std::string TReader::readString() {
  size_t length;
  switch (readValue()) {
    case ValueTag::String:
      length = readByte();
      break;
    case ValueTag::LongString:
      length = static_cast<size_t>(readCount());
      break;
    default:
      InvalidValue();
  }
  std::string s(length, '\0');
  read(s.data(), length);
  return s;
}

std::string TReader::readIdent() {
  switch (readValue()) {
    case ValueTag::Ident:
      return readStr();
    case ValueTag::False:
      return "False";
    case ValueTag::True:
      return "True";
    case ValueTag::Nil:
      return "nil";
    default:
      InvalidValue();
  }
}

// ---- TWriter ----

TWriter::TWriter(TStream& stream, size_t bufferSize)
    : stream_(stream), buffer_(std::max<size_t>(bufferSize, 1)) {}

TWriter::~TWriter() {
  // Runs also while a failure unwinds: the output keeps what was produced, and a second
  // failure here must not escape.
  try {
    flushBuffer();
  } catch (...) {
  }
}

void TWriter::flushBuffer() {
  size_t count = position_;
  position_ = 0;  // a failed write is not retried: the bytes would go out twice
  stream_.writeBuffer(buffer_.data(), count);
}

void TWriter::write(const void* buffer, size_t count) {
  const uint8_t* in = static_cast<const uint8_t*>(buffer);
  while (count > 0) {
    if (position_ == buffer_.size()) flushBuffer();
    size_t n = std::min(count, buffer_.size() - position_);
    std::memcpy(buffer_.data() + position_, in, n);
    position_ += n;
    in += n;
    count -= n;
  }
  if (position_ == buffer_.size()) flushBuffer();
}

void TWriter::writeSignature() { write(kSignature, sizeof kSignature); }

void TWriter::writeValue(ValueTag tag) {
  uint8_t byte = static_cast<uint8_t>(tag);
  write(&byte, 1);
}

void TWriter::writeListBegin() { writeValue(ValueTag::List); }

void TWriter::writeListEnd() { writeValue(ValueTag::End); }

void TWriter::writePrefix(uint8_t flags, int32_t childPos) {
  if (flags == 0) return;
  uint8_t prefix = static_cast<uint8_t>(0xF0 | (flags & 0x0F));
  write(&prefix, 1);
  if (flags & kFilerChildPos) writeInteger(childPos);
}

void TWriter::writeStr(const std::string& s) {
  size_t length = std::min(s.size(), kShortStringMax);
  uint8_t byte = static_cast<uint8_t>(length);
  write(&byte, 1);
  write(s.data(), length);
}

namespace {
void PutLittleEndian(uint8_t* out, uint32_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}
}  // namespace

void TWriter::writeInteger(int32_t value) {
  uint8_t bytes[5];
  size_t width;
  if (value >= -128 && value <= 127) {
    bytes[0] = static_cast<uint8_t>(ValueTag::Int8);
    width = 1;
  } else if (value >= -32768 && value <= 32767) {
    bytes[0] = static_cast<uint8_t>(ValueTag::Int16);
    width = 2;
  } else {
    bytes[0] = static_cast<uint8_t>(ValueTag::Int32);
    width = 4;
  }
  PutLittleEndian(bytes + 1, static_cast<uint32_t>(value), width);
  write(bytes, width + 1);
}

void TWriter::writeFloat(long double value) {
  uint8_t bytes[1 + kExtendedSize];
  bytes[0] = static_cast<uint8_t>(ValueTag::Extended);
  LongDoubleToExtended(value, bytes + 1);
  write(bytes, sizeof bytes);
}

void TWriter::writeString(const std::string& s) {
  if (s.size() <= kShortStringMax) {
    uint8_t head[2] = {static_cast<uint8_t>(ValueTag::String), static_cast<uint8_t>(s.size())};
    write(head, sizeof head);
  } else {
    if (s.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
      throw EWriteError(msg::kWriteError);
    uint8_t head[5];
    head[0] = static_cast<uint8_t>(ValueTag::LongString);
    PutLittleEndian(head + 1, static_cast<uint32_t>(s.size()), 4);
    write(head, sizeof head);
  }
  write(s.data(), s.size());
}

void TWriter::writeIdent(const std::string& s) {
  if (SameText(s, "False")) {
    writeValue(ValueTag::False);
  } else if (SameText(s, "True")) {
    writeValue(ValueTag::True);
  } else if (SameText(s, "nil")) {
    writeValue(ValueTag::Nil);
  } else {
    writeValue(ValueTag::Ident);
    writeStr(s);
  }
}

void TWriter::writeBoolean(bool value) { writeValue(value ? ValueTag::True : ValueTag::False); }

void TWriter::writeBinary(const std::function<void(TStream&)>& producer) {
  TMemoryStream data;
  producer(data);
  if (data.length() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EWriteError(msg::kWriteError);
  uint8_t head[5];
  head[0] = static_cast<uint8_t>(ValueTag::Binary);
  PutLittleEndian(head + 1, static_cast<uint32_t>(data.length()), 4);
  write(head, sizeof head);
  write(data.data(), data.length());
}

#include "streaming/parser.h"

#include <cstring>

#include "base/decimal_separator.h"
#include "base/errors.h"
#include "base/extended.h"
#include "base/format.h"
#include "base/integer.h"
#include "base/messages.h"

namespace {

constexpr uint8_t kLineFeed = 10;
constexpr uint8_t kCarriageReturn = 13;
constexpr size_t kHexChunk = 256;

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }
bool IsIdentStart(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(uint8_t c) { return IsIdentStart(c) || IsDigit(c); }
uint8_t UpperAscii(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 32) : c; }
bool IsFloatChar(uint8_t c) {
  return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
}
int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

TParser::TParser(TStream& stream) : stream_(stream), window_(kWindowSize) {
  window_[0] = 0;
  try {
    nextToken();
  } catch (...) {
    restoreStreamPosition();
    throw;
  }
}

TParser::~TParser() { restoreStreamPosition(); }

void TParser::restoreStreamPosition() noexcept {
  int64_t back = static_cast<int64_t>(bufferEnd_) - tokenStart_;
  if (back <= 0) return;
  try {
    stream_.seek(-back, SeekOrigin::Current);
  } catch (...) {
  }
}

void TParser::error(const std::string& message) const {
  throw EParserError(Format(msg::kParseError, {message, line_}));
}

// Keeps the unscanned bytes, tops the window up from the stream and hands over whole lines:
// when the window is full, the text ends after its last line feed.
void TParser::refill() {
  window_[sourceEnd_] = savedChar_;
  size_t rest = bufferEnd_ - source_;
  std::memmove(window_.data(), window_.data() + source_, rest);
  tokenStart_ -= static_cast<int64_t>(source_);
  source_ = 0;
  bufferEnd_ = rest;
  while (bufferEnd_ < kWindowSize) {
    size_t got = stream_.read(window_.data() + bufferEnd_, kWindowSize - bufferEnd_);
    if (got == 0) break;
    bufferEnd_ += got;
  }
  sourceEnd_ = bufferEnd_;
  if (bufferEnd_ == kWindowSize) {
    // The first and the last byte of the window are not examined.
    size_t p = kWindowSize - 2;
    while (p > 0 && window_[p] != kLineFeed) --p;
    if (p == 0) {
      // Leave a sentinel in place, so that nothing scans past the window after this.
      sourceEnd_ = 0;
      savedChar_ = window_[0];
      window_[0] = 0;
      error(msg::kLineTooLong);
    }
    sourceEnd_ = p + 1;
  }
  savedChar_ = window_[sourceEnd_];
  window_[sourceEnd_] = 0;
}

void TParser::skipBlanks() {
  for (;;) {
    uint8_t c = window_[source_];
    if (c == 0) {
      refill();
      if (window_[source_] == 0) return;
      continue;
    }
    if (c > ' ') return;
    if (c == kLineFeed) ++line_;
    ++source_;
  }
}

int TParser::nextToken() {
  skipBlanks();
  size_t p = source_;
  tokenStart_ = static_cast<int64_t>(p);
  uint8_t c = window_[p];
  int kind;
  if (IsIdentStart(c)) {
    ++p;
    while (IsIdentChar(window_[p])) ++p;
    kind = kTokenSymbol;
  } else if (c == '\'' || c == '#') {
    // Decoded in place: the decoded bytes never overtake the characters read.
    size_t out = p;
    for (;;) {
      if (window_[p] == '#') {
        ++p;
        unsigned code = 0;
        for (; IsDigit(window_[p]); ++p) code = (code * 10 + (window_[p] - '0')) & 0xFF;
        window_[out++] = static_cast<uint8_t>(code);
      } else if (window_[p] == '\'') {
        ++p;
        for (;;) {
          c = window_[p];
          if (c == 0 || c == kCarriageReturn || c == kLineFeed) {
            source_ = p;
            error(msg::kInvalidString);
          }
          if (c == '\'') {
            ++p;
            if (window_[p] != '\'') break;
          }
          window_[out++] = c;
          ++p;
        }
      } else {
        break;
      }
    }
    stringEnd_ = out;
    kind = kTokenString;
  } else if (c == '$') {
    ++p;
    while (HexValue(window_[p]) >= 0) ++p;
    kind = kTokenInteger;
  } else if (c == '-' || IsDigit(c)) {
    ++p;
    while (IsDigit(window_[p])) ++p;
    kind = kTokenInteger;
    if (IsFloatChar(window_[p])) {
      while (IsFloatChar(window_[p])) ++p;
      kind = kTokenFloat;
    }
  } else if (c == 0) {
    kind = kTokenEOF;
  } else {
    ++p;
    kind = c;
  }
  source_ = p;
  token_ = kind;
  return kind;
}

std::string TParser::tokenString() const {
  if (tokenStart_ < 0) return std::string();
  size_t start = static_cast<size_t>(tokenStart_);
  size_t end = token_ == kTokenString ? stringEnd_ : source_;
  if (end < start) return std::string();
  return std::string(reinterpret_cast<const char*>(window_.data()) + start, end - start);
}

int32_t TParser::tokenInt() const { return StrToInt(tokenString()); }

long double TParser::tokenFloat() const {
  DecimalSeparatorScope separator('.');
  return TextToFloat(tokenString());
}

void TParser::checkToken(int kind) const {
  if (token_ == kind) return;
  switch (kind) {
    case kTokenSymbol:
      error(msg::kIdentifierExpected);
    case kTokenString:
      error(msg::kStringExpected);
    case kTokenInteger:
    case kTokenFloat:
      error(msg::kNumberExpected);
    default:
      error(Format(msg::kCharExpected, {std::string(1, static_cast<char>(kind))}));
  }
}

// Compared in the window: the converter asks this several times per property.
bool TParser::tokenSymbolIs(const char* word) const {
  if (token_ != kTokenSymbol || tokenStart_ < 0) return false;
  size_t start = static_cast<size_t>(tokenStart_);
  size_t length = std::strlen(word);
  if (source_ - start != length) return false;
  for (size_t i = 0; i < length; ++i)
    if (UpperAscii(window_[start + i]) != UpperAscii(static_cast<uint8_t>(word[i]))) return false;
  return true;
}

void TParser::checkSymbol(const char* word) const {
  if (!tokenSymbolIs(word)) error(Format(msg::kSymbolExpected, {word}));
}

std::string TParser::tokenDottedIdent() {
  checkToken(kTokenSymbol);
  size_t p = source_;
  while (window_[p] == '.') {
    ++p;
    if (!IsIdentStart(window_[p])) error(msg::kIdentifierExpected);
    while (IsIdentChar(window_[p])) ++p;
  }
  source_ = p;
  return tokenString();
}

void TParser::hexToBinary(TStream& output) {
  skipBlanks();
  while (window_[source_] != '}') {
    uint8_t bytes[kHexChunk];
    size_t count = 0;
    size_t p = source_;
    // The byte after a digit is still inside the window: at worst it is the sentinel.
    while (count < kHexChunk) {
      int high = HexValue(window_[p]);
      if (high < 0) break;
      int low = HexValue(window_[p + 1]);
      if (low < 0) break;
      bytes[count++] = static_cast<uint8_t>(high << 4 | low);
      p += 2;
    }
    if (count == 0) error(msg::kInvalidBinary);
    output.writeBuffer(bytes, count);
    source_ = p;
    skipBlanks();
  }
  nextToken();
}

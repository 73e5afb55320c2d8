// Tokenizer of component text.
//
// Component text by example:
//     object OpenDialog1: TOpenDialog
//       FileName = 'C:\data\run 1.dat'#0
//       Filter = 'Data|*.dat'
//       Options = [ofHideReadOnly, ofFileMustExist]
//       Font.Height = -11
//       Ratio = 1.5
//       Data = {0A1B}
//       Items = <
//         item
//           Caption = 'It'#39's'
//         end>
//     end
//
// Tokens: identifiers (letters, digits, "_"), strings (quoted parts and #code parts back to back:
// 'It'#39's' is one token), integers (decimal, or "$" and hex digits), floats (a number that
// runs on into ".", "e", "E", "+" or "-"), end of text, and single characters ("=", "[", ...).
// Blanks are the bytes 1-32; a line feed counts a line; a 0 byte ends the text.
//
// The text is read through a 4096-byte window that is refilled with whole lines only, so a
// token never straddles a refill; a line that does not fit fails with "Line too long".
// Strings are decoded in place in the window.
//
// Failures: every syntax error is an EParserError "<message> on line <n>", n being the line of
// the token just read; the first failure ends the work. Numbers that do not convert are
// EConvertErrors without a line number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/stream.h"

// Token kinds. Any other kind is a single-character token; the kind is the character's code.
constexpr int kTokenEOF = 0;
constexpr int kTokenSymbol = 1;
constexpr int kTokenString = 2;
constexpr int kTokenInteger = 3;
constexpr int kTokenFloat = 4;

class TParser {
 public:
  static constexpr size_t kWindowSize = 4096;

  // Reads the first token; throws as nextToken does.
  explicit TParser(TStream& stream);
  // Moves the stream back to the start of the current token.
  ~TParser();
  TParser(const TParser&) = delete;
  TParser& operator=(const TParser&) = delete;

  // Scans the next token and returns its kind. Throws EParserError on a malformed string or a
  // line longer than the window.
  int nextToken();
  int token() const { return token_; }
  // The decoded bytes of a string token; the characters of any other token.
  std::string tokenString() const;
  // EConvertError "'%s' is not a valid integer value".
  int32_t tokenInt() const;
  // Converted with "." as decimal separator; EConvertError "'%s' is not a valid floating
  // point value".
  long double tokenFloat() const;
  // EParserError "Identifier expected", "String expected", "Number expected" or
  // "''<c>'' expected" when the current token is not of the kind.
  void checkToken(int kind) const;
  // True when the current token is an identifier equal to `word`, ASCII case ignored.
  bool tokenSymbolIs(const char* word) const;
  // EParserError "<word> expected" unless tokenSymbolIs(word).
  void checkSymbol(const char* word) const;
  // The current identifier extended over ".name" parts that follow without blanks
  // ("Form1.Button1"); EParserError "Identifier expected" when a dot is not followed by one.
  std::string tokenDottedIdent();
  // With the current token "{": converts hex digit pairs up to "}" into bytes written to
  // `output`, then reads the "}" as the current token. EParserError "Invalid binary value".
  void hexToBinary(TStream& output);
  int sourceLine() const { return line_; }
  // Throws EParserError "<message> on line <n>".
  [[noreturn]] void error(const std::string& message) const;

 private:
  void refill();
  void skipBlanks();
  void restoreStreamPosition() noexcept;

  TStream& stream_;
  std::vector<uint8_t> window_;
  size_t bufferEnd_ = 0;   // bytes read from the stream into the window
  size_t sourceEnd_ = 0;   // end of the whole lines handed over; holds the 0 sentinel
  uint8_t savedChar_ = 0;  // the byte the sentinel replaces
  size_t source_ = 0;      // scan position
  // Start of the current token; goes below 0 when a refill inside a binary block drops it.
  int64_t tokenStart_ = 0;
  size_t stringEnd_ = 0;  // end of the decoded bytes of a string token
  int token_ = kTokenEOF;
  int line_ = 1;
};

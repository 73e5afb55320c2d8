#include "streaming/parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"

namespace {

// Each token as "<kind>:<text>", the kind a digit for the named kinds, else the character.
std::string Tokens(const std::string& text) {
  TMemoryStream stream(text);
  TParser parser(stream);
  std::string out;
  for (int kind = parser.token(); kind != kTokenEOF; kind = parser.nextToken()) {
    if (!out.empty()) out += ' ';
    out += kind < ' ' ? static_cast<char>('0' + kind) : static_cast<char>(kind);
    out += ':' + parser.tokenString();
  }
  return out;
}

// The class and message of the failure that `f` raises on a parser over `text`.
template <typename F>
std::string Failure(const std::string& text, F&& f) {
  try {
    TMemoryStream stream(text);
    TParser parser(stream);
    f(parser);
  } catch (const EParserError& e) {
    return "EParserError " + e.message();
  } catch (const EConvertError& e) {
    return "EConvertError " + e.message();
  }
  return "no failure";
}

void ReadAll(TParser& p) {
  while (p.token() != kTokenEOF) p.nextToken();
}

TEST(Parser, SplitsTextIntoTokens) {
  const struct { std::string text; const char* tokens; } cases[] = {
      {"object X: TForm\r\nend", "1:object 1:X ::: 1:TForm 1:end"},
      {"_a1 B_2.c", "1:_a1 1:B_2 .:. 1:c"},
      {"12 -5 $1f $ - 007", "3:12 3:-5 3:$1f 3:$ 3:- 3:007"},
      {"1.5 1e3 1-2 -.5 2+ 3.e+-1x", "4:1.5 4:1e3 4:1-2 4:-.5 4:2+ 4:3.e+-1 1:x"},
      {"=[],()<>{}+;", "=:= [:[ ]:] ,:, (:( ):) <:< >:> {:{ }:} +:+ ;:;"},
      {"a\x01\x1F\x7F\xE9", "1:a \x7F:\x7F \xE9:\xE9"},
      {" \r\n\t ", ""},
      {std::string(4094, ' ') + "\nx", "1:x"},  // the longest line that fits the 4 KB window
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.text), c.tokens) << c.text.substr(0, 20);
  EXPECT_EQ(Tokens(std::string("a\0b", 3)), "1:a");  // a 0 byte ends the text
  EXPECT_EQ(Tokens("'ab' 'cd'#1x"), "2:ab 2:cd\x01 1:x");
}

TEST(Parser, CountsLinesAndHandsOverWholeLinesOnRefill) {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "  Item" + std::to_string(i) + " = 'value " + std::to_string(i) + "'\r\n";
  TMemoryStream stream(text);
  TParser parser(stream);
  for (int i = 0; i < 3000; ++i) {
    ASSERT_EQ(parser.tokenString(), "Item" + std::to_string(i));
    ASSERT_EQ(parser.sourceLine(), i + 1);
    parser.nextToken();
    parser.checkToken('=');
    parser.nextToken();
    ASSERT_EQ(parser.tokenString(), "value " + std::to_string(i));
    parser.nextToken();
  }
  EXPECT_EQ(parser.token(), kTokenEOF);
  EXPECT_EQ(parser.sourceLine(), 3001);
}

TEST(Parser, ReportsMalformedInputWithItsLine) {
  const std::string longLine(5000, 'a');
  const struct { std::string text; std::function<void(TParser&)> act; const char* failure; } cases[] = {
      {"\n\n'ab\ncd'", ReadAll, "EParserError Invalid string constant on line 3"},
      {"'a\rb'", ReadAll, "EParserError Invalid string constant on line 1"},
      {std::string("'a\0'", 4), ReadAll, "EParserError Invalid string constant on line 1"},
      {"x\n" + longLine, ReadAll, "EParserError Line too long on line 2"},
      {std::string(4095, ' ') + "\nx", ReadAll, "EParserError Line too long on line 1"},
      {"$", [](TParser& p) { p.tokenInt(); }, "EConvertError '$' is not a valid integer value"},
      {"1e9999", [](TParser& p) { p.tokenFloat(); }, "EConvertError '1e9999' is not a valid floating point value"},
      {"a", [](TParser& p) { p.checkToken(kTokenString); }, "EParserError String expected on line 1"},
      {"a", [](TParser& p) { p.checkToken(kTokenFloat); }, "EParserError Number expected on line 1"},
      {"'item'", [](TParser& p) { p.checkSymbol("item"); }, "EParserError item expected on line 1"},
      {"A.1", [](TParser& p) { p.tokenDottedIdent(); }, "EParserError Identifier expected on line 1"},
      {"{0A\n\n", [](TParser& p) { TMemoryStream s; p.hexToBinary(s); }, "EParserError Invalid binary value on line 3"},
      {"{ 0G }", [](TParser& p) { TMemoryStream s; p.hexToBinary(s); }, "EParserError Invalid binary value on line 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Failure(c.text, c.act), c.failure) << c.text.substr(0, 20);
}

TEST(Parser, ConvertsHexBlocksInChunksAcrossLines) {
  std::string hex, bytes;
  for (int i = 0; i < 3000; ++i) {  // longer than the 4 KB window
    char pair[3];
    std::snprintf(pair, sizeof pair, i % 2 ? "%02X" : "%02x", i & 0xFF);
    hex += pair;
    if (i % 40 == 39) hex += "\r\n  ";
    bytes += static_cast<char>(i & 0xFF);
  }
  TMemoryStream stream("{ " + hex + " } next");
  TParser parser(stream);
  TMemoryStream out;
  parser.hexToBinary(out);
  EXPECT_EQ(out.str(), bytes) << "the block's bytes";
  EXPECT_EQ(parser.token(), '}') << "the input after the block";
  EXPECT_EQ(parser.sourceLine(), 76);
  parser.nextToken();
  EXPECT_EQ(parser.tokenString(), "next") << "the input after the block";
}

TEST(Parser, LeavesTheStreamAtTheCurrentToken) {
  TMemoryStream stream("first  second third");
  {
    TParser parser(stream);
    parser.nextToken();
  }
  EXPECT_EQ(stream.position(), 7);
  TMemoryStream failing("ok 'open");
  EXPECT_EQ(Failure("", [&](TParser&) { TParser p(failing); p.nextToken(); }),
            "EParserError Invalid string constant on line 1");
  EXPECT_EQ(failing.position(), 3);
  TMemoryStream failingFirst("\n  'open");
  EXPECT_EQ(Failure("", [&](TParser&) { TParser p(failingFirst); }),
            "EParserError Invalid string constant on line 2");
  EXPECT_EQ(failingFirst.position(), 3);
}

}  // namespace

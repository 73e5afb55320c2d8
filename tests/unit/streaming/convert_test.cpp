#include "streaming/convert.h"

#include <gtest/gtest.h>

#include <string>

#include "base/decimal_separator.h"
#include "base/errors.h"
#include "streaming/filer.h"

namespace {

// Bytes written as hex pairs and 'quoted text' separated by blanks: "06 02 'ab'".
std::string Bytes(const std::string& notation) {
  std::string out;
  for (size_t i = 0; i < notation.size();) {
    if (notation[i] == ' ') {
      ++i;
    } else if (notation[i] == '\'') {
      size_t end = notation.find('\'', i + 1);
      out += notation.substr(i + 1, end - i - 1);
      i = end + 1;
    } else {
      out += static_cast<char>(std::stoi(notation.substr(i, 2), nullptr, 16));
      i += 2;
    }
  }
  return out;
}

std::string ToBinary(const std::string& text) {
  TMemoryStream in(text), out;
  ConvertTextToBinary(in, out);
  return out.str();
}

std::string ToText(const std::string& bytes) {
  TMemoryStream in(bytes), out;
  ConvertBinaryToText(in, out);
  return out.str();
}

template <typename F>
std::string Failure(F&& f) {
  try {
    f();
  } catch (const EParserError& e) {
    return "EParserError " + e.message();
  } catch (const EConvertError& e) {
    return "EConvertError " + e.message();
  } catch (const EReadError& e) {
    return "EReadError " + e.message();
  }
  return "no failure";
}

// A root object T with the one property P.
std::string WithValue(const std::string& value) { return "object T\r\n  P = " + value + "\r\nend\r\n"; }
std::string WithValueBytes(const std::string& value) { return Bytes("'TPF0' 01 'T' 00 01 'P' " + value + " 00 00"); }

TEST(Convert, ConvertsTheSmallestObjectBothWays) {
  EXPECT_EQ(ToBinary("object X: TOpenDialog\nend"), Bytes("'TPF0' 0B 'TOpenDialog' 01 'X' 00 00"));
  EXPECT_EQ(ToText(Bytes("'TPF0' 0B 'TOpenDialog' 01 'X' 00 00")), "object X: TOpenDialog\r\nend\r\n");
  EXPECT_EQ(ToBinary("OBJECT TOpenDialog EnD"), Bytes("'TPF0' 0B 'TOpenDialog' 00 00 00"));
}

TEST(Convert, ConvertsEachValueFormAndWritesItBackCanonically) {
  const struct { const char* text; const char* bytes; const char* back; } cases[] = {
      {"127", "02 7F", "127"}, {"128", "03 80 00", "128"}, {"-129", "03 7F FF", "-129"},
      {"32768", "04 00 80 00 00", "32768"}, {"$FF", "03 FF 00", "255"}, {"$FFFFFFFF", "02 FF", "-1"},
      {"1.0", "05 00 00 00 00 00 00 00 80 FF 3F", "1"}, {"-1.5", "05 00 00 00 00 00 00 00 C0 FF BF", "-1.5"},
      {"true", "09", "True"}, {"TRUE", "09", "True"}, {"false", "08", "False"}, {"NIL", "0D", "nil"},
      {"clWindowText", "07 0C 'clWindowText'", "clWindowText"},
      {"Form1.Button1", "07 0D 'Form1.Button1'", "Form1.Button1"},
      {"''", "06 00", "''"}, {"'It''s'", "06 04 'It' 27 's'", "'It'#39's'"}, {"#39", "06 01 27", "#39"},
      {"#65#66", "06 02 'AB'", "'AB'"}, {"#", "06 01 00", "#0"}, {"#300", "06 01 2C", "','"},
      {"'a'#13#10'b'", "06 04 'a' 0D 0A 'b'", "'a'#13#10'b'"}, {"#9'x'", "06 02 09 'x'", "#9'x'"},
      {"'\xE9\x7F'", "06 02 E9 7F", "'\xE9\x7F'"},
      {"''''", "06 01 27", "#39"}, {"#99999999999999999999", "06 01 FF", "'\xFF'"},
      {"#39'x'#0", "06 03 27 'x' 00", "#39'x'#0"}, {"'OBJECT'", "06 06 'OBJECT'", "'OBJECT'"},
      {"[]", "0B 00", "[]"}, {"[ a , B ]", "0B 01 'a' 01 'B' 00", "[a, B]"},
      {"()", "01 00", "()"}, {"(1 'a' (x))", "01 02 01 06 01 'a' 01 07 01 'x' 00 00",
                              "(\r\n    1\r\n    'a'\r\n    (\r\n      x))"},
      {"<>", "0E 00", "<>"},
      {"<item a = 1 end ITEM [0] End item [-1] end item [-2] b . c = x end>",
       "0E 01 01 'a' 02 01 00 02 00 01 00 01 00 02 FE 01 03 'b.c' 07 01 'x' 00 00",
       "<\r\n    item\r\n      a = 1\r\n    end\r\n    item [0]\r\n    end\r\n    item\r\n    end\r\n"
       "    item [-2]\r\n      b.c = x\r\n    end>"},
      {"{}", "0A 00 00 00 00", "{}"}, {"{0a 1B\r\n}", "0A 02 00 00 00 0A 1B", "{0A1B}"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToBinary(WithValue(c.text)), WithValueBytes(c.bytes)) << c.text;
    EXPECT_EQ(ToText(WithValueBytes(c.bytes)), WithValue(c.back)) << c.text;
  }
}

TEST(Convert, WritesLongStringsOnOneLineAndLongBinaryOnLinesOf32Bytes) {
  const std::string s255(255, 'x'), s256(256, 'y');
  EXPECT_EQ(ToBinary(WithValue("'" + s255 + "'")), WithValueBytes("06 FF '" + s255 + "'"));
  EXPECT_EQ(ToBinary(WithValue("'" + s256 + "'")), WithValueBytes("0C 00 01 00 00 '" + s256 + "'"));
  EXPECT_EQ(ToText(ToBinary(WithValue("'" + s256 + "'"))), WithValue("'" + s256 + "'"));
  const std::string hex31 = std::string(62, 'A'), hex32 = std::string(64, 'B');
  EXPECT_EQ(ToText(ToBinary(WithValue("{" + hex31 + "}"))), WithValue("{" + hex31 + "}"));
  EXPECT_EQ(ToText(ToBinary(WithValue("{" + hex32 + "}"))), WithValue("{\r\n    " + hex32 + "}"));
  EXPECT_EQ(ToText(ToBinary(WithValue("{" + hex32 + "CC}"))),
            WithValue("{\r\n    " + hex32 + "\r\n    CC}"));
}

TEST(Convert, KeepsHeadersChildrenAndPositionsInTheFixedLayout) {
  const char* text =
      "inherited Form1: TForm [2]\r\n"
      "  Font.Name = 'Arial'\r\n"
      "  object B: TButton\r\n"
      "    Tag = 1\r\n"
      "  end\r\n"
      "  inherited TLabel\r\n"
      "  end\r\n"
      "end\r\n";
  const std::string bytes = Bytes(
      "'TPF0' F3 02 02 05 'TForm' 05 'Form1' 09 'Font.Name' 06 05 'Arial' 00 "
      "07 'TButton' 01 'B' 03 'Tag' 02 01 00 00 F1 06 'TLabel' 00 00 00 00");
  EXPECT_EQ(ToBinary(text), bytes);
  EXPECT_EQ(ToText(bytes), text);
  // Blanks around path dots, keyword case, and header positions of 0 or below are not kept.
  EXPECT_EQ(ToBinary("Inherited Form1 : TForm[2] Font . Name='Arial' OBJECT B:TButton Tag=1 END "
                     "INHERITED TLabel [0] end END"),
            bytes);
  EXPECT_EQ(ToBinary("object T [-3] end"), Bytes("'TPF0' 01 'T' 00 00 00"));
}

TEST(Convert, GivesClassNamesThatLookLikeAPrefixAnEmptyPrefix) {
  const std::string c239(239, 'C'), c240(240, 'C');
  EXPECT_EQ(ToBinary("object " + c239 + " end"), Bytes("'TPF0' EF '" + c239 + "' 00 00 00"));
  EXPECT_EQ(ToBinary("object " + c240 + " end"), Bytes("'TPF0' F0 F0 '" + c240 + "' 00 00 00"));
  EXPECT_EQ(ToText(ToBinary("object " + c240 + " end")), "object " + c240 + "\r\nend\r\n");
}

TEST(Convert, StopsAtTheRootsEndAndLeavesTheInputThere) {
  TMemoryStream in("object T\n  End = 1 (\n"), out;
  ConvertTextToBinary(in, out);
  EXPECT_EQ(out.str(), Bytes("'TPF0' 01 'T' 00 00 00"));
  EXPECT_EQ(in.position(), 15);  // at "="
  TMemoryStream binary(Bytes("'TPF0' 01 'T' 00 00 00 'more'")), text;
  ConvertBinaryToText(binary, text);
  EXPECT_EQ(binary.position(), 9);
}

TEST(Convert, ReportsMalformedTextWithTheLine) {
  const struct { std::string text; const char* failure; } cases[] = {
      {"", "EParserError OBJECT expected on line 1"},
      {" \r\n \n", "EParserError OBJECT expected on line 3"},
      {"objects T end", "EParserError OBJECT expected on line 1"},
      {"object 1", "EParserError Identifier expected on line 1"},
      {"object X: 'T'", "EParserError Identifier expected on line 1"},
      {"object T [x] end", "EParserError Number expected on line 1"},
      {"object T [1.5] end", "EParserError Number expected on line 1"},
      {"object T [1 end", "EParserError '']'' expected on line 1"},
      {"object T\n P 1\nend", "EParserError ''='' expected on line 2"},
      {"object T\n Font. = 1\nend", "EParserError Identifier expected on line 2"},
      {"object T\n P = [a b]\nend", "EParserError '','' expected on line 2"},
      {"object T\n P = [a, 1]\nend", "EParserError Identifier expected on line 2"},
      {"object T\n P = <x>\nend", "EParserError item expected on line 2"},
      {"object T\n P = +1\nend", "EParserError Invalid property value on line 2"},
      {"object T\n P = )\nend", "EParserError Invalid property value on line 2"},
      {"object T\n P = ,\nend", "EParserError Invalid property value on line 2"},
      {"object T\n P = (1\nend", "EParserError Invalid property value on line 3"},
      {"object T\n P = 'abc\nend", "EParserError Invalid string constant on line 2"},
      {"object T\nend 'x", "EParserError Invalid string constant on line 2"},
      {"object T\n P = {0A1}\nend", "EParserError Invalid binary value on line 2"},
      {"object T\n P = {0A\n", "EParserError Invalid binary value on line 3"},
      {"object T\n P = '" + std::string(5000, 'x') + "'\nend", "EParserError Line too long on line 2"},
      {"object T\n P = A . B\nend", "EParserError Identifier expected on line 2"},
      {"object T\n P = 1\n\n", "EParserError Identifier expected on line 4"},
      {std::string("object T\n P = 1\0\nend", 19), "EParserError Identifier expected on line 2"},
      {"object T\n object C\n end\n", "EParserError OBJECT expected on line 4"},
      {"object T\n P = 2147483648\nend", "EConvertError '2147483648' is not a valid integer value"},
      {"object T [99999999999] end", "EConvertError '99999999999' is not a valid integer value"},
      {"object T\n P = 1-2\nend", "EConvertError '1-2' is not a valid floating point value"},
      {"object T\n P = - 1\nend", "EConvertError '-' is not a valid integer value"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Failure([&] { ToBinary(c.text); }), c.failure) << c.text.substr(0, 40);
}

TEST(Convert, ReportsMalformedBinaryForms) {
  const struct { const char* bytes; const char* failure; } cases[] = {
      {"'TPF1' 01 'T' 00 00 00", "EReadError Invalid stream format"},
      {"'TPF0'", "EReadError Stream read error"},
      {"'TPF0' 01 'T' 00 01 'P' 02 05", "EReadError Stream read error"},
      {"'TPF0' 01 'T' 00 01 'P' 0F 00 00", "EReadError Invalid property value"},
      {"'TPF0' 01 'T' 00 01 'P' FF 00 00", "EReadError Invalid property value"},
      {"'TPF0' 01 'T' 00 01 'P' 00 00 00", "EReadError Invalid property value"},
      {"'TPF0' 01 'T' 00 01 'P' 0A FF FF FF FF 00 00", "EReadError Stream read error"},
      {"'TPF0' 01 'T' 00 01 'P' 0A 00 00 00 10 00 00", "EReadError Stream read error"},
      {"'TPF0' 01 'T' 00 01 'P' 0C FF FF FF 7F 00 00", "EReadError Stream read error"},
      {"'TPF0' 01 'T' 00 01 'P' 0E 06 00 00 00", "EReadError Invalid property value"},
      {"'TPF0' 01 'T' 00 01 'P' 0E 02 01 00 00 00 00", "EReadError Invalid property value"},
      {"'TPF0' F2 06 00 01 'T' 00 00 00", "EReadError Invalid property value"},
  };
  for (const auto& c : cases) EXPECT_EQ(Failure([&] { ToText(Bytes(c.bytes)); }), c.failure) << c.bytes;
}

TEST(Convert, LimitsNestingInBothDirections) {
  // The root object is level 1; each list adds one.
  auto lists = [](int n) { return WithValue(std::string(n, '(') + std::string(n, ')')); };
  const std::string deepest = ToBinary(lists(kMaxNestingDepth - 1));
  EXPECT_EQ(ToBinary(ToText(deepest)), deepest);
  EXPECT_EQ(Failure([&] { ToBinary(lists(kMaxNestingDepth)); }), "EParserError Nesting too deep on line 2");
  std::string lines = "object T\nP =\n";
  for (int i = 0; i < 100000; ++i) lines += "(\n";
  EXPECT_EQ(Failure([&] { ToBinary(lines); }), "EParserError Nesting too deep on line 514");
  std::string objects;
  for (int i = 0; i < kMaxNestingDepth + 1; ++i) objects += "object T\n";
  EXPECT_EQ(Failure([&] { ToBinary(objects); }), "EParserError Nesting too deep on line 513");
  std::string bytes = deepest;
  bytes.insert(9, "\x01");  // one list more, before the first one
  EXPECT_EQ(Failure([&] { ToText(bytes); }), "EReadError Nesting too deep");
  const std::string flood = Bytes("'TPF0' 01 'T' 00 01 'P'") + std::string(100000, '\x01');
  EXPECT_EQ(Failure([&] { ToText(flood); }), "EReadError Nesting too deep");
}

TEST(Convert, RoundTripsBinaryThroughText) {
  // inherited TForm [300] with a collection item [-70000] holding a list (long string, float,
  // nil, False), a 300-byte binary block, a set, and a child object Ok: TButton.
  const std::string binary =
      Bytes("'TPF0' F3 03 2C 01 05 'TForm' 00 05 'Items' 0E 04 90 EE FE FF 01 06 'Values' 01 "
            "0C 2C 01 00 00") + std::string(300, '\'') +
      Bytes("05 00 00 00 00 00 00 00 A0 00 C0 0D 08 00 00 00 04 'Data' 0A 2C 01 00 00") +
      std::string(300, '\x9C') + Bytes("03 'Set' 0B 01 'a' 00 00 07 'TButton' 02 'Ok' 00 00 00");
  EXPECT_EQ(ToBinary(ToText(binary)), binary);
}

TEST(Convert, UsesAFullStopAndRestoresTheSeparatorOnEveryPath) {
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(ToText(ToBinary(WithValue("1.5"))), WithValue("1.5"));
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(Failure([] { ToBinary(WithValue("1,5")); }), "EParserError Identifier expected on line 2");
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(Failure([] { ToText("TPF0"); }), "EReadError Stream read error");
  EXPECT_EQ(DecimalSeparator(), ',');
}

TEST(Convert, KeepsTheOutputWrittenBeforeAFailure) {
  TMemoryStream in("object T\n P = 1\n Q = +"), out;
  EXPECT_EQ(Failure([&] { ConvertTextToBinary(in, out); }), "EParserError Invalid property value on line 3");
  EXPECT_EQ(out.str(), Bytes("'TPF0' 01 'T' 00 01 'P' 02 01 01 'Q'"));
  TMemoryStream binary(Bytes("'TPF0' 01 'T' 00 01 'P' 02 01 01 'Q' 0F")), text;
  EXPECT_EQ(Failure([&] { ConvertBinaryToText(binary, text); }), "EReadError Invalid property value");
  EXPECT_EQ(text.str(), "object T\r\n  P = 1\r\n  Q = ");
}

}  // namespace

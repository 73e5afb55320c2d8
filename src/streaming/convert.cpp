// Component text <-> binary component form.
//
//     object Dlg: TOpenDialog [2]          F2 02 02  0B "TOpenDialog"  03 "Dlg"
//       Title = 'Open'                     05 "Title"  06 04 "Open"
//       Tag = 128                          03 "Tag"    03 80 00
//       Ctl3D = True                       05 "Ctl3D"  09
//       Options = [ofReadOnly]             07 "Options" 0B 0A "ofReadOnly" 00
//       Lines.Strings = (                  0D "Lines.Strings" 01
//         'a'                                06 01 "a"
//         'b')                               06 01 "b"  00
//       Data = {0A1B}                      04 "Data"   0A 02 00 00 00 0A 1B
//     end                                  00 (end of properties)  00 (end of children)
//
// preceded by "TPF0". The text side is read by TParser and written here in one fixed layout:
// two spaces of indent per level, CR LF line ends, lower-case keywords.
//
// Both directions stop at the first failure, which goes to the caller: EParserError
// ("... on line n") or EConvertError from the text, EReadError from the binary form. The output
// keeps what was written up to the failure, and the decimal separator is "." for the whole
// conversion and restored on every way out. Each level of objects, lists and collections is
// one level of recursion, limited to kMaxNestingDepth.
#include "streaming/convert.h"

#include <string>

#include "base/decimal_separator.h"
#include "base/errors.h"
#include "base/extended.h"
#include "base/messages.h"
#include "base/text.h"
#include "streaming/filer.h"
#include "streaming/parser.h"

namespace {

constexpr size_t kAmbiguousNameLength = 0xF0;
constexpr uint8_t kEmptyPrefix = 0xF0;

// ---- text to binary ----

class TextToBinary {
 public:
  TextToBinary(TParser& parser, TWriter& writer) : parser_(parser), writer_(writer) {}

  void convertObject(int depth) {
    enter(depth);
    bool inherited = parser_.tokenSymbolIs("INHERITED");
    if (!inherited) parser_.checkSymbol("OBJECT");
    parser_.nextToken();

    parser_.checkToken(kTokenSymbol);
    std::string className = parser_.tokenString();
    std::string objectName;
    parser_.nextToken();
    if (parser_.token() == ':') {
      parser_.nextToken();
      parser_.checkToken(kTokenSymbol);
      objectName = className;
      className = parser_.tokenString();
      parser_.nextToken();
    }

    // A position of 0 or below is read and dropped.
    int32_t position = readOrderModifier();
    uint8_t flags = 0;
    if (inherited) flags |= kFilerInherited;
    if (position > 0) flags |= kFilerChildPos;
    writer_.writePrefix(flags, position);
    // A class name of 240 bytes or more starts with a length byte that a reader takes for a
    // prefix; an explicit prefix without flags keeps such a name readable.
    if (flags == 0 && className.size() >= kAmbiguousNameLength) writer_.write(&kEmptyPrefix, 1);
    writer_.writeStr(className);
    writer_.writeStr(objectName);

    while (!parser_.tokenSymbolIs("END") && !parser_.tokenSymbolIs("OBJECT") &&
           !parser_.tokenSymbolIs("INHERITED"))
      convertProperty(depth);
    writer_.writeListEnd();
    while (!parser_.tokenSymbolIs("END")) convertObject(depth + 1);
    writer_.writeListEnd();
    parser_.nextToken();
  }

 private:
  void enter(int depth) {
    if (depth > kMaxNestingDepth) parser_.error(msg::kNestingTooDeep);
  }

  // "[n]" after an object header or "item"; -1 when there is none.
  int32_t readOrderModifier() {
    if (parser_.token() != '[') return -1;
    parser_.nextToken();
    parser_.checkToken(kTokenInteger);
    int32_t position = parser_.tokenInt();
    parser_.nextToken();
    parser_.checkToken(']');
    parser_.nextToken();
    return position;
  }

  void convertProperty(int depth) {
    parser_.checkToken(kTokenSymbol);
    std::string path = parser_.tokenString();
    parser_.nextToken();
    while (parser_.token() == '.') {
      parser_.nextToken();
      parser_.checkToken(kTokenSymbol);
      path += '.';
      path += parser_.tokenString();
      parser_.nextToken();
    }
    writer_.writeStr(path);
    parser_.checkToken('=');
    parser_.nextToken();
    convertValue(depth);
  }

  void convertValue(int depth) {
    switch (parser_.token()) {
      case kTokenSymbol:
        writer_.writeIdent(parser_.tokenDottedIdent());
        break;
      case kTokenString:
        writer_.writeString(parser_.tokenString());
        break;
      case kTokenInteger:
        writer_.writeInteger(parser_.tokenInt());
        break;
      case kTokenFloat:
        writer_.writeFloat(parser_.tokenFloat());
        break;
      case '(':
        enter(depth + 1);
        parser_.nextToken();
        writer_.writeListBegin();
        while (parser_.token() != ')') convertValue(depth + 1);
        writer_.writeListEnd();
        break;
      case '[':
        parser_.nextToken();
        writer_.writeValue(ValueTag::Set);
        if (parser_.token() != ']') {
          for (;;) {
            parser_.checkToken(kTokenSymbol);
            writer_.writeStr(parser_.tokenString());
            parser_.nextToken();
            if (parser_.token() == ']') break;
            parser_.checkToken(',');
            parser_.nextToken();
          }
        }
        writer_.writeStr("");
        break;
      case '<':
        enter(depth + 1);
        parser_.nextToken();
        writer_.writeValue(ValueTag::Collection);
        while (parser_.token() != '>') {
          parser_.checkSymbol("item");
          parser_.nextToken();
          // Unlike an object header, an item keeps an index of 0 or below (but for -1).
          int32_t position = readOrderModifier();
          if (position != -1) writer_.writeInteger(position);
          writer_.writeListBegin();
          while (!parser_.tokenSymbolIs("end")) convertProperty(depth + 1);
          writer_.writeListEnd();
          parser_.nextToken();
        }
        writer_.writeListEnd();
        break;
      case '{':
        writer_.writeBinary([this](TStream& data) { parser_.hexToBinary(data); });
        break;  // the current token is now the "}"
      default:
        parser_.error(msg::kInvalidPropertyValue);
    }
    parser_.nextToken();
  }

  TParser& parser_;
  TWriter& writer_;
};

// ---- binary to text ----

class BinaryToText {
 public:
  BinaryToText(TReader& reader, TWriter& writer) : reader_(reader), writer_(writer) {}

  void convertObject(int depth) {
    enter(depth);
    uint8_t flags;
    int32_t position;
    reader_.readPrefix(flags, position);
    std::string className = reader_.readStr();
    std::string objectName = reader_.readStr();

    writeIndent();
    write((flags & kFilerInherited) ? "inherited " : "object ");
    if (!objectName.empty()) {
      write(objectName);
      write(": ");
    }
    write(className);
    if (flags & kFilerChildPos) {
      write(" [");
      write(IntToStr(position));
      write("]");
    }
    writeLineEnd();

    ++level_;
    while (!reader_.endOfList()) convertProperty(depth);
    reader_.readListEnd();
    while (!reader_.endOfList()) convertObject(depth + 1);
    reader_.readListEnd();
    --level_;
    writeIndent();
    write("end");
    writeLineEnd();
  }

 private:
  void enter(int depth) {
    if (depth > kMaxNestingDepth) throw EReadError(msg::kNestingTooDeep);
  }

  void write(const std::string& text) { writer_.write(text.data(), text.size()); }
  void writeLineEnd() { write("\r\n"); }
  void writeIndent() { write(std::string(2 * static_cast<size_t>(level_), ' ')); }
  void newLine() {
    writeLineEnd();
    writeIndent();
  }

  void convertProperty(int depth) {
    writeIndent();
    write(reader_.readStr());
    write(" = ");
    convertValue(depth);
    writeLineEnd();
  }

  void convertValue(int depth) {
    switch (reader_.nextValue()) {
      case ValueTag::List:
        enter(depth + 1);
        reader_.readValue();
        write("(");
        ++level_;
        while (!reader_.endOfList()) {
          newLine();
          convertValue(depth + 1);
        }
        reader_.readListEnd();
        --level_;
        write(")");
        break;
      case ValueTag::Int8:
      case ValueTag::Int16:
      case ValueTag::Int32:
        write(IntToStr(reader_.readInteger()));
        break;
      case ValueTag::Extended:
        write(FloatToText(reader_.readFloat()));
        break;
      case ValueTag::String:
      case ValueTag::LongString:
        writeQuoted(reader_.readString());
        break;
      case ValueTag::Ident:
      case ValueTag::False:
      case ValueTag::True:
      case ValueTag::Nil:
        write(reader_.readIdent());
        break;
      case ValueTag::Binary:
        convertBinary();
        break;
      case ValueTag::Set: {
        reader_.readValue();
        write("[");
        bool first = true;
        for (;;) {
          std::string element = reader_.readStr();
          if (element.empty()) break;
          if (!first) write(", ");
          write(element);
          first = false;
        }
        write("]");
        break;
      }
      case ValueTag::Collection:
        enter(depth + 1);
        reader_.readValue();
        write("<");
        ++level_;
        while (!reader_.endOfList()) {
          newLine();
          write("item");
          ValueTag next = reader_.nextValue();
          if (next == ValueTag::Int8 || next == ValueTag::Int16 || next == ValueTag::Int32) {
            write(" [");
            write(IntToStr(reader_.readInteger()));
            write("]");
          }
          writeLineEnd();
          reader_.readListBegin();
          ++level_;
          while (!reader_.endOfList()) convertProperty(depth + 1);
          reader_.readListEnd();
          --level_;
          writeIndent();
          write("end");
        }
        reader_.readListEnd();
        --level_;
        write(">");
        break;
      default:  // End where a value belongs, or a tag this form does not have
        throw EReadError(msg::kInvalidPropertyValue);
    }
  }

  // Runs of printable bytes other than the apostrophe go between apostrophes; every other byte
  // is written as #code.
  void writeQuoted(const std::string& s) {
    if (s.empty()) {
      write("''");
      return;
    }
    std::string text;
    bool quoted = false;
    for (char ch : s) {
      uint8_t c = static_cast<uint8_t>(ch);
      bool plain = c >= ' ' && c != '\'';
      if (plain != quoted) {
        text += '\'';
        quoted = plain;
      }
      if (plain) {
        text += ch;
      } else {
        text += '#';
        text += IntToStr(c);
      }
    }
    if (quoted) text += '\'';
    write(text);
  }

  void convertBinary() {
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr size_t kBytesPerLine = 32;
    reader_.readValue();
    write("{");
    ++level_;
    size_t count = static_cast<size_t>(reader_.readCount());
    bool multiLine = count >= kBytesPerLine;
    while (count > 0) {
      if (multiLine) newLine();
      uint8_t bytes[kBytesPerLine];
      size_t n = count < kBytesPerLine ? count : kBytesPerLine;
      reader_.read(bytes, n);
      char digits[2 * kBytesPerLine];
      for (size_t i = 0; i < n; ++i) {
        digits[2 * i] = kHex[bytes[i] >> 4];
        digits[2 * i + 1] = kHex[bytes[i] & 0x0F];
      }
      writer_.write(digits, 2 * n);
      count -= n;
    }
    --level_;
    write("}");
  }

  TReader& reader_;
  TWriter& writer_;
  int level_ = 0;  // indent level
};

}  // namespace

void ConvertTextToBinary(TStream& input, TStream& output) {
  // Declared in this order so that they go in reverse: the writer is flushed, the separator
  // restored, then the parser hands back the text it read ahead.
  TParser parser(input);
  DecimalSeparatorScope separator('.');
  TWriter writer(output);
  writer.writeSignature();
  TextToBinary(parser, writer).convertObject(1);
}

void ConvertBinaryToText(TStream& input, TStream& output) {
  TReader reader(input);
  DecimalSeparatorScope separator('.');
  TWriter writer(output);
  reader.readSignature();
  BinaryToText(reader, writer).convertObject(1);
}

#include "streaming/reply_reader.h"

#include "base/errors.h"
#include "base/messages.h"
#include "base/stream.h"
#include "streaming/convert.h"
#include "streaming/filer.h"

namespace {
std::string Folded(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsInteger(ValueTag tag) { return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32; }
bool IsString(ValueTag tag) { return tag == ValueTag::String || tag == ValueTag::LongString; }

// Passes over one value of any kind.
void SkipValue(TReader& reader, int depth) {
  if (depth > kMaxNestingDepth) throw EReadError(msg::kNestingTooDeep);
  ValueTag tag = reader.nextValue();
  if (IsInteger(tag)) {
    reader.readInteger();
  } else if (IsString(tag)) {
    reader.readString();
  } else if (tag == ValueTag::Extended) {
    reader.readFloat();
  } else if (tag == ValueTag::Ident || tag == ValueTag::False || tag == ValueTag::True || tag == ValueTag::Nil) {
    reader.readIdent();
  } else if (tag == ValueTag::Set) {
    reader.readValue();
    while (!reader.readStr().empty()) {
    }
  } else if (tag == ValueTag::List) {
    reader.readValue();
    while (!reader.endOfList()) SkipValue(reader, depth + 1);
    reader.readListEnd();
  } else if (tag == ValueTag::Binary) {
    reader.readValue();
    int32_t size = reader.readCount();
    std::string bytes(static_cast<size_t>(size), '\0');
    reader.read(&bytes[0], bytes.size());
  } else if (tag == ValueTag::Collection) {
    reader.readValue();
    while (!reader.endOfList()) {
      if (IsInteger(reader.nextValue())) reader.readInteger();
      reader.readListBegin();
      while (!reader.endOfList()) {
        reader.readStr();
        SkipValue(reader, depth + 1);
      }
      reader.readListEnd();
    }
    reader.readListEnd();
  } else {
    throw EReadError(msg::kInvalidPropertyValue);
  }
}
}  // namespace

TReplyReader::TReplyReader(const std::string& text) {
  TMemoryStream input(text), binary;
  ConvertTextToBinary(input, binary);
  binary.setPosition(0);
  TReader reader(binary);
  reader.readSignature();
  uint8_t flags = 0;
  int32_t position = -1;
  reader.readPrefix(flags, position);
  className_ = reader.readStr();
  objectName_ = reader.readStr();
  while (!reader.endOfList()) {
    const std::string name = reader.readStr();
    Value value;
    ValueTag tag = reader.nextValue();
    if (IsInteger(tag)) {
      value.kind = Kind::Integer;
      value.number = reader.readInteger();
    } else if (IsString(tag)) {
      value.kind = Kind::String;
      value.text = reader.readString();
    } else if (tag == ValueTag::False || tag == ValueTag::True) {
      value.kind = Kind::Boolean;
      value.text = reader.readIdent();
      value.number = tag == ValueTag::True ? 1 : 0;
    } else if (tag == ValueTag::Ident || tag == ValueTag::Nil) {
      value.kind = Kind::Ident;
      value.text = reader.readIdent();
    } else if (tag == ValueTag::Set) {
      value.kind = Kind::Set;
      reader.readValue();
      for (std::string member = reader.readStr(); !member.empty(); member = reader.readStr())
        value.items.push_back(member);
    } else if (tag == ValueTag::List) {
      value.kind = Kind::List;
      reader.readValue();
      while (!reader.endOfList()) {
        if (IsString(reader.nextValue())) {
          value.items.push_back(reader.readString());
        } else {
          value.listOfStrings = false;
          SkipValue(reader, 1);
        }
      }
      reader.readListEnd();
    } else {
      value.kind = tag == ValueTag::Extended ? Kind::Float : Kind::Other;
      SkipValue(reader, 0);
    }
    properties_.emplace(Folded(name), std::move(value));  // the first of equal names counts
  }
}

const TReplyReader::Value* TReplyReader::find(const std::string& path) const {
  auto found = properties_.find(Folded(path));
  return found == properties_.end() ? nullptr : &found->second;
}

ReadResult TReplyReader::string(const std::string& path, std::string& value) const {
  const Value* found = find(path);
  if (!found) return ReadResult::Absent;
  if (found->kind != Kind::String && found->kind != Kind::Ident && found->kind != Kind::Boolean)
    return ReadResult::WrongType;
  value = found->text;
  return ReadResult::Found;
}

ReadResult TReplyReader::integer(const std::string& path, int32_t& value) const {
  const Value* found = find(path);
  if (!found) return ReadResult::Absent;
  if (found->kind != Kind::Integer && found->kind != Kind::Boolean) return ReadResult::WrongType;
  value = found->number;
  return ReadResult::Found;
}

ReadResult TReplyReader::set(const std::string& path, std::vector<std::string>& members) const {
  const Value* found = find(path);
  if (!found) return ReadResult::Absent;
  if (found->kind != Kind::Set) return ReadResult::WrongType;
  members = found->items;
  return ReadResult::Found;
}

ReadResult TReplyReader::list(const std::string& path, std::vector<std::string>& items) const {
  const Value* found = find(path);
  if (!found) found = find(path + ".Strings");
  if (!found) return ReadResult::Absent;
  if (found->kind != Kind::List || !found->listOfStrings) return ReadResult::WrongType;
  items = found->items;
  return ReadResult::Found;
}

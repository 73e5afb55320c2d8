// Integer identifier maps: names for particular values of an integer type (TColor).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TypeInfo;

struct IdentMapEntry {
  const char* name;
  int32_t value;
};

// Adds a map for `type`; maps are searched in the order they were registered.
void RegisterIntegerConsts(const TypeInfo& type, const std::vector<IdentMapEntry>& entries);
// Name → value, name compared ignoring ASCII case, in every map registered for the type.
std::optional<int32_t> IdentToInt(const TypeInfo& type, const std::string& name);
// Value → the first name with that value.
const char* IntToIdent(const TypeInfo& type, int32_t value);

// TColor: a signed 32-bit integer with the 42 colour identifiers.
const TypeInfo& ColorType();

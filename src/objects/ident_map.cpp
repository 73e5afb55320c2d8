#include "objects/ident_map.h"

#include <utility>

#include "base/text.h"
#include "objects/type_info.h"

namespace {
struct Map {
  const TypeInfo* type;
  std::vector<IdentMapEntry> entries;
};

std::vector<Map>& Maps() {
  static std::vector<Map> maps;
  return maps;
}

constexpr int32_t SystemColor(int n) { return static_cast<int32_t>(0x80000000u + static_cast<uint32_t>(n)); }

// Colour values are 0x00BBGGRR; system colours are the platform's index with the top bit set.
const std::vector<IdentMapEntry> kColorNames = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clNone", 0x1FFFFFFF},
};
}  // namespace

void RegisterIntegerConsts(const TypeInfo& type, const std::vector<IdentMapEntry>& entries) {
  Maps().push_back(Map{&type, entries});
}

std::optional<int32_t> IdentToInt(const TypeInfo& type, const std::string& name) {
  for (const Map& map : Maps()) {
    if (map.type != &type) continue;
    for (const IdentMapEntry& e : map.entries)
      if (SameText(e.name, name)) return e.value;
  }
  return std::nullopt;
}

const char* IntToIdent(const TypeInfo& type, int32_t value) {
  for (const Map& map : Maps()) {
    if (map.type != &type) continue;
    for (const IdentMapEntry& e : map.entries)
      if (e.value == value) return e.name;
  }
  return nullptr;
}

const TypeInfo& ColorType() {
  static const TypeInfo& type = [] () -> const TypeInfo& {
    static const TypeInfo info{"TColor", TypeKind::Integer, {}};
    RegisterIntegerConsts(info, kColorNames);
    return info;
  }();
  return type;
}

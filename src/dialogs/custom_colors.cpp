#include "dialogs/custom_colors.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "base/integer.h"
#include "base/text.h"

namespace {

// Index of the first string whose text before its first "=" is `name` (case folded); strings
// without "=" are never entries.
std::optional<size_t> FindEntry(const std::vector<std::string>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    size_t equals = lines[i].find('=');
    if (equals != std::string::npos && SameText(lines[i].substr(0, equals), name)) return i;
  }
  return std::nullopt;
}

}  // namespace

std::string CustomColorName(const std::string& prefix, const std::string& tags, int index) {
  std::string name = prefix;
  if (index >= 0 && static_cast<size_t>(index) < tags.size()) name += tags[static_cast<size_t>(index)];
  return name;
}

CustomColorArray ReadCustomColors(const TStrings& list, const std::string& prefix, const std::string& tags) {
  CustomColorArray colors;
  for (int i = 0; i < 16; ++i) {
    colors[static_cast<size_t>(i)] = -1;
    auto entry = FindEntry(list.lines(), CustomColorName(prefix, tags, i));
    if (!entry) continue;
    const std::string& line = list[*entry];
    std::string value = line.substr(line.find('=') + 1);
    if (!value.empty()) colors[static_cast<size_t>(i)] = StrToInt("$" + value);
  }
  return colors;
}

void WriteCustomColors(TStrings& list, const CustomColorArray& colors, const std::string& prefix,
                       const std::string& tags) {
  std::vector<std::string> lines = list.lines();
  for (int i = 0; i < 16; ++i) {
    std::string name = CustomColorName(prefix, tags, i);
    std::string line = name + "=" + CustomColorText(colors[static_cast<size_t>(i)]);
    if (auto entry = FindEntry(lines, name))
      lines[*entry] = line;
    else
      lines.push_back(line);
  }
  list.setLines(std::move(lines));
}

std::string CustomColorText(int32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(static_cast<uint32_t>(color)));
  return text;
}

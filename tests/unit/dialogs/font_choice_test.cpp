#include "dialogs/font_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "dialogs/font.h"

namespace {

TEST(FontOptionFlagsTest, EachMemberMapsToItsPlatformFlag) {
  // The platform's CF_* values, in member order fdAnsiOnly .. fdApplyButton.
  const uint32_t kFlags[] = {0x400, 0x40000, 0x100,  0x4000, 0x10000, 0x80000, 0x800,   0x1000,
                             0x200000, 0x100000, 0x800, 0x4, 0x8000, 0x2000, 0x20000, 0x200};
  ASSERT_EQ(std::size(kFlags), FontOptionFlags.size());
  for (int member = 0; member < static_cast<int>(std::size(kFlags)); ++member)
    EXPECT_EQ(kFlags[member], FontOptionsFlags(SetOf(static_cast<TFontDialogOption>(member))))
        << "member " << member;
}

TEST(FontDialogFlagsTest, DeviceApplyHandlerAndCrossedLimitsDecideTheFlags) {
  constexpr uint32_t kBase = cf::kInitToLogFontStruct | cf::kEnableHook;
  const struct { const char* label; TFontDialogDevice device; TFontDialogOptions options; bool apply;
                 int32_t min, max; uint32_t flags; } kCases[] = {
      {"screen", fdScreen, SetOf(fdEffects), false, 0, 0, kBase | cf::kScreenFonts | cf::kEffects},
      {"printer", fdPrinter, 0, false, 0, 0, kBase | cf::kPrinterFonts},
      {"both", fdBoth, 0, false, 0, 0, kBase | cf::kScreenFonts | cf::kPrinterFonts},
      {"apply handler", fdScreen, 0, true, 0, 0, kBase | cf::kScreenFonts | cf::kApply},
      {"limit kept, equal sizes", fdScreen, SetOf(fdLimitSize), false, 10, 10, kBase | cf::kScreenFonts | cf::kLimitSize},
      {"limit cleared, crossed sizes", fdScreen, SetOf(fdLimitSize) | SetOf(fdEffects), false, 12, 8,
       kBase | cf::kScreenFonts | cf::kEffects},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.flags, FontDialogFlags(c.device, c.options, c.apply, c.min, c.max)) << c.label;
}

TEST(FontChoiceTest, FontSeedsWeightEffectsAndPitch) {
  const struct { TFontStyles style; TFontPitch pitch; int32_t weight; bool effects; uint8_t pitchBits; } kCases[] = {
      {0, fpDefault, 400, false, kDefaultPitch},
      {SetOf(fsBold), fpVariable, 700, false, kVariablePitch},
      {SetOf(fsItalic) | SetOf(fsUnderline) | SetOf(fsStrikeOut), fpFixed, 400, true, kFixedPitch},
  };
  for (const auto& c : kCases) {
    TFont font;
    font.setName("Courier New");
    font.setHeight(-13);
    font.setStyle(c.style);
    font.setPitch(c.pitch);
    const FontChoice f = FontChoiceOf(font);
    EXPECT_EQ(std::make_tuple(-13, c.weight, c.effects, c.effects, c.effects, int(c.pitchBits), "Courier New"),
              std::make_tuple(f.height, f.weight, f.italic, f.underline, f.strikeOut, int(f.pitchAndFamily),
                              f.faceName))
        << "style " << int(c.style) << ", pitch " << int(c.pitch);
  }
}

TEST(FontChoiceTest, ChosenFontUpdatesNameHeightAndStyleButNotPitch) {
  const std::string forty(40, 'F');
  const struct { const char* label; std::string face; int32_t weight; bool effects; std::string name;
                 TFontStyles style; } kCases[] = {
      {"weight 400 is not bold", "Arial", 400, false, "Arial", 0},
      {"weight 500 is bold", "Arial", 500, false, "Arial", SetOf(fsBold)},
      {"effects", "Arial", 700, true, "Arial", SetOf(fsBold) | SetOf(fsItalic) | SetOf(fsUnderline) | SetOf(fsStrikeOut)},
      {"empty face keeps the name", "", 400, false, "Before", 0},
      {"40 characters cut to 31", forty, 400, false, forty.substr(0, 31), 0},
  };
  for (const auto& c : kCases) {
    TFont font;
    font.setName("Before");
    font.setPitch(fpFixed);
    font.setStyle(SetOf(fsUnderline));
    UpdateFromFontChoice(font, {-21, c.weight, c.effects, c.effects, c.effects, kVariablePitch, c.face});
    EXPECT_EQ(c.name, font.name()) << c.label;
    EXPECT_EQ(-21, font.height()) << c.label;
    EXPECT_EQ(c.style, font.style()) << c.label;
    EXPECT_EQ(fpFixed, font.pitch()) << c.label;
  }
}

}  // namespace

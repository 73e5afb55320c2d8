#include "dialogs/font_choice.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/font.h"

namespace {

TEST(FontOptionFlagsTest, EachMemberMapsToItsPlatformFlag) {
  const struct {
    TFontDialogOption member;
    uint32_t flag;
  } kCases[] = {
      {fdAnsiOnly, 0x400},        {fdTrueTypeOnly, 0x40000}, {fdEffects, 0x100},
      {fdFixedPitchOnly, 0x4000}, {fdForceFontExist, 0x10000}, {fdNoFaceSel, 0x80000},
      {fdNoOEMFonts, 0x800},      {fdNoSimulations, 0x1000}, {fdNoSizeSel, 0x200000},
      {fdNoStyleSel, 0x100000},   {fdNoVectorFonts, 0x800},  {fdShowHelp, 0x4},
      {fdWysiwyg, 0x8000},        {fdLimitSize, 0x2000},     {fdScalableOnly, 0x20000},
      {fdApplyButton, 0x200},
  };
  ASSERT_EQ(FontOptionFlags.size(), std::size(kCases));
  for (const auto& c : kCases) {
    EXPECT_EQ(c.flag, FontOptionFlags[c.member]) << "member " << c.member;
    EXPECT_EQ(c.flag, FontOptionsFlags(SetOf(c.member))) << "member " << c.member;
  }
  EXPECT_EQ(0u, FontOptionsFlags(0));
}

TEST(FontDialogFlagsTest, DeviceHookApplyAndLimitFollowTheDialog) {
  constexpr uint32_t kBase = cf::kInitToLogFontStruct | cf::kEnableHook;
  const struct {
    const char* label;
    TFontDialogDevice device;
    TFontDialogOptions options;
    bool apply;
    int32_t min, max;
    uint32_t flags;
  } kCases[] = {
      {"defaults", fdScreen, SetOf(fdEffects), false, 0, 0, kBase | 0x1 | 0x100},
      {"printer", fdPrinter, 0, false, 0, 0, kBase | 0x2},
      {"both", fdBoth, 0, false, 0, 0, kBase | 0x3},
      {"apply handler", fdScreen, 0, true, 0, 0, kBase | 0x1 | 0x200},
      {"apply button option", fdScreen, SetOf(fdApplyButton), false, 0, 0, kBase | 0x1 | 0x200},
      {"limit kept", fdScreen, SetOf(fdLimitSize), false, 8, 12, kBase | 0x1 | 0x2000},
      {"limit kept, equal sizes", fdScreen, SetOf(fdLimitSize), false, 10, 10, kBase | 0x1 | 0x2000},
      {"limit cleared, crossed sizes", fdScreen, SetOf(fdLimitSize) | SetOf(fdEffects), false, 12, 8,
       kBase | 0x1 | 0x100},
      {"crossed sizes without the option", fdScreen, 0, false, 12, 8, kBase | 0x1},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.flags, FontDialogFlags(c.device, c.options, c.apply, c.min, c.max)) << c.label;
}

TEST(FontChoiceTest, FontSeedsTheLogicalFont) {
  const struct {
    TFontStyles style;
    TFontPitch pitch;
    int32_t weight;
    bool italic, underline, strikeOut;
    uint8_t pitchBits;
  } kCases[] = {
      {0, fpDefault, 400, false, false, false, 0},
      {SetOf(fsBold), fpVariable, 700, false, false, false, 2},
      {SetOf(fsItalic) | SetOf(fsUnderline) | SetOf(fsStrikeOut), fpFixed, 400, true, true, true, 1},
  };
  for (const auto& c : kCases) {
    TFont font;
    font.setName("Courier New");
    font.setHeight(-13);
    font.setStyle(c.style);
    font.setPitch(c.pitch);
    FontChoice choice = FontChoiceOf(font);
    EXPECT_EQ("Courier New", choice.faceName);
    EXPECT_EQ(-13, choice.height);
    EXPECT_EQ(c.weight, choice.weight) << "style " << int(c.style);
    EXPECT_EQ(c.italic, choice.italic) << "style " << int(c.style);
    EXPECT_EQ(c.underline, choice.underline) << "style " << int(c.style);
    EXPECT_EQ(c.strikeOut, choice.strikeOut) << "style " << int(c.style);
    EXPECT_EQ(c.pitchBits, choice.pitchAndFamily) << "pitch " << int(c.pitch);
  }
}

TEST(FontChoiceTest, ChosenFontUpdatesNameHeightAndStyleButNotPitch) {
  const std::string forty(40, 'F');
  const struct {
    const char* label;
    std::string face;
    int32_t weight;
    bool italic, underline, strikeOut;
    std::string name;
    TFontStyles style;
  } kCases[] = {
      {"normal weight", "Arial", 400, false, false, false, "Arial", 0},
      {"medium weight is bold", "Arial", 500, false, false, false, "Arial", SetOf(fsBold)},
      {"just above normal", "Arial", 401, false, false, false, "Arial", SetOf(fsBold)},
      {"thin", "Arial", 100, false, false, false, "Arial", 0},
      {"effects", "Arial", 700, true, true, true, "Arial",
       SetOf(fsBold) | SetOf(fsItalic) | SetOf(fsUnderline) | SetOf(fsStrikeOut)},
      {"empty face keeps the name", "", 400, true, false, false, "Before", SetOf(fsItalic)},
      {"long face cut to 31", forty, 400, false, false, false, forty.substr(0, 31), 0},
  };
  for (const auto& c : kCases) {
    TFont font;
    font.setName("Before");
    font.setPitch(fpFixed);
    font.setStyle(SetOf(fsUnderline));
    FontChoice choice;
    choice.faceName = c.face;
    choice.height = -21;
    choice.weight = c.weight;
    choice.italic = c.italic;
    choice.underline = c.underline;
    choice.strikeOut = c.strikeOut;
    choice.pitchAndFamily = kVariablePitch;
    UpdateFromFontChoice(font, choice);
    EXPECT_EQ(c.name, font.name()) << c.label;
    EXPECT_EQ(-21, font.height()) << c.label;
    EXPECT_EQ(c.style, font.style()) << c.label;
    EXPECT_EQ(fpFixed, font.pitch()) << c.label;
  }
}

TEST(FontChoiceTest, FaceNameStopsAtTheNulOrTheBufferEnd) {
  const char terminated[32] = "Tahoma";
  char full[32];
  std::fill(std::begin(full), std::end(full), 'x');
  EXPECT_EQ("Tahoma", FaceNameFromBuffer(terminated, sizeof terminated));
  EXPECT_EQ(std::string(32, 'x'), FaceNameFromBuffer(full, sizeof full)) << "no read past the buffer";
}

}  // namespace

#include "dialogs/font_choice.h"

#include <cstring>

#include "dialogs/font.h"

const std::array<uint32_t, 16> FontOptionFlags = {
    0x400,     // fdAnsiOnly: CF_ANSIONLY
    0x40000,   // fdTrueTypeOnly: CF_TTONLY
    0x100,     // fdEffects: CF_EFFECTS
    0x4000,    // fdFixedPitchOnly: CF_FIXEDPITCHONLY
    0x10000,   // fdForceFontExist: CF_FORCEFONTEXIST
    0x80000,   // fdNoFaceSel: CF_NOFACESEL
    0x800,     // fdNoOEMFonts: CF_NOOEMFONTS
    0x1000,    // fdNoSimulations: CF_NOSIMULATIONS
    0x200000,  // fdNoSizeSel: CF_NOSIZESEL
    0x100000,  // fdNoStyleSel: CF_NOSTYLESEL
    0x800,     // fdNoVectorFonts: CF_NOVECTORFONTS
    0x4,       // fdShowHelp: CF_SHOWHELP
    0x8000,    // fdWysiwyg: CF_WYSIWYG
    0x2000,    // fdLimitSize: CF_LIMITSIZE
    0x20000,   // fdScalableOnly: CF_SCALABLEONLY
    0x200,     // fdApplyButton: CF_APPLY
};

const std::array<uint32_t, 3> FontDeviceFlags = {cf::kScreenFonts, cf::kPrinterFonts,
                                                  cf::kScreenFonts | cf::kPrinterFonts};

uint32_t FontOptionsFlags(TFontDialogOptions options) {
  return FlagsOfSet(options, FontOptionFlags);
}

uint32_t FontDialogFlags(TFontDialogDevice device, TFontDialogOptions options, bool hasApplyHandler,
                         int32_t minSize, int32_t maxSize) {
  uint32_t flags = FontDeviceFlags.at(device) | cf::kInitToLogFontStruct | cf::kEnableHook |
                   FontOptionsFlags(options);
  if (hasApplyHandler) flags |= cf::kApply;
  // Crossed limits would leave no size to choose: the dialog runs without a limit instead.
  if (maxSize < minSize) flags &= ~cf::kLimitSize;
  return flags;
}

FontChoice FontChoiceOf(const TFont& font) {
  FontChoice choice;
  choice.height = font.height();
  choice.weight = InSet(font.style(), fsBold) ? kBoldWeight : kNormalWeight;
  choice.italic = InSet(font.style(), fsItalic);
  choice.underline = InSet(font.style(), fsUnderline);
  choice.strikeOut = InSet(font.style(), fsStrikeOut);
  switch (font.pitch()) {
    case fpVariable: choice.pitchAndFamily = kVariablePitch; break;
    case fpFixed: choice.pitchAndFamily = kFixedPitch; break;
    default: choice.pitchAndFamily = kDefaultPitch; break;
  }
  choice.faceName = font.name();
  return choice;
}

void UpdateFromFontChoice(TFont& font, const FontChoice& choice) {
  font.setName(choice.faceName);  // empty: unchanged; longer than 31: cut
  font.setHeight(choice.height);
  TFontStyles style = 0;
  if (choice.weight > kNormalWeight) style |= SetOf(fsBold);
  if (choice.italic) style |= SetOf(fsItalic);
  if (choice.underline) style |= SetOf(fsUnderline);
  if (choice.strikeOut) style |= SetOf(fsStrikeOut);
  font.setStyle(style);
}

std::string FaceNameFromBuffer(const char* buffer, size_t capacity) {
  const void* end = std::memchr(buffer, '\0', capacity);
  return std::string(buffer, end ? static_cast<const char*>(end) : buffer + capacity);
}

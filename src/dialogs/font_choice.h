// What the font dialog computes without the platform: the option-to-flag tables, the flags of
// the font choice record, and the logical font a TFont seeds the dialog with and takes its
// answer from. The Windows part copies FontChoice to and from the platform's LOGFONTA.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/dialog_types.h"

class TFont;

// Font choice flag values (the platform's CF_* constants; the Windows build checks them).
namespace cf {
inline constexpr uint32_t kScreenFonts = 0x1;           // CF_SCREENFONTS
inline constexpr uint32_t kPrinterFonts = 0x2;          // CF_PRINTERFONTS
inline constexpr uint32_t kEnableHook = 0x8;            // CF_ENABLEHOOK
inline constexpr uint32_t kInitToLogFontStruct = 0x40;  // CF_INITTOLOGFONTSTRUCT
inline constexpr uint32_t kEffects = 0x100;             // CF_EFFECTS
inline constexpr uint32_t kApply = 0x200;               // CF_APPLY
inline constexpr uint32_t kLimitSize = 0x2000;          // CF_LIMITSIZE
}  // namespace cf

// The platform flag of each TFontDialogOption member, indexed by member (fdAnsiOnly ..
// fdApplyButton); fdNoOEMFonts and fdNoVectorFonts share one flag.
extern const std::array<uint32_t, 16> FontOptionFlags;
// The device flag of each TFontDialogDevice (screen, printer, both).
extern const std::array<uint32_t, 3> FontDeviceFlags;

// The OR of the table values of every member in `options`.
uint32_t FontOptionsFlags(TFontDialogOptions options);
// The record's flags: device, initialise-from-logical-font, hook, the options, CF_APPLY when an
// Apply handler is assigned, and CF_LIMITSIZE cleared when maxSize < minSize.
uint32_t FontDialogFlags(TFontDialogDevice device, TFontDialogOptions options, bool hasApplyHandler,
                         int32_t minSize, int32_t maxSize);

// Weights above this one count as bold (so 500, "Medium", is bold and 400 is not).
inline constexpr int32_t kNormalWeight = 400;
inline constexpr int32_t kBoldWeight = 700;
// Pitch bits of the logical font (DEFAULT_PITCH, FIXED_PITCH, VARIABLE_PITCH).
inline constexpr uint8_t kDefaultPitch = 0, kFixedPitch = 1, kVariablePitch = 2;

// The parts of a logical font the dialog and TFont share; everything else is zero, with the
// default character set.
struct FontChoice {
  int32_t height = 0;
  int32_t weight = kNormalWeight;
  bool italic = false, underline = false, strikeOut = false;
  uint8_t pitchAndFamily = kDefaultPitch;
  std::string faceName;
};

// The logical font that seeds the dialog: height, weight 700 or 400, the three effects, the
// pitch bits and the name.
FontChoice FontChoiceOf(const TFont& font);
// A chosen font into TFont: name (an empty one changes nothing; at most 31 characters are
// kept), height and style. The pitch stays as it was.
void UpdateFromFontChoice(TFont& font, const FontChoice& choice);
// The face name held in a fixed buffer of `capacity` bytes, up to its NUL or the buffer's end.
std::string FaceNameFromBuffer(const char* buffer, size_t capacity);

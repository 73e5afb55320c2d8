// The enumeration and set types of the dialog properties, with their member names by ordinal.
#pragma once

#include <cstddef>

#include "objects/type_info.h"

// Enumerations.
enum TFileEditStyle : uint8_t { fsEdit, fsComboBox };
enum TFontDialogDevice : uint8_t { fdScreen, fdPrinter, fdBoth };
enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
enum TPrintRange : uint8_t { prAllPages, prSelection, prPageNums };

// Set members; a set holds member n in bit n.
enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks
};
enum TFontDialogOption {
  fdAnsiOnly, fdTrueTypeOnly, fdEffects, fdFixedPitchOnly, fdForceFontExist, fdNoFaceSel,
  fdNoOEMFonts, fdNoSimulations, fdNoSizeSel, fdNoStyleSel, fdNoVectorFonts, fdShowHelp,
  fdWysiwyg, fdLimitSize, fdScalableOnly, fdApplyButton
};
enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
enum TPrintDialogOption {
  poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile
};
enum TFindOption {
  frDown, frFindNext, frHideMatchCase, frHideWholeWord, frHideUpDown, frMatchCase,
  frDisableMatchCase, frDisableUpDown, frDisableWholeWord, frReplace, frReplaceAll,
  frWholeWord, frShowHelp
};
enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TOpenOptions = uint32_t;
using TFontDialogOptions = uint16_t;
using TColorDialogOptions = uint8_t;
using TPrintDialogOptions = uint8_t;
using TFindOptions = uint16_t;
using TFontStyles = uint8_t;

constexpr uint32_t SetOf(int member) { return 1u << member; }
template <class S> constexpr bool InSet(S set, int member) { return (set >> member) & 1u; }

// The OR of the platform flags of every member in `set`, `table` giving the flag of member n.
template <class S, class Table> uint32_t FlagsOfSet(S set, const Table& table) {
  uint32_t flags = 0;
  for (size_t member = 0; member < table.size(); ++member)
    if (InSet(set, static_cast<int>(member))) flags |= table[member];
  return flags;
}

const TypeInfo& FileEditStyleType();
const TypeInfo& FontDialogDeviceType();
const TypeInfo& FontPitchType();
const TypeInfo& PrintRangeType();
const TypeInfo& OpenOptionsType();
const TypeInfo& FontDialogOptionsType();
const TypeInfo& ColorDialogOptionsType();
const TypeInfo& PrintDialogOptionsType();
const TypeInfo& FindOptionsType();
const TypeInfo& FontStylesType();
const TypeInfo& HelpContextType();
const TypeInfo& FontNameType();

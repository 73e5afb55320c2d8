#include "dialogs/dialog_types.h"

#define DEFINE_TYPE(Function, Name, Kind, ...)            \
  const TypeInfo& Function() {                            \
    static const TypeInfo type{Name, Kind, __VA_ARGS__};  \
    return type;                                          \
  }

DEFINE_TYPE(FileEditStyleType, "TFileEditStyle", TypeKind::Enumeration, {"fsEdit", "fsComboBox"})
DEFINE_TYPE(FontDialogDeviceType, "TFontDialogDevice", TypeKind::Enumeration,
            {"fdScreen", "fdPrinter", "fdBoth"})
DEFINE_TYPE(FontPitchType, "TFontPitch", TypeKind::Enumeration, {"fpDefault", "fpVariable", "fpFixed"})
DEFINE_TYPE(PrintRangeType, "TPrintRange", TypeKind::Enumeration,
            {"prAllPages", "prSelection", "prPageNums"})
DEFINE_TYPE(OpenOptionsType, "TOpenOptions", TypeKind::Set,
            {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
             "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
             "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
             "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
             "ofNoDereferenceLinks"})
DEFINE_TYPE(FontDialogOptionsType, "TFontDialogOptions", TypeKind::Set,
            {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects", "fdFixedPitchOnly", "fdForceFontExist",
             "fdNoFaceSel", "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel",
             "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg", "fdLimitSize", "fdScalableOnly",
             "fdApplyButton"})
DEFINE_TYPE(ColorDialogOptionsType, "TColorDialogOptions", TypeKind::Set,
            {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"})
DEFINE_TYPE(PrintDialogOptionsType, "TPrintDialogOptions", TypeKind::Set,
            {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp", "poDisablePrintToFile"})
DEFINE_TYPE(FindOptionsType, "TFindOptions", TypeKind::Set,
            {"frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord", "frHideUpDown",
             "frMatchCase", "frDisableMatchCase", "frDisableUpDown", "frDisableWholeWord",
             "frReplace", "frReplaceAll", "frWholeWord", "frShowHelp"})
DEFINE_TYPE(FontStylesType, "TFontStyles", TypeKind::Set, {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
DEFINE_TYPE(HelpContextType, "THelpContext", TypeKind::Integer, {})
DEFINE_TYPE(FontNameType, "TFontName", TypeKind::String, {})

// The served classes' property tables, checked through what a fresh object and a request
// write back.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/errors.h"
#include "dialogs/printer.h"
#include "dialogs/roundtrip.h"
#include "dialogs/screen.h"
#include "dialogs/served_classes.h"
#include "objects/type_info.h"
#include "testing/expect_throw_msg.h"

namespace {

std::string Reply(const std::string& className, const std::string& properties, const std::string& name = "D") {
  return RoundTripRequest(className, "object " + name + ": " + className + "\r\n" + properties + "\r\nend\r\n");
}

std::string Body(const std::string& className, const std::string& lines) {
  return "object D: " + className + "\r\n" + lines + "end\r\n";
}

TEST(Schema, EveryTableHasUniqueNamesInContiguousIndexOrder) {
  for (const ClassInfo* info : ServedClasses()) {
    std::set<std::string> names;
    int expected = 0;
    for (const PropInfo* p : info->properties()) {
      EXPECT_EQ(expected++, p->index) << info->name << "." << p->name;
      EXPECT_TRUE(names.insert(p->name).second) << info->name << "." << p->name;
    }
  }
}

TEST(Schema, AFreshObjectWritesOnlyWhatDiffersFromTheStreamingDefaults) {
  struct Case {
    const char* className;
    const char* lines;
  } cases[] = {
      {"TOpenDialog", "  FileEditStyle = fsEdit\r\n"},
      {"TSaveDialog", "  FileEditStyle = fsEdit\r\n"},
      {"TFSL16OpenDialog", "  TemplateName = 'fsldlg32'\r\n  UseFSL = False\r\n  FSLHelpContext = 0\r\n"},
      {"TFontDialog",
       "  Font.Color = clWindowText\r\n  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n"
       "  Font.Style = []\r\n  MinFontSize = 0\r\n  MaxFontSize = 0\r\n"},
      {"TColorDialog", "  Ctl3D = True\r\n"},
      {"TPrintDialog", ""},
      {"TPrinterSetupDialog", ""},
      {"TFindDialog", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.className, c.lines), Reply(c.className, "")) << c.className;
}

TEST(Schema, RequestsWriteBackUnderTheDeclaredNamesInTableOrder) {
  struct Case {
    const char* className;
    const char* request;
    const char* lines;
  } cases[] = {
      {"TOpenDialog", "title = 'T' filename = 'C:\\a.txt' Options = [ofOldStyleDialog, ofReadOnly]",
       "  FileEditStyle = fsEdit\r\n  FileName = 'C:\\a.txt'\r\n  Options = [ofReadOnly, ofOldStyleDialog]\r\n"
       "  Title = 'T'\r\n"},
      {"TOpenDialog", "Ctl3D = False Tag = -2147483648 HelpContext = 7 Left = 88",
       "  Tag = -2147483648\r\n  Ctl3D = False\r\n  HelpContext = 7\r\n  FileEditStyle = fsEdit\r\n  Left = 88\r\n"},
      {"TOpenDialog", "Ctl3D = True FilterIndex = 1 FileEditStyle = fsComboBox",
       "  FileEditStyle = fsComboBox\r\n"},
      {"TOpenDialog", "HistoryList.Strings = ('a' 'b')",
       "  FileEditStyle = fsEdit\r\n  HistoryList.Strings = (\r\n    'a'\r\n    'b')\r\n"},
      {"TOpenDialog", "InitialDir = 'C:\\Data\\'", "  FileEditStyle = fsEdit\r\n  InitialDir = 'C:\\Data'\r\n"},
      {"TOpenDialog", "InitialDir = 'C:\\'", "  FileEditStyle = fsEdit\r\n  InitialDir = 'C:\\'\r\n"},
      {"TOpenDialog", "InitialDir = '\\'", "  FileEditStyle = fsEdit\r\n  InitialDir = '\\'\r\n"},
      {"TFSL16OpenDialog", "FileName = 'x' FileEditStyle = fsComboBox Center = False UseFSL = True",
       "  FileEditStyle = fsComboBox\r\n  Filename = 'x'\r\n  TemplateName = 'fsldlg32'\r\n  Center = False\r\n"
       "  UseFSL = True\r\n  FSLHelpContext = 0\r\n"},
      {"TFSL16OpenDialog", "OnInitDone = nil OnCommand = nil TemplateName = ''",
       "  UseFSL = False\r\n  FSLHelpContext = 0\r\n"},
      {"TColorDialog", "Ctl3D = False Color = clRed CustomColors.Strings = ('ColorA=FFFFFF')",
       "  Color = clRed\r\n  CustomColors.Strings = (\r\n    'ColorA=FFFFFF')\r\n"},
      {"TFontDialog",
       "Font.Size = 12 Font.Color = clScrollBar Font.Name = '' Font.Pitch = fpFixed Font.Style = [fsBold] "
       "MinFontSize = -2147483648 Options = [] Device = fdBoth",
       "  Font.Height = -16\r\n  Font.Name = 'MS Sans Serif'\r\n  Font.Pitch = fpFixed\r\n"
       "  Font.Style = [fsBold]\r\n  Device = fdBoth\r\n  MaxFontSize = 0\r\n  Options = []\r\n"},
      {"TFontDialog", "Font.Name = 'A name of more than thirty-one characters'",
       "  Font.Color = clWindowText\r\n  Font.Height = -11\r\n  Font.Name = 'A name of more than thirty-one '\r\n"
       "  Font.Style = []\r\n  MinFontSize = 0\r\n  MaxFontSize = 0\r\n"},
      {"TPrintDialog", "Collate = True PrintRange = prPageNums FromPage = 2 ToPage = 5 Options = [poWarning]",
       "  Collate = True\r\n  FromPage = 2\r\n  Options = [poWarning]\r\n  PrintRange = prPageNums\r\n  ToPage = 5\r\n"},
      {"TFindDialog", "FindText = 'abc' Options = [frMatchCase] OnFind = nil",
       "  FindText = 'abc'\r\n  Options = [frMatchCase]\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Body(c.className, c.lines), Reply(c.className, c.request)) << c.request;
}

TEST(Schema, FindTextKeepsAtMost255Characters) {
  std::string reply = Reply("TFindDialog", "FindText = '" + std::string(300, 'x') + "'");
  EXPECT_EQ(Body("TFindDialog", "  FindText = '" + std::string(255, 'x') + "'\r\n"), reply);
}

TEST(Schema, TheCommandLineClassDecidesTheObjectsClass) {
  EXPECT_EQ(Body("TFSL16OpenDialog", "  TemplateName = 'fsldlg32'\r\n  UseFSL = False\r\n  FSLHelpContext = 0\r\n"),
            RoundTripRequest("tfsl16opendialog", "object D: TOpenDialog\r\nend\r\n"));
  EXPECT_THROW_MSG(RoundTripRequest("TCommonDialog", "object D: TOpenDialog\r\nend\r\n"), EClassNotFound,
                   "TCommonDialog is not a served dialog class");
  EXPECT_THROW_MSG(RoundTripRequest("TNope", "object D: TOpenDialog\r\nend\r\n"), EClassNotFound,
                   "Class TNope not found");
  // A child of the common base class is created, read and dropped like any component child.
  EXPECT_EQ(Body("TOpenDialog", "  FileEditStyle = fsEdit\r\n"),
            Reply("TOpenDialog", "  object C: TCommonDialog\r\n    HelpContext = 5\r\n  end"));
}

TEST(Schema, TheHostFormsNamesAreTaken) {
  EXPECT_EQ("object dialogform_1: TOpenDialog\r\n  FileEditStyle = fsEdit\r\nend\r\n",
            Reply("TOpenDialog", "", "dialogform"));
  EXPECT_THROW_MSG(Reply("TOpenDialog", "", "openDIALOG1"), EComponentError,
                   "A component named openDIALOG1 already exists");
  EXPECT_THROW_MSG(Reply("TOpenDialog", "", "Button1"), EComponentError,
                   "A component named Button1 already exists");
}

TEST(Schema, AccessorFailuresAreWrappedWithTheObjectAndProperty) {
  struct Case {
    const char* className;
    const char* request;
    const char* message;
  } cases[] = {
      {"TPrintDialog", "Copies = 3", "Error reading D.Copies: There is no default printer currently selected"},
      {"TFontDialog", "Font = nil", "Error reading D.Font: Cannot assign a nil to a TFont"},
      {"TOpenDialog", "HistoryList = nil", "Error reading D.HistoryList: Cannot assign a nil to a TStringList"},
      {"TFSL16OpenDialog", "OnFileOK = FormClick", "Error reading D.OnFileOK: Invalid property value"},
      {"TOpenDialog", "FileEditStyle = 1", "Error reading D.FileEditStyle: Invalid property value"},
      {"TOpenDialog", "Ctl3D = 1", "Error reading D.Ctl3D: Invalid property value"},
      {"TOpenDialog", "Options = [ofNothing]", "Error reading D.Options: Invalid property value"},
      {"TFontDialog", "Font.Size.X = 1", "Error reading D.Font.Size.X: Invalid property path"},
  };
  for (const Case& c : cases) EXPECT_THROW_MSG(Reply(c.className, c.request), Exception, c.message);
}

// The platform seams: a printer that takes the copy count, a screen of 120 pixels per inch.
class FakePrinter : public PrinterAccess {
 public:
  void setCopies(int32_t copies) override { this->copies = copies; }
  int32_t copies = -1;
};

class FakeScreen : public ScreenInfo {
 public:
  int pixelsPerInch() const override { return 120; }
};

TEST(Schema, TheCopyCountReachesTheInstalledPrinter) {
  FakePrinter printer;
  InstallPrinter(&printer);
  std::string reply = Reply("TPrintDialog", "Copies = 3");
  InstallPrinter(nullptr);
  EXPECT_EQ(Body("TPrintDialog", "  Copies = 3\r\n"), reply);
  EXPECT_EQ(3, printer.copies);
}

TEST(Schema, FontHeightsFollowTheScreensPixelsPerInch) {
  FakeScreen screen;
  InstallScreen(&screen);
  std::string fresh = Reply("TFontDialog", "");
  std::string sized = Reply("TFontDialog", "Font.Size = 12");
  InstallScreen(nullptr);
  EXPECT_NE(std::string::npos, fresh.find("  Font.Height = -13\r\n")) << fresh;
  EXPECT_NE(std::string::npos, sized.find("  Font.Height = -20\r\n")) << sized;
}

}  // namespace

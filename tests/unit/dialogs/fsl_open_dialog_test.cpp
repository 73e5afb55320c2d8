// The FSL open dialog's decisions, against a fake of its platform site: what a selection puts
// into the edit box, what accepting does with each answer to the warning, how the browse dialog
// is set up, and which handlers a request can unbind.
#include "dialogs/fsl_open_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/stream.h"
#include "dialogs/fsl_dialog_site.h"
#include "dialogs/open_dialog.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

namespace {

constexpr intptr_t kArea = 0x100;  // the custom area
constexpr intptr_t kEdit = 0x101;  // its FSL edit box

class FakeSite : public FslDialogSite {
 public:
  std::string selection, typed, browsedName;  // what the dialog sees
  bool selectionExists = true, wantsFsl = false, browseAccepts = false;
  FslChoice stored{"C:\\FSL\\Run1.fsl", true};
  std::string editText, browse;  // what it did: the edit box, the last browse dialog's setup
  std::vector<std::string> lookups, warnings;
  int browseCount = 0;

  intptr_t dialogItem(intptr_t window, int id) override {
    return window == kArea && id == TFSL16OpenDialog::kFslEditId ? kEdit : 0;
  }
  std::string selectedPath(intptr_t area) override { return area == kArea ? selection : "?"; }
  std::string controlText(intptr_t control) override { return control == kEdit ? typed : "?"; }
  void setControlText(intptr_t control, const std::string& text) override {
    if (control == kEdit) editText = text;
  }
  bool isExistingFile(const std::string& name) override { return selectionExists && name == selection; }
  FslChoice lookupFslFile(const std::string& ini, const std::string& section, const std::string& data) override {
    lookups.push_back(ini + "|" + section + "|" + data);
    return stored;
  }
  bool showFslWarning(const std::string& data, int32_t context, intptr_t owner) override {
    warnings.push_back(data + "|" + std::to_string(context) + "|" + std::to_string(owner));
    return wantsFsl;
  }
  bool executeOpenDialog(TOpenDialog& d) override {
    ++browseCount;
    browse = d.FFileName + "|" + d.FInitialDir + "|" + d.FFilter + "|" + std::to_string(d.FFilterIndex) + "|" +
             d.FDefaultExt + "|" + std::to_string(d.FOptions) + "|" + d.FTitle;
    if (browseAccepts) d.FFileName = browsedName;
    return browseAccepts;
  }
};

class FslOpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallFslDialogSite(&site);
    dialog.FHandle = kArea;
  }
  void TearDown() override { InstallFslDialogSite(nullptr); }
  void Command(int32_t cmd) { dialog.FOnCommand(&dialog, kArea, 0x99, cmd); }

  FakeSite site;
  TFSL16OpenDialog dialog{nullptr};
};

TEST_F(FslOpenDialogTest, SelectionFillsTheEditBoxFromTheStoreOrClearsIt) {
  dialog.FIniFile = "C:\\app.ini";
  dialog.FIniFileSection = "FSLAssociations";
  dialog.FFSLFile = "from request";
  site.selection = "C:\\Data\\Run1.dat";
  dialog.FOnInitDone(&dialog, kArea, 0x99, nullptr);
  EXPECT_EQ(kEdit, dialog.FFSLEdit);
  EXPECT_EQ("C:\\Data\\Run1.dat", dialog.FDataFile);
  EXPECT_EQ(std::vector<std::string>{"C:\\app.ini|FSLAssociations|C:\\Data\\Run1.dat"}, site.lookups);
  EXPECT_EQ("C:\\FSL\\Run1.fsl", dialog.FFSLFile);
  EXPECT_TRUE(dialog.FUseFSL);
  EXPECT_EQ("C:\\FSL\\Run1.fsl", site.editText);

  site.stored = FslChoice{"", false};  // a recorded "no FSL file"
  dialog.FOnSelChange(&dialog, kArea, 0x99, nullptr);
  EXPECT_EQ("", site.editText);
  EXPECT_FALSE(dialog.FUseFSL);

  // A folder, nothing, or a name that is not an existing file: cleared, an FSL file expected.
  site.selection = "C:\\Data";
  site.selectionExists = false;
  dialog.FOnSelChange(&dialog, kArea, 0x99, nullptr);
  EXPECT_EQ("", dialog.FFSLFile);
  EXPECT_TRUE(dialog.FUseFSL);
  EXPECT_EQ(2u, site.lookups.size()) << "no lookup for what is not a file";
}

TEST_F(FslOpenDialogTest, AcceptingDecidesByTheEditBoxAndTheWarning) {
  struct Case {
    const char* name;
    bool useFsl;
    const char* typed;
    bool wantsFsl, browseAccepts;
    const char* expectFsl;
    bool expectUse;
    size_t expectWarnings;
    int expectBrowses;
  } cases[] = {
      {"typed path kept as it stands", true, "x:\\typed\\?.fsl", false, false, "x:\\typed\\?.fsl", true, 0, 0},
      {"typed path while none is wanted", false, "C:\\a.fsl", false, false, "C:\\a.fsl", false, 0, 0},
      {"none wanted, none given", false, "", false, false, "", false, 0, 0},
      {"warning: no FSL file", true, "", false, false, "", false, 1, 0},
      {"warning: select one, chosen", true, "", true, true, "C:\\FSL\\Picked.fsl", true, 1, 1},
      {"warning: select one, cancelled", true, "", true, false, "", true, 1, 1},
  };
  for (const Case& c : cases) {
    FakeSite fresh;
    InstallFslDialogSite(&fresh);
    TFSL16OpenDialog d(nullptr);
    d.FFSLEdit = kEdit;
    d.FDataFile = "C:\\Data\\Run1.dat";
    d.FFSLHelpContext = -2147483647 - 1;
    d.FUseFSL = c.useFsl;
    fresh.typed = c.typed;
    fresh.wantsFsl = c.wantsFsl;
    fresh.browseAccepts = c.browseAccepts;
    fresh.browsedName = "C:\\FSL\\Picked.fsl";
    d.FOnFileOK(&d, kArea, 0x99, nullptr);
    EXPECT_EQ(c.expectFsl, d.FFSLFile) << c.name;
    EXPECT_EQ(c.expectUse, d.FUseFSL) << c.name;
    ASSERT_EQ(c.expectWarnings, fresh.warnings.size()) << c.name;
    if (c.expectWarnings) {
      EXPECT_EQ("C:\\Data\\Run1.dat|-2147483648|" + std::to_string(kArea), fresh.warnings[0]) << c.name;
    }
    EXPECT_EQ(c.expectBrowses, fresh.browseCount) << c.name;
  }
}

TEST_F(FslOpenDialogTest, BrowseStartsFromTheCurrentFslFileAndShowsThePick) {
  const std::string rest = "|FSL files (*.fsl)|*.fsl|0|fsl|8708|Select FSL file";
  const struct {
    const char* fslFile;
    const char* nameAndDir;
  } cases[] = {{"C:\\FSL\\Run1.fsl", "Run1.fsl|C:\\FSL"}, {"C:\\Run1.fsl", "Run1.fsl|C:\\"}, {"", "|"}};
  for (const auto& c : cases) {
    dialog.FFSLFile = c.fslFile;
    dialog.FUseFSL = false;
    Command(TFSL16OpenDialog::kBrowseFslId);
    EXPECT_EQ(c.nameAndDir + rest, site.browse) << c.fslFile;
    EXPECT_EQ(c.fslFile, dialog.FFSLFile) << "cancelled: nothing changes";
    EXPECT_FALSE(dialog.FUseFSL) << "cancelled: nothing changes";
  }
  site.browseAccepts = true;
  site.browsedName = "D:\\x.fsl";
  Command(TFSL16OpenDialog::kBrowseFslId);
  EXPECT_EQ("D:\\x.fsl", dialog.FFSLFile);
  EXPECT_TRUE(dialog.FUseFSL);
  EXPECT_EQ("D:\\x.fsl", site.editText);

  const int before = site.browseCount;
  for (int32_t other : {1, 2, TFSL16OpenDialog::kFslEditId, TFSL16OpenDialog::kBrowseFslId + 1}) Command(other);
  EXPECT_EQ(before, site.browseCount) << "only the browse button browses";
}

TEST_F(FslOpenDialogTest, RequestCanUnbindTheOwnHandlersWhichAreNeverWritten) {
  EXPECT_TRUE(dialog.FOnInitDone && dialog.FOnFileOK && dialog.FOnSelChange && dialog.FOnCommand);
  EXPECT_EQ("fsldlg32", dialog.FTemplateName);
  TMemoryStream text("object F: TFSL16OpenDialog\r\n  OnFileOK = nil\r\nend\r\n"), binary, reply;
  ConvertTextToBinary(text, binary);
  binary.setPosition(0);
  ReadRootObject(binary, dialog);
  EXPECT_FALSE(dialog.FOnFileOK);
  EXPECT_TRUE(dialog.FOnInitDone && dialog.FOnSelChange && dialog.FOnCommand);

  binary.clear();
  WriteRootObject(binary, dialog);
  binary.setPosition(0);
  ConvertBinaryToText(binary, reply);
  EXPECT_EQ(std::string::npos, reply.str().find("On")) << reply.str();
}

}  // namespace

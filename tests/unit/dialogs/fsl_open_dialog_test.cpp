// The FSL open dialog's decisions, against a fake of its platform site: what a selection puts
// into the edit box, what accepting does with each answer to the warning, how the browse dialog
// is set up, and which handlers a request can unbind.
#include "dialogs/fsl_open_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/stream.h"
#include "dialogs/dialog_form.h"
#include "dialogs/fsl_dialog_site.h"
#include "dialogs/open_dialog.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

namespace {

constexpr intptr_t kArea = 0x100;  // the custom area
constexpr intptr_t kEdit = 0x101;  // its FSL edit box

class FakeSite : public FslDialogSite {
 public:
  // The world the dialog sees.
  std::string selection;
  bool selectionExists = true;
  FslChoice stored{"C:\\FSL\\Run1.fsl", true};
  std::string typed;       // what the edit box holds when the dialog is accepted
  bool wantsFsl = false;   // the warning's answer
  bool browseAccepts = false;
  std::string browsedName;

  // What the dialog did.
  std::string editText;
  std::vector<std::string> warnings;  // "data file|context|owner"
  std::string browseName, browseDir, browseFilter, browseExt, browseTitle;
  int32_t browseIndex = -1;
  uint32_t browseOptions = 0;
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
    browseName = d.FFileName;
    browseDir = d.FInitialDir;
    browseFilter = d.FFilter;
    browseIndex = d.FFilterIndex;
    browseExt = d.FDefaultExt;
    browseOptions = d.FOptions;
    browseTitle = d.FTitle;
    if (browseAccepts) d.FFileName = browsedName;
    return browseAccepts;
  }
  std::vector<std::string> lookups;
};

class FslOpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallFslDialogSite(&site); }
  void TearDown() override { InstallFslDialogSite(nullptr); }

  // The dialog as the platform leaves it after CDN_INITDONE on `selection`.
  void InitDone(const std::string& selection) {
    site.selection = selection;
    dialog.FHandle = kArea;
    dialog.FOnInitDone(&dialog, kArea, 0x99, nullptr);
  }

  FakeSite site;
  TFSL16OpenDialog dialog{nullptr};
};

TEST_F(FslOpenDialogTest, SelectionFillsTheEditBoxFromTheStoreOrClearsIt) {
  dialog.FIniFile = "C:\\app.ini";
  dialog.FIniFileSection = "FSLAssociations";
  dialog.FFSLFile = "from request";
  dialog.FUseFSL = false;
  InitDone("C:\\Data\\Run1.dat");
  EXPECT_EQ(kEdit, dialog.FFSLEdit);
  EXPECT_EQ("C:\\Data\\Run1.dat", dialog.FDataFile);
  EXPECT_EQ(std::vector<std::string>{"C:\\app.ini|FSLAssociations|C:\\Data\\Run1.dat"}, site.lookups);
  EXPECT_EQ("C:\\FSL\\Run1.fsl", dialog.FFSLFile);
  EXPECT_TRUE(dialog.FUseFSL);
  EXPECT_EQ("C:\\FSL\\Run1.fsl", site.editText);

  // A recorded "no FSL file".
  site.stored = FslChoice{"", false};
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
    d.FHandle = kArea;
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
  struct Case {
    const char* fslFile;
    const char* name;
    const char* dir;
  } cases[] = {
      {"C:\\FSL\\Run1.fsl", "Run1.fsl", "C:\\FSL"},
      {"C:\\Run1.fsl", "Run1.fsl", "C:\\"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    dialog.FFSLFile = c.fslFile;
    dialog.FHandle = kArea;
    dialog.FOnCommand(&dialog, kArea, 0x99, TFSL16OpenDialog::kBrowseFslId);
    EXPECT_EQ(c.name, site.browseName) << c.fslFile;
    EXPECT_EQ(c.dir, site.browseDir) << c.fslFile;
  }
  EXPECT_EQ("FSL files (*.fsl)|*.fsl", site.browseFilter);
  EXPECT_EQ(0, site.browseIndex);
  EXPECT_EQ("fsl", site.browseExt);
  EXPECT_EQ(8708u, site.browseOptions);
  EXPECT_EQ("Select FSL file", site.browseTitle);

  // Cancelled: nothing changes. Accepted: the pick is shown and wanted.
  dialog.FUseFSL = false;
  dialog.FOnCommand(&dialog, kArea, 0x99, TFSL16OpenDialog::kBrowseFslId);
  EXPECT_EQ("", dialog.FFSLFile);
  EXPECT_FALSE(dialog.FUseFSL);
  site.browseAccepts = true;
  site.browsedName = "D:\\x.fsl";
  dialog.FOnCommand(&dialog, kArea, 0x99, TFSL16OpenDialog::kBrowseFslId);
  EXPECT_EQ("D:\\x.fsl", dialog.FFSLFile);
  EXPECT_TRUE(dialog.FUseFSL);
  EXPECT_EQ("D:\\x.fsl", site.editText);

  // Other commands are not the browse button.
  const int before = site.browseCount;
  for (int32_t other : {1, 2, TFSL16OpenDialog::kFslEditId, TFSL16OpenDialog::kBrowseFslId + 1})
    dialog.FOnCommand(&dialog, kArea, 0x99, other);
  EXPECT_EQ(before, site.browseCount);
}

TEST_F(FslOpenDialogTest, RequestCanUnbindTheOwnHandlersWhichAreNeverWritten) {
  TDialogForm host;
  TFSL16OpenDialog* d = new TFSL16OpenDialog(&host);
  EXPECT_TRUE(d->FOnInitDone && d->FOnFileOK && d->FOnSelChange && d->FOnCommand);
  EXPECT_EQ("fsldlg32", d->FTemplateName);
  TMemoryStream text("object F: TFSL16OpenDialog\r\n  OnFileOK = nil\r\nend\r\n");
  TMemoryStream binary;
  ConvertTextToBinary(text, binary);
  binary.setPosition(0);
  ReadRootObject(binary, *d);
  EXPECT_FALSE(d->FOnFileOK);
  EXPECT_TRUE(d->FOnInitDone && d->FOnSelChange && d->FOnCommand);

  TMemoryStream written, reply;
  WriteRootObject(written, *d);
  written.setPosition(0);
  ConvertBinaryToText(written, reply);
  std::string replyText = reply.str();
  EXPECT_EQ(std::string::npos, replyText.find("On")) << replyText;
}

}  // namespace

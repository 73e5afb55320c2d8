#include "dialogs/fsl_dialog_site.h"

namespace {
class NoPlatformSite : public FslDialogSite {
 public:
  intptr_t dialogItem(intptr_t, int) override { return 0; }
  std::string selectedPath(intptr_t) override { return std::string(); }
  std::string controlText(intptr_t) override { return std::string(); }
  void setControlText(intptr_t, const std::string&) override {}
  bool isExistingFile(const std::string&) override { return false; }
  FslChoice lookupFslFile(const std::string&, const std::string&, const std::string&) override {
    return FslChoice{std::string(), true};
  }
  bool showFslWarning(const std::string&, int32_t, intptr_t) override { return false; }
  bool executeOpenDialog(TOpenDialog&) override { return false; }
};

NoPlatformSite g_noPlatform;
FslDialogSite* g_site = &g_noPlatform;
}  // namespace

FslDialogSite& FslSite() { return *g_site; }
void InstallFslDialogSite(FslDialogSite* site) { g_site = site ? site : &g_noPlatform; }

#include "dialogs/screen.h"

namespace {
class FixedScreen : public ScreenInfo {
 public:
  int pixelsPerInch() const override { return 96; }
};

const FixedScreen kFixedScreen;
const ScreenInfo* g_screen = &kFixedScreen;
}  // namespace

const ScreenInfo& Screen() { return *g_screen; }
void InstallScreen(const ScreenInfo* screen) { g_screen = screen ? screen : &kFixedScreen; }

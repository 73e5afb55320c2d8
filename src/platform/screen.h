// The screen's vertical pixels per inch, as the font model needs it.
#pragma once

#include "dialogs/screen.h"

// Reads LOGPIXELSY of the screen once, when constructed (96 when the screen cannot be read).
class PlatformScreen : public ScreenInfo {
 public:
  PlatformScreen();
  int pixelsPerInch() const override { return pixelsPerInch_; }

 private:
  int pixelsPerInch_;
};

// Installs a PlatformScreen for the rest of the process.
void InstallPlatformScreen();

// The screen as the font model sees it: its vertical pixels per inch.
#pragma once

class ScreenInfo {
 public:
  virtual ~ScreenInfo() = default;
  virtual int pixelsPerInch() const = 0;
};

// The installed screen; a 96-pixels-per-inch screen until the platform installs its own.
const ScreenInfo& Screen();
// Installs the platform's screen (not owned; must outlive every use). nullptr restores 96.
void InstallScreen(const ScreenInfo* screen);

#include "platform/screen.h"

#include "platform/win32.h"

PlatformScreen::PlatformScreen() {
  HDC dc = GetDC(nullptr);
  pixelsPerInch_ = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  if (pixelsPerInch_ <= 0) pixelsPerInch_ = 96;
}

void InstallPlatformScreen() {
  static const PlatformScreen screen;
  InstallScreen(&screen);
}

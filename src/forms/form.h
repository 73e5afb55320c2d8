// The form base: a window's published description (place, size, caption, font, border icons,
// the control that takes the focus) and the modal result of its run. Portable; the window and
// the modal run are form_win.h's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/font.h"
#include "forms/controls.h"

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint8_t;
enum TPosition : uint8_t { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };

const TypeInfo& BorderIconsType();
const TypeInfo& PositionType();

class TForm : public TComponent {
 public:
  explicit TForm(TComponent* owner) : TComponent(owner) {}
  DECLARE_CLASS_INFO()

  // A handler the form class publishes for streaming, called with the control that raised it.
  using PublishedMethod = std::function<void(TComponent* sender)>;
  // The handler published under `name` (ASCII case ignored); empty when there is none.
  virtual PublishedMethod publishedMethod(const std::string& name);

  TWinControl* activeControl() const { return activeControl_; }
  // A component that is not a windowed control cannot take the focus: it leaves none active.
  void setActiveControl(TPersistent* control);
  TFont* font() const { return &FFont; }
  void setFont(TPersistent* source) { FFont.assign(source); }

  // Binds the click events read by name to this form's published methods.
  void loaded() override;

  // The published component of `name` when it is of class T, else nullptr.
  template <class T> T* field(const char* name) const { return dynamic_cast<T*>(findComponent(name)); }

  int32_t FLeft = 0;
  int32_t FTop = 0;
  TBorderIcons FBorderIcons = SetOf(biSystemMenu) | SetOf(biMinimize) | SetOf(biMaximize);
  bool FAutoScroll = true;
  std::string FCaption;
  int32_t FClientHeight = 0;
  int32_t FClientWidth = 0;
  mutable TFont FFont;
  // Any 32-bit value, the lowest included: a help context is passed on as it was given.
  int32_t FHelpContext = 0;
  TPosition FPosition = poDesigned;
  int32_t FPixelsPerInch = 96;
  int32_t FTextHeight = 0;
  int32_t FModalResult = mrNone;

 private:
  TWinControl* activeControl_ = nullptr;
};

// Registers TForm and the control classes, so a description's children can be created by name.
void RegisterFormClasses();

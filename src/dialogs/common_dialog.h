// The base of every served dialog: Ctl3D and HelpContext on top of a component.
#pragma once

#include "objects/component.h"

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  DECLARE_CLASS_INFO()

  bool FCtl3D = true;
  int32_t FHelpContext = 0;
};

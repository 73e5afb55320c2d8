#include "dialogs/dialog_form.h"

#include "dialogs/open_dialog.h"
#include "forms/controls.h"
#include "objects/application_forms.h"

namespace {
constexpr uint32_t DesignPosition(uint16_t left, uint16_t top) { return left | (static_cast<uint32_t>(top) << 16); }
}  // namespace

const ClassInfo& TDialogForm::StaticClass() {
  static const ClassInfo info{"TDialogForm", &TComponent::StaticClass(), {}};
  return info;
}

TDialogForm::TDialogForm() : TComponent(nullptr) {
  setName("DialogForm");
  button1_ = new TButton(this);
  button1_->setName("Button1");
  openDialog1_ = new TOpenDialog(this);
  openDialog1_->setName("OpenDialog1");
  openDialog1_->FFileEditStyle = fsEdit;
  openDialog1_->setDesignInfo(DesignPosition(88, 8));
  AddApplicationForm(this);
}

TDialogForm::~TDialogForm() { RemoveApplicationForm(this); }

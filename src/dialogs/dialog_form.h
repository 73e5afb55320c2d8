// The host form as a component: named DialogForm, owning Button1 and OpenDialog1, and the
// application's only form, so a request's object cannot take those names.
#pragma once

#include "objects/component.h"

class TOpenDialog;

class TDialogForm : public TComponent {
 public:
  // Joins the application's forms; leaves them when destroyed.
  TDialogForm();
  ~TDialogForm() override;
  DECLARE_CLASS_INFO()

  TComponent* button1() const { return button1_; }
  TOpenDialog* openDialog1() const { return openDialog1_; }

 private:
  TComponent* button1_;
  TOpenDialog* openDialog1_;
};

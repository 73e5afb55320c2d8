// The missing-FSL warning form: asks whether the user wants to pick an FSL file for the data
// file just accepted. Its controls come from its description (fsl_warn.txt); the choice and the
// help request are its two published handlers. The window is fsl_warn_win.h's.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "forms/form.h"

class TFSLWarn : public TForm {
 public:
  explicit TFSLWarn(TComponent* owner) : TForm(owner) {}
  DECLARE_CLASS_INFO()

  PublishedMethod publishedMethod(const std::string& name) override;

  // "&OK": the modal result becomes mrOk when WantFSL is checked, else mrCancel.
  void Button2Click(TComponent* sender);
  // "&Help": asks for help on the form's HelpContext; the form stays open.
  void Button1Click(TComponent* sender);

  // Called by Button1Click with the form's help context.
  std::function<void(int32_t helpContext)> onHelpRequest;
};

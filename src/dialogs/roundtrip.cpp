#include "dialogs/roundtrip.h"

#include <memory>

#include "base/errors.h"
#include "base/format.h"
#include "base/messages.h"
#include "base/stream.h"
#include "dialogs/dialog_form.h"
#include "dialogs/served_classes.h"
#include "objects/class_registry.h"
#include "streaming/convert.h"
#include "streaming/object_stream.h"

std::string RoundTripRequest(const std::string& className, const std::string& requestText) {
  RegisterServedClasses();
  const ClassInfo& info = FindClass(className);
  if (!FindServedClass(info)) throw EClassNotFound(Format(msg::kNotServed, {info.name}));

  TDialogForm form;
  std::unique_ptr<TComponent> dialog(info.create(&form));

  TMemoryStream request(requestText);
  TMemoryStream binary;
  ConvertTextToBinary(request, binary);
  binary.setPosition(0);
  ReadRootObject(binary, *dialog);

  binary.clear();
  WriteRootObject(binary, *dialog);
  binary.setPosition(0);
  TMemoryStream reply;
  ConvertBinaryToText(binary, reply);
  return reply.str();
}

#include "dialogs/event.h"

const TypeInfo& NotifyEventType() {
  static const TypeInfo type{"TNotifyEvent", TypeKind::Method, {}};
  return type;
}
const TypeInfo& FDApplyEventType() {
  static const TypeInfo type{"TFDApplyEvent", TypeKind::Method, {}};
  return type;
}
const TypeInfo& OpenNotifyEventType() {
  static const TypeInfo type{"TOpenNotifyEvent", TypeKind::Method, {}};
  return type;
}
const TypeInfo& ShareNotifyEventType() {
  static const TypeInfo type{"TShareNotifyEvent", TypeKind::Method, {}};
  return type;
}
const TypeInfo& CommandNotifyEventType() {
  static const TypeInfo type{"TCommandNotifyEvent", TypeKind::Method, {}};
  return type;
}

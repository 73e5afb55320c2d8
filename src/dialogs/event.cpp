#include "dialogs/event.h"

#define DEFINE_EVENT_TYPE(Function, Name)                      \
  const TypeInfo& Function() {                                 \
    static const TypeInfo type{Name, TypeKind::Method, {}};    \
    return type;                                               \
  }

DEFINE_EVENT_TYPE(NotifyEventType, "TNotifyEvent")
DEFINE_EVENT_TYPE(FDApplyEventType, "TFDApplyEvent")
DEFINE_EVENT_TYPE(OpenNotifyEventType, "TOpenNotifyEvent")
DEFINE_EVENT_TYPE(ShareNotifyEventType, "TShareNotifyEvent")
DEFINE_EVENT_TYPE(CommandNotifyEventType, "TCommandNotifyEvent")

// Events: a handler the dialog calls, bound in code or, for handlers a class publishes for
// streaming, by name from a request.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "objects/type_info.h"

class TComponent;

template <class... Args>
struct Event {
  std::function<void(Args...)> handler;
  // The published name the handler was bound under; empty for handlers bound in code.
  std::string publishedName;

  explicit operator bool() const { return static_cast<bool>(handler); }
  void operator()(Args... args) const {
    if (handler) handler(args...);
  }
  void clear() {
    handler = nullptr;
    publishedName.clear();
  }
};

// Window handles travel as 32-bit values on the target; intptr_t holds them on every build.
using TNotifyEvent = Event<TComponent*>;
using TFDApplyEvent = Event<TComponent*, intptr_t /*Wnd*/>;
using TOpenNotifyEvent = Event<TComponent*, intptr_t /*Wnd*/, intptr_t /*Parent*/, void* /*nfy*/>;
using TShareNotifyEvent =
    Event<TComponent*, intptr_t /*Wnd*/, intptr_t /*Parent*/, void* /*nfy*/, const std::string& /*fn*/>;
using TCommandNotifyEvent = Event<TComponent*, intptr_t /*Wnd*/, intptr_t /*Parent*/, int32_t /*cmd*/>;

const TypeInfo& NotifyEventType();
const TypeInfo& FDApplyEventType();
const TypeInfo& OpenNotifyEventType();
const TypeInfo& ShareNotifyEventType();
const TypeInfo& CommandNotifyEventType();

// Accessors of an event field for a method property: it reads as its published name and is
// unbound by "" (nil in a request).
template <auto F> constexpr MethodAccess EventField() {
  using C = typename type_info_detail::MemberPointer<decltype(F)>::Class;
  return MethodAccess{
      [](const TPersistent& o) -> std::string { return (static_cast<const C&>(o).*F).publishedName; },
      [](TPersistent& o, const std::string& name) {
        auto& event = static_cast<C&>(o).*F;
        event.clear();
        event.publishedName = name;
      }};
}

#include <new>

#include "base/errors.h"
#include "base/messages.h"

std::string FailureText(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const Exception& e) {
    return e.message();
  } catch (const std::bad_alloc&) {
    return msg::kOutOfMemory;
  } catch (...) {
    return msg::kInternalFailure;
  }
}

// What the user reads for a failure: the system's own messages as they are, memory exhaustion
// as "Out of memory", anything else as a fixed text without implementation details.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "base/errors.h"

namespace {

TEST(FailureText, OwnMessagesStayOthersBecomePlain) {
  const struct {
    std::exception_ptr failure;
    const char* text;
  } cases[] = {
      {std::make_exception_ptr(EReadError("Error reading X.Y: Invalid property value")),
       "Error reading X.Y: Invalid property value"},
      {std::make_exception_ptr(std::bad_alloc()), "Out of memory"},
      {std::make_exception_ptr(std::runtime_error("std::runtime_error in basic_string::_M_create")),
       "The operation failed"},
      {std::make_exception_ptr(42), "The operation failed"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, FailureText(c.failure));
}

}  // namespace

// EXPECT_THROW_MSG(statement, Class, "message"): the statement throws Class (or a subclass) whose
// message is exactly "message". Any other outcome is reported with what happened instead.
#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

#define EXPECT_THROW_MSG(statement, exception_class, expected_message)                       \
  do {                                                                                        \
    try {                                                                                     \
      statement;                                                                              \
      ADD_FAILURE() << #statement " threw nothing; expected " #exception_class;               \
    } catch (const exception_class& e) {                                                      \
      EXPECT_EQ(std::string(expected_message), std::string(e.what())) << #statement;          \
    } catch (const std::exception& e) {                                                       \
      ADD_FAILURE() << #statement " threw another class (" << e.what() << "); expected "      \
                    << #exception_class;                                                      \
    } catch (...) {                                                                           \
      ADD_FAILURE() << #statement " threw a non-standard exception; expected " #exception_class; \
    }                                                                                         \
  } while (0)

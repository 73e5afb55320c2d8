// Failure classes. Each carries one message text, built from the table in messages.h.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// Number conversions that fail ("'%s' is not a valid integer value") and impossible assignments.
class EConvertError : public Exception {
  using Exception::Exception;
};

// Syntax errors in component text; the message ends in " on line %d".
class EParserError : public Exception {
  using Exception::Exception;
};

class EStreamError : public Exception {
  using Exception::Exception;
};
class EFilerError : public EStreamError {
  using EStreamError::EStreamError;
};
class EReadError : public EFilerError {
  using EFilerError::EFilerError;
};
class EWriteError : public EFilerError {
  using EFilerError::EFilerError;
};
class EClassNotFound : public EFilerError {
  using EFilerError::EFilerError;
};

// Naming of components: invalid or duplicate names.
class EComponentError : public Exception {
  using Exception::Exception;
};

// A property path or value that the object cannot take.
class EPropertyError : public Exception {
  using Exception::Exception;
};

class EPrinter : public Exception {
  using Exception::Exception;
};

// A resource the program was built with cannot be found.
class EResNotFound : public Exception {
  using Exception::Exception;
};

// The platform could not create a window.
class EOutOfResources : public Exception {
  using Exception::Exception;
};

// A library of the platform that the program loads when it needs it is missing or incomplete.
class EDialogLibrary : public Exception {
  using Exception::Exception;
};

// The text the user sees for `failure`: the message of the system's own failures; "Out of
// memory" for memory exhaustion; a fixed, plain text for anything else, so no implementation
// detail reaches the user.
std::string FailureText(std::exception_ptr failure);

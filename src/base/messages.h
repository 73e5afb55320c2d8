// Every message text the system raises, in one place. "%s" and "%d" are filled by Format.
#pragma once

namespace msg {

// Component text syntax: the inner message is wrapped by kParseError.
inline constexpr char kParseError[] = "%s on line %d";
inline constexpr char kIdentifierExpected[] = "Identifier expected";
inline constexpr char kStringExpected[] = "String expected";
inline constexpr char kNumberExpected[] = "Number expected";
inline constexpr char kCharExpected[] = "''%s'' expected";
inline constexpr char kSymbolExpected[] = "%s expected";
inline constexpr char kInvalidBinary[] = "Invalid binary value";
inline constexpr char kInvalidString[] = "Invalid string constant";
inline constexpr char kLineTooLong[] = "Line too long";
inline constexpr char kNestingTooDeep[] = "Nesting too deep";

// Number conversions.
inline constexpr char kInvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr char kInvalidFloat[] = "'%s' is not a valid floating point value";

// Binary component form and streams.
inline constexpr char kInvalidImage[] = "Invalid stream format";
inline constexpr char kReadError[] = "Stream read error";
inline constexpr char kWriteError[] = "Stream write error";
inline constexpr char kMemoryStreamError[] = "Out of memory while expanding memory stream";
inline constexpr char kInvalidPropertyValue[] = "Invalid property value";

// Property streaming.
inline constexpr char kErrorReading[] = "Error reading %s.%s: %s";
inline constexpr char kUnknownProperty[] = "Property does not exist";
inline constexpr char kInvalidPropertyPath[] = "Invalid property path";
inline constexpr char kPropertyReadOnly[] = "Property is read-only";
inline constexpr char kAssignError[] = "Cannot assign a %s to a %s";

// Classes and components.
inline constexpr char kClassNotFound[] = "Class %s not found";
inline constexpr char kDuplicateClass[] = "A class named %s already exists";
inline constexpr char kDuplicateName[] = "A component named %s already exists";
inline constexpr char kInvalidName[] = "''%s'' is not a valid component name";
inline constexpr char kNotServed[] = "%s is not a served dialog class";

// Resources and windows of the program.
inline constexpr char kResourceNotFound[] = "Resource %s not found";
inline constexpr char kWindowCreateError[] = "Error creating window";
inline constexpr char kDialogLibraryMissing[] = "The dialog library %s could not be loaded";

// Failures that are not the system's own, as the user sees them.
inline constexpr char kOutOfMemory[] = "Out of memory";
inline constexpr char kInternalFailure[] = "The operation failed";

// Printer.
inline constexpr char kNoDefaultPrinter[] = "There is no default printer currently selected";
inline constexpr char kPrinterNotSupported[] = "Operation not supported on selected printer";

}  // namespace msg

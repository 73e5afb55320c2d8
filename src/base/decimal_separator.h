// The process-wide decimal separator used by floating-point formatting and parsing.
// Text conversions set it to "." for their duration with DecimalSeparatorScope.
#pragma once

char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Sets the separator for the lifetime of the scope and puts the old one back on every way out.
class DecimalSeparatorScope {
 public:
  explicit DecimalSeparatorScope(char separator) : saved_(DecimalSeparator()) {
    SetDecimalSeparator(separator);
  }
  ~DecimalSeparatorScope() { SetDecimalSeparator(saved_); }
  DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
  DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

 private:
  char saved_;
};

// The harness's one error: a test asked for something the harness cannot do
// (an unknown control name, a wizard that is not running, a disabled button).
// Tests see it as a failure whose message says what went wrong.
#pragma once
#include <stdexcept>
#include <string>

class TDriverError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

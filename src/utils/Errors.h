// The exception types the wizard raises for unexpected failures. They all
// derive from std::runtime_error, so the window's one error display can show
// any of them by what().
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

// A pipe or file operation failed.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A stream took fewer bytes than it was given.
class EStreamWriteError : public std::runtime_error {
 public:
  EStreamWriteError() : std::runtime_error("Stream write error") {}
};

// A registry value could not be read or written. The message names the value,
// because that is what an operator can look up with the registry editor.
class ERegistryException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  static ERegistryException InvalidDataType(const std::string& ValueName) {
    return ERegistryException("Invalid data type for '" + ValueName + "'");
  }
  // Larger than any value the wizard reads, or growing without end.
  static ERegistryException InvalidDataSize(const std::string& ValueName) {
    return ERegistryException("Invalid data size for '" + ValueName + "'");
  }
  static ERegistryException FailedToSetData(const std::string& ValueName) {
    return ERegistryException("Failed to set data for '" + ValueName + "'");
  }
};

// An operating-system call failed. Carries the system's error code; the text
// for that code is looked up by the Windows layer and handed in.
class EOSError : public std::runtime_error {
 public:
  EOSError(unsigned long Code, const std::string& SystemText)
      : std::runtime_error(Describe(Code, SystemText)), FErrorCode(Code) {}

  unsigned long ErrorCode() const { return FErrorCode; }

  static std::string Describe(unsigned long Code, const std::string& SystemText) {
    if (Code == 0) return "A call to an OS function failed";
    // Codes are printed signed, as the message's "%d" has always shown them.
    return "System Error.  Code: " + std::to_string(static_cast<int>(static_cast<unsigned int>(Code))) + ".\r\n" +
           SystemText;
  }

 private:
  unsigned long FErrorCode;
};

// An internal consistency check failed: a fault of the wizard itself.
class EAssertionFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs Action; what it threw, as text, or "" when it returned. For the few
// ways that must go on whatever happens on them (the end of a run).
template <class TAction>
std::string FaultOf(TAction&& Action) {
  try {
    Action();
  } catch (const std::exception& Error) {
    return Error.what();
  } catch (...) {
    return "unknown error";
  }
  return "";
}

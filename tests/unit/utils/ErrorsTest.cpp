#include "utils/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace {

TEST(Errors, Messages) {
  EXPECT_STREQ(EStreamWriteError().what(), "Stream write error");
  EXPECT_STREQ(ERegistryException::InvalidDataType("UpdateLevel").what(), "Invalid data type for 'UpdateLevel'");
  EXPECT_STREQ(ERegistryException::FailedToSetData("StartOUpdate").what(), "Failed to set data for 'StartOUpdate'");
  EXPECT_STREQ(EInOutError("Erorr 8 creating pipe.").what(), "Erorr 8 creating pipe.");
}

TEST(Errors, OsErrorNamesItsCodeAndText) {
  struct {
    unsigned long Code;
    std::string Text, Expected;
  } Cases[] = {
      {5, "Access denied.", "System Error.  Code: 5.\r\nAccess denied."},
      {1812, "", "System Error.  Code: 1812.\r\n"},
      {0xFFFFFFFFul, "x", "System Error.  Code: -1.\r\nx"},
      {0, "ignored", "A call to an OS function failed"},
  };
  for (const auto& Case : Cases) {
    EOSError Error(Case.Code, Case.Text);
    EXPECT_EQ(std::string(Error.what()), Case.Expected) << "code " << Case.Code;
    EXPECT_EQ(Error.ErrorCode(), Case.Code);
  }
}

// The window's one error display catches std::runtime_error.
static_assert(std::is_base_of_v<std::runtime_error, EInOutError>);
static_assert(std::is_base_of_v<std::runtime_error, EStreamWriteError>);
static_assert(std::is_base_of_v<std::runtime_error, ERegistryException>);
static_assert(std::is_base_of_v<std::runtime_error, EOSError>);
static_assert(std::is_base_of_v<std::runtime_error, EAssertionFailed>);

}  // namespace

// The program's exception classes. Everything the program raises derives from
// Exception, which carries the message shown in the application-wide report;
// ClassName() gives the class name that report begins with, since C++ has no
// portable readable type name. Portable: no Windows header.
#pragma once

#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
 public:
  // Kept out of line so that the return address it records lies in the code
  // that raised the exception, the place the report names.
  __attribute__((noinline)) explicit Exception(std::string message)
      : message_(std::move(message)), address_(__builtin_return_address(0)) {}

  // An exception raised on behalf of code elsewhere, at `address`.
  Exception(std::string message, const void* address)
      : message_(std::move(message)), address_(address) {}

  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }
  // Code address at which the exception was raised (null when unknown).
  const void* Address() const { return address_; }

 private:
  std::string message_;
  const void* address_;
};

// A text that is not a valid number or value.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EConvertError"; }
};

// A file operation that failed, with the error code of the failure.
class EInOutError : public Exception {
 public:
  EInOutError(int errorCode, std::string message)
      : Exception(std::move(message)), errorCode_(errorCode) {}

  int ErrorCode() const { return errorCode_; }
  const char* ClassName() const override { return "EInOutError"; }

 private:
  int errorCode_;
};

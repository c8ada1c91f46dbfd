#pragma once
// The program's failures. Each class carries a fixed message text (marked text, see MarkedText.h) that the
// application's exception handler shows; EAbort is the silent one that no handler reports.
#include <cstdint>
#include <exception>
#include <string>

namespace nv {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

private:
  std::string message_;
};

// A text could not be converted between encodings.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char* kInvalidUtf8Message = "Invalid UTF8 string.";

// A failed operating-system call: "Win32 Error.  Code: %d.\n%s" with the system's own text, or
// "A Win32 API function failed" when the call left no error code.
class EWin32Error : public Exception {
public:
  EWin32Error(std::uint32_t code, std::string_view systemMessage);
  std::uint32_t Code() const noexcept { return code_; }

private:
  std::uint32_t code_;
};

// An index outside a list's items.
class EListError : public Exception {
public:
  using Exception::Exception;
};

// User cancellation, or a graph closed during its build: ends the work and is never reported.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
};

}  // namespace nv

#include "support/Errors.h"

#include "support/MarkedText.h"

namespace nv {

namespace {
std::string Win32ErrorMessage(std::uint32_t code, std::string_view systemMessage) {
  if (code == 0) return "A Win32 API function failed";
  // The code is shown as a signed number, as HRESULT-like codes traditionally are.
  return FormatText("Win32 Error.  Code: %d.\n%s",
                    {FormatArg(static_cast<std::int32_t>(code)), FormatArg(systemMessage)});
}
}  // namespace

EWin32Error::EWin32Error(std::uint32_t code, std::string_view systemMessage)
    : Exception(Win32ErrorMessage(code, systemMessage)), code_(code) {}

}  // namespace nv

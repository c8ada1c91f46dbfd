#pragma once
// The required-component check on Windows: the product profile from the program folder, class instances through
// COM (the calling thread has COM initialised), the question as a remembered-answer dialog, the download page
// through the shell.
#include <windows.h>

#include <string>
#include <string_view>

#include "app/RequiredComponents.h"
#include "support/RegIniFile.h"

namespace nv {

class WindowsRequiredComponentHost final : public RequiredComponentHost {
public:
  WindowsRequiredComponentHost(HWND owner, TXRegIniFile& store, std::wstring profilePath);

  IniDocument OpenProfile() override;
  bool CanCreate(std::string_view classId) override;
  int Ask(std::string_view message, bool offerDownload, std::string_view question) override;
  void OpenUrl(std::string_view url) override;

private:
  HWND owner_;
  TXRegIniFile& store_;
  std::wstring profilePath_;
};

// The process-wide checks: each component is looked at once per run.
bool CheckRequiredComponent(HWND owner, std::string_view name);
bool CheckFriendlyFileType(HWND owner, std::string_view extension);

}  // namespace nv

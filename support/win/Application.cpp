#include "support/win/Application.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "support/Errors.h"
#include "support/PathNames.h"
#include "support/win/ModulePath.h"
#include "support/win/WideText.h"

namespace nv {

namespace {
std::mutex titleLock;
std::wstring title;
std::atomic<int> modalCount{0};
std::atomic<bool> terminating{false};
}  // namespace

void SetApplicationTitle(std::string_view heldTitle) {
  const std::lock_guard lock(titleLock);
  title = MarkedToWide(heldTitle);
}

std::wstring ApplicationTitle() {
  {
    const std::lock_guard lock(titleLock);
    if (!title.empty()) return title;
  }
  return ToWide(ChangeFileExt(ExtractFileName(ToUtf16(ModuleFileName())), u""));
}

void ShowErrorMessage(std::string_view heldMessage) {
  const ProgramModalScope modal;
  MessageBoxW(nullptr, MarkedToWide(heldMessage).c_str(), ApplicationTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void ShowException(const std::exception& failure) {
  if (dynamic_cast<const EAbort*>(&failure) != nullptr) return;
  ShowErrorMessage(failure.what());
}

bool ApplicationTerminating() { return terminating; }
void SetApplicationTerminating() { terminating = true; }

int ProgramModalCount() { return modalCount.load(); }
ProgramModalScope::ProgramModalScope() { ++modalCount; }
ProgramModalScope::~ProgramModalScope() { --modalCount; }

}  // namespace nv

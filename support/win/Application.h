#pragma once
// The application's process-wide state: its title (the caption of its messages), the handler that shows
// failures, whether it is terminating, and the count of the program's own modal loops (while it is above 0, commands that would open a
// further dialog stay disabled).
#include <exception>
#include <string>
#include <string_view>

namespace nv {

void SetApplicationTitle(std::string_view heldTitle);
// Until a title is set: the program file's name without its extension.
std::wstring ApplicationTitle();

// Shows the failure's message in a message box with the application's title; EAbort is never shown.
void ShowException(const std::exception& failure);
void ShowErrorMessage(std::string_view heldMessage);

// Set once a message loop has seen WM_QUIT: loops nested inside the main one stop waiting and hand the quit on.
bool ApplicationTerminating();
void SetApplicationTerminating();

int ProgramModalCount();
// Counts one modal loop of the program while it lives.
class ProgramModalScope {
public:
  ProgramModalScope();
  ~ProgramModalScope();
  ProgramModalScope(const ProgramModalScope&) = delete;
  ProgramModalScope& operator=(const ProgramModalScope&) = delete;
};

}  // namespace nv

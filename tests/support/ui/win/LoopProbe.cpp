// A program for the loop tests: its main loop runs a modal form, whose timer starts a wait that handles messages,
// inside which the application is terminated. Every loop must end and the program must end with exit code 0. It
// writes one line per loop that ended to the file named as its argument.
#include <windows.h>

#include <cstdio>
#include <string>

#include "support/ui/win/Application.h"
#include "support/ui/win/Form.h"
#include "support/ui/win/UtilityWindow.h"

namespace {

FILE* logFile = nullptr;
void Log(const char* line) {
  std::fputs(line, logFile);
  std::fputc('\n', logFile);
  std::fflush(logFile);
}

class ModalProbe final : public nv::Form {
public:
  ModalProbe() : Form({.className = L"NorvaleLoopProbe", .bounds = nv::Rect::FromSize(300, 200, 200, 100)}) {
    SetTimer(1, 50);
  }

protected:
  void HandleTimer(UINT_PTR id) override {
    KillTimer(id);
    nv::UtilityWindow::Current().PostCall([] { nv::App().Terminate(); });
    const nv::WaitResult waited = nv::App().WaitPumping([] { return false; });
    Log(waited == nv::WaitResult::Terminated ? "wait ended: terminated" : "wait ended: otherwise");
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || _wfopen_s(&logFile, argv[1], L"w") != 0) return 2;
  nv::Form main({.className = L"NorvaleLoopProbeMain", .bounds = nv::Rect::FromSize(100, 100, 200, 100)});
  nv::App().SetMainForm(&main);
  main.ShowNoActivate();
  nv::UtilityWindow::Current().PostCall([] {
    ModalProbe modal;
    const int result = modal.ShowModal();
    Log(("modal loop ended: " + std::to_string(result)).c_str());
  });
  const int code = nv::App().Run();
  Log("main loop ended");
  std::fclose(logFile);
  return code;
}

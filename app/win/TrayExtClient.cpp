#include "app/win/TrayExtClient.h"

#include <shellapi.h>
#include <wrl/client.h>

#include "app/AppConstants.h"
#include "shell/NorvaleTEL.h"
#include "shell/WireWindow.h"

using Microsoft::WRL::ComPtr;

namespace nv {

namespace {

DWORD TrayExtClassContext() {
  wchar_t value[8] = {};
  const DWORD length = GetEnvironmentVariableW(kTrayExtOutOfProcessVariable, value, 8);
  if (length == 1 && value[0] == L'1') return CLSCTX_LOCAL_SERVER;
  return CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;
}

class ComTrayExtServer final : public TrayExtServer {
public:
  bool Create() override {
    return SUCCEEDED(CoCreateInstance(__uuidof(NorvaleTrayExt), nullptr, TrayExtClassContext(),
                                      IID_PPV_ARGS(extension_.ReleaseAndGetAddressOf())));
  }
  void Release() override { extension_.Reset(); }
  bool HasObject() const override { return extension_ != nullptr; }

  bool GetMessages(std::uint32_t& insertMessage, std::uint32_t& removeMessage) override {
    ULONG insert = 0, remove = 0;
    if (FAILED(extension_->GetMessages(&insert, &remove))) return false;
    insertMessage = insert;
    removeMessage = remove;
    return true;
  }
  bool RegisterShellHook(std::uint32_t window, std::uint32_t messageBase, bool& registered) override {
    VARIANT_BOOL result = VARIANT_FALSE;
    if (FAILED(extension_->RegisterShellHook(window, messageBase, &result))) return false;
    registered = result != VARIANT_FALSE;
    return true;
  }
  bool DeregisterShellHook() override { return SUCCEEDED(extension_->DeregisterShellHook()); }

private:
  ComPtr<INorvaleTrayExt> extension_;
};

TrayExtConnection& Connection() {
  static ComTrayExtServer server;
  static TrayExtConnection connection(server);
  return connection;
}

HWND Taskbar() { return FindWindowW(kTaskbarWindowClass, nullptr); }

}  // namespace

bool ConnectTrayExt(bool connect) {
  if (!connect) {
    Connection().Disconnect();
    return true;
  }
  return Connection().Connect();
}

int TrayExtConnectionCount() { return Connection().Count(); }
UINT TrayInsertMessage() { return Connection().InsertMessage(); }
UINT TrayRemoveMessage() { return Connection().RemoveMessage(); }
int TrayExtReconnections() { return Connection().Reconnections(); }

bool DockWindow(std::uint32_t mode, HWND window) {
  const HWND taskbar = Taskbar();
  return taskbar != nullptr &&
         SendMessageW(taskbar, TrayInsertMessage(), mode, reinterpret_cast<LPARAM>(window)) != 0;
}

bool UndockWindow(HWND window) {
  const HWND taskbar = Taskbar();
  return taskbar != nullptr && SendMessageW(taskbar, TrayRemoveMessage(), 0, reinterpret_cast<LPARAM>(window)) != 0;
}

ShellHookRegistration RegisterTrayShellHook(HWND window, UINT messageBase) {
  return Connection().RegisterShellHook(WindowToWire(reinterpret_cast<std::uintptr_t>(window)), messageBase);
}

void DeregisterTrayShellHook() { Connection().DeregisterShellHook(); }

UINT GetTaskbarState(HWND window) {
  const HWND taskbar = Taskbar();
  if (taskbar == nullptr) return 0;
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = window ? window : taskbar;
  return static_cast<UINT>(SHAppBarMessage(ABM_GETSTATE, &data));
}

}  // namespace nv

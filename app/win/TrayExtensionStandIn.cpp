#include "app/win/TrayExtensionStandIn.h"

#include <shellapi.h>

#include <atomic>

#include "app/AppConstants.h"

namespace nv {

namespace {
std::atomic<int> connections{0};
UINT insertMessage = 0, removeMessage = 0;
}  // namespace

bool ConnectTrayExt(bool connect) {
  if (!connect) {
    if (connections > 0) --connections;
    return true;
  }
  if (++connections == 1) {
    insertMessage = RegisterWindowMessageW(L"{6F1D3DD1-68C9-43E4-A0D8-70446504397B}");
    removeMessage = RegisterWindowMessageW(L"{6F1D3DD2-68C9-43E4-A0D8-70446504397B}");
  }
  return true;
}

int TrayExtConnectionCount() { return connections; }
UINT TrayInsertMessage() { return insertMessage; }
UINT TrayRemoveMessage() { return removeMessage; }

UINT GetTaskbarState(HWND window) {
  const HWND taskbar = FindWindowW(kTaskbarWindowClass, nullptr);
  if (taskbar == nullptr) return 0;
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = window ? window : taskbar;
  return static_cast<UINT>(SHAppBarMessage(ABM_GETSTATE, &data));
}

}  // namespace nv

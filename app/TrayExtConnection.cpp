#include "app/TrayExtConnection.h"

#include <algorithm>

namespace nv {

bool TrayExtConnection::Connect() {
  if (++count_ > 1) return true;
  if (!server_.Create()) {
    --count_;
    return false;
  }
  if (!server_.GetMessages(insertMessage_, removeMessage_)) {
    server_.Release();
    count_ = 0;
    insertMessage_ = removeMessage_ = 0;
  }
  return true;
}

void TrayExtConnection::Disconnect() {
  if (count_ == 0) return;
  if (--count_ == 0) server_.Release();
}

ShellHookRegistration TrayExtConnection::RegisterShellHook(std::uint32_t window, std::uint32_t messageBase) {
  bool registered = false;
  if (server_.HasObject() && server_.RegisterShellHook(window, messageBase, registered))
    return registered ? ShellHookRegistration::Registered : ShellHookRegistration::NotRegistered;

  // The server has gone (or was never reached): connect anew, keeping the player's own count of connections.
  const int previous = count_;
  server_.Release();
  count_ = 0;
  if (!Connect()) return ShellHookRegistration::NotRegistered;
  // Connected, yet the message numbers could not be fetched: the new object failed its first call.
  if (!server_.HasObject()) return ShellHookRegistration::ServerLost;
  count_ = std::max(previous, 1);
  ++reconnections_;
  if (server_.RegisterShellHook(window, messageBase, registered))
    return registered ? ShellHookRegistration::Registered : ShellHookRegistration::NotRegistered;
  return ShellHookRegistration::ServerLost;
}

void TrayExtConnection::DeregisterShellHook() {
  if (server_.HasObject()) server_.DeregisterShellHook();
}

}  // namespace nv

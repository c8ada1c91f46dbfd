#pragma once
// The player's connection to the tray extension: counted connects, the two docking message numbers it hands out,
// and the shell hook registration that reconnects once when the server has gone (the surrogate process ended)
// and gives up when a fresh connection fails as well. The object itself is reached through TrayExtServer, which
// the Windows layer implements with COM (app/win/TrayExtClient.h) and tests implement to script failures.
#include <cstdint>

namespace nv {

class TrayExtServer {
public:
  virtual ~TrayExtServer() = default;

  // Creates the object; false when it cannot be created.
  virtual bool Create() = 0;
  virtual void Release() = 0;  // lets go of the object, if there is one
  virtual bool HasObject() const = 0;
  // Each answers false when the call failed (the object or its process is gone).
  virtual bool GetMessages(std::uint32_t& insertMessage, std::uint32_t& removeMessage) = 0;
  virtual bool RegisterShellHook(std::uint32_t window, std::uint32_t messageBase, bool& registered) = 0;
  virtual bool DeregisterShellHook() = 0;
};

enum class ShellHookRegistration {
  Registered,
  NotRegistered,  // the extension could not install the hook, or no connection could be made
  ServerLost,     // a fresh connection failed the call as well: the program ends
};

class TrayExtConnection {
public:
  explicit TrayExtConnection(TrayExtServer& server) : server_(server) {}

  // One more connection. The first creates the object and fetches the message numbers; false when the object
  // cannot be created (the count is taken back). When the numbers cannot be fetched the object is let go and the
  // count is 0, yet the connect reports true: docking requests then go nowhere.
  bool Connect();
  // One fewer connection, never below 0; the object goes at 0.
  void Disconnect();

  ShellHookRegistration RegisterShellHook(std::uint32_t window, std::uint32_t messageBase);
  // Errors are ignored.
  void DeregisterShellHook();

  int Count() const { return count_; }
  std::uint32_t InsertMessage() const { return insertMessage_; }
  std::uint32_t RemoveMessage() const { return removeMessage_; }
  // How often a registration had to connect anew and succeeded.
  int Reconnections() const { return reconnections_; }

private:
  TrayExtServer& server_;
  int count_ = 0;
  std::uint32_t insertMessage_ = 0, removeMessage_ = 0;
  int reconnections_ = 0;
};

}  // namespace nv

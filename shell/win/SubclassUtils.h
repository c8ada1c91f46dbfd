#pragma once
// Subclassing a window of another process. The code that replaces a window's procedure must run in the window's
// own process, so RemoteSubclass brings this module there with a short-lived WH_GETMESSAGE hook on the window's
// thread: the hook sees the subclass message posted to the window and creates the registered class's object for it,
// which subclasses the window. The module then loads itself once more, so it stays after the hook is gone.
//
// Classes are registered in a process-wide table when the module loads; every process loads the same module and
// registers in the same order, so an index means the same class everywhere.
#include <windows.h>

namespace nv {

// The messages of the mechanism. The subclass message's wParam is kSubclassAttach or kSubclassDetach and its
// lParam the class index; a window subclassed with that index answers its new reference count, any other 0. The
// unhook message carries the temporary hook in lParam.
UINT SubclassMessage();
UINT UnhookMessage();
inline constexpr WPARAM kSubclassAttach = 1;
inline constexpr WPARAM kSubclassDetach = 2;

// One window procedure replaced by an owner's: the window, and the procedure it had before (none while not
// subclassed). Messages reach the owner's SubclassedProc; CallPrevious passes one on.
class TSubclasser {
public:
  class Owner {
  public:
    virtual LRESULT SubclassedProc(TSubclasser& subclasser, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  protected:
    ~Owner() = default;
  };

  TSubclasser(HWND window, Owner& owner) : window_(window), owner_(owner) {}
  ~TSubclasser();
  TSubclasser(const TSubclasser&) = delete;
  TSubclasser& operator=(const TSubclasser&) = delete;

  HWND Window() const { return window_; }
  bool IsSubclassed() const { return previous_ != nullptr; }
  // Replaces the window's procedure, keeping the previous one.
  bool Subclass();
  // Restores the previous procedure, but only while the window's procedure is still this one: a subclass installed
  // later is never cut out of the chain.
  bool Unsubclass();
  LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;

  // The subclasser a window's procedure was replaced by in this process, if any.
  static TSubclasser* Of(HWND window);

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_;
  Owner& owner_;
  WNDPROC previous_ = nullptr;
};

// A window subclassed by a registered class, with a reference count the subclass message changes. While the count
// is above 0 the window's messages go to WindowProc; at 0 straight to the window's own procedure.
class TWindowSubclass : protected TSubclasser::Owner {
public:
  TWindowSubclass(HWND window, int classIndex) : main_(window, *this), classIndex_(classIndex) {}
  virtual ~TWindowSubclass() = default;

  virtual bool Subclass() { return main_.Subclass(); }
  virtual bool Unsubclass() { return main_.Unsubclass(); }
  int ClassIndex() const { return classIndex_; }
  LONG References() const { return references_; }

protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return main_.CallPrevious(message, wParam, lParam);
  }
  // Called after the count dropped to 0.
  virtual void Released() {}
  TSubclasser& Main() { return main_; }

private:
  LRESULT SubclassedProc(TSubclasser& subclasser, UINT message, WPARAM wParam, LPARAM lParam) final;

  TSubclasser main_;
  int classIndex_;
  LONG references_ = 0;
};

// Makes the class's object for a window of this process; the object subclasses it and lives as long as the process.
using SubclassFactory = TWindowSubclass* (*)(HWND window, int classIndex);
// Adds a class to the table; its index (from 1).
int RegisterSubclassClass(SubclassFactory factory);

// Gives a window of any process one more reference of the class (attach), subclassing it first where needed, or
// one fewer (detach). The window's new count, or 0 when it is not subclassed yet: the subclass then happens as soon
// as the window's thread takes its next messages.
LRESULT RemoteSubclass(HWND window, int classIndex, bool attach);

}  // namespace nv

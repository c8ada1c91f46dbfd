// The tray extension object over a shell side this test controls: what reaches the shell when the player
// registers its window, and what the player's call answers when the shell side fails.
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <stdexcept>

#include <gtest/gtest.h>

#include "shell/win/NVTrayExt.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

enum class Step { None, Attach, Detach, Register, Deregister };

class RecordingShellSide final : public TrayShellSide {
public:
  Step failing = Step::None;
  HRESULT failure = S_OK;  // an OLE failure with this code; S_OK: an exception that carries none
  bool answer = true;
  HWND target = nullptr;
  UINT messageBase = 0;
  int deregistrations = 0;

  void AttachTaskbar() override { FailAt(Step::Attach); }
  void DetachTaskbar() override { FailAt(Step::Detach); }
  bool RegisterShellHook(HWND window, UINT base) override {
    FailAt(Step::Register);
    target = window;
    messageBase = base;
    return answer;
  }
  void DeregisterShellHook() override {
    ++deregistrations;
    FailAt(Step::Deregister);
  }

private:
  void FailAt(Step step) const {
    if (step != failing) return;
    if (failure != S_OK) throw EOleSysError(failure);
    throw std::runtime_error("the shell side failed");
  }
};

ComPtr<INorvaleTrayExt> Create(TNorvaleTrayExtFactory& factory, HRESULT expected = S_OK) {
  ComPtr<INorvaleTrayExt> extension;
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_PPV_ARGS(extension.GetAddressOf())), expected);
  return extension;
}

TEST(TrayExtObject, TheWindowReachesTheShellSignExtendedWithTheMessageBase) {
  struct Case {
    ULONG wire;
    std::uintptr_t window;
  };
  const Case cases[] = {
      {0x00001234u, 0x1234u},
      {0x7FFFFFFFu, 0x7FFFFFFFu},
      {0xFFFF1234u, static_cast<std::uintptr_t>(0xFFFFFFFFFFFF1234ull)},
      {0x80000000u, static_cast<std::uintptr_t>(0xFFFFFFFF80000000ull)},
  };
  RecordingShellSide side;
  TNorvaleTrayExtFactory factory(side);
  ComPtr<INorvaleTrayExt> extension = Create(factory);
  ASSERT_NE(extension, nullptr);
  for (const Case& c : cases) {
    for (const bool answer : {true, false}) {
      side.answer = answer;
      const int deregistrationsBefore = side.deregistrations;
      VARIANT_BOOL result = answer ? VARIANT_FALSE : VARIANT_TRUE;
      EXPECT_EQ(extension->RegisterShellHook(c.wire, 1144, &result), S_OK);
      EXPECT_EQ(reinterpret_cast<std::uintptr_t>(side.target), c.window) << std::hex << c.wire;
      EXPECT_EQ(side.messageBase, 1144u);
      EXPECT_EQ(result, answer ? VARIANT_TRUE : VARIANT_FALSE);
      EXPECT_EQ(side.deregistrations, deregistrationsBefore + 1) << "a new registration replaces the last";
    }
  }
}

TEST(TrayExtObject, AFailingShellSideAnswersAnHResultAndLeavesNoObjectBehind) {
  struct Case {
    Step failing;
    HRESULT failure;
    HRESULT created;     // CreateInstance's answer
    HRESULT registered;  // RegisterShellHook's answer
    HRESULT deregistered;
  };
  const Case cases[] = {
      {Step::Attach, S_OK, E_UNEXPECTED, S_OK, S_OK},
      {Step::Attach, E_ACCESSDENIED, E_ACCESSDENIED, S_OK, S_OK},
      {Step::Register, S_OK, S_OK, E_UNEXPECTED, S_OK},
      {Step::Register, E_OUTOFMEMORY, S_OK, E_OUTOFMEMORY, S_OK},
      {Step::Deregister, S_OK, S_OK, E_UNEXPECTED, E_UNEXPECTED},
      {Step::Detach, S_OK, S_OK, S_OK, S_OK},  // fails only when the last reference goes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.failing));
    const LONG objectsBefore = ComObjectCount();
    {
      RecordingShellSide side;
      side.failing = c.failing;
      side.failure = c.failure;
      TNorvaleTrayExtFactory factory(side);
      ComPtr<INorvaleTrayExt> extension = Create(factory, c.created);
      if (FAILED(c.created)) {
        EXPECT_EQ(extension, nullptr);
        EXPECT_EQ(ComObjectCount(), objectsBefore) << "the object that failed to attach is gone";
        continue;
      }
      ASSERT_NE(extension, nullptr);
      VARIANT_BOOL result = VARIANT_TRUE;
      EXPECT_EQ(extension->RegisterShellHook(0x1234, 1144, &result), c.registered);
      if (FAILED(c.registered)) {
        EXPECT_EQ(result, VARIANT_FALSE);
      }
      EXPECT_EQ(extension->DeregisterShellHook(), c.deregistered);
      extension.Reset();  // the destructor lets go of the shell side even when it fails
      EXPECT_EQ(ComObjectCount(), objectsBefore);
    }
  }
}

}  // namespace
}  // namespace nv

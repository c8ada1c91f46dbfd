#pragma once
// The kinds, buttons and results of the program's message dialogs. The results are the numbers a closed dialog
// gives back; closing it without a button gives mrCancel.
#include <cstdint>

namespace nv {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// A set of buttons, shown in this order.
enum TMsgDlgBtn : std::uint32_t {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
  mbAll = 1 << 7,
  mbNoToAll = 1 << 8,
  mbYesToAll = 1 << 9,
  mbHelp = 1 << 10,
};
using TMsgDlgButtons = std::uint32_t;

enum TModalResult : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10,
};

}  // namespace nv

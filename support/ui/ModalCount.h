#pragma once
// The program modal counter: how many of the program's own modal loops (message boxes, dialogs, property frames,
// the mail dialog) are running. Actions that would open a further dialog stay disabled while it is above 0.
// The Windows layer's ProgramModalScope raises it for as long as a modal loop runs.
namespace nv {

int ProgramModalCount();

// Counts one modal loop while it lives.
class ModalCount {
public:
  ModalCount();
  ~ModalCount();
  ModalCount(const ModalCount&) = delete;
  ModalCount& operator=(const ModalCount&) = delete;
};

}  // namespace nv

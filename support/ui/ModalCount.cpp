#include "support/ui/ModalCount.h"

#include <atomic>

namespace nv {

namespace {
std::atomic<int> modalCount{0};
}  // namespace

int ProgramModalCount() { return modalCount.load(); }
ModalCount::ModalCount() { ++modalCount; }
ModalCount::~ModalCount() { --modalCount; }

}  // namespace nv

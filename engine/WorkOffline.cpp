#include "engine/WorkOffline.h"

#include <atomic>

namespace nv {

namespace {
std::atomic<bool> workingOffline{false};
}  // namespace

bool IsWorkingOffline() { return workingOffline; }
void SetWorkingOffline(bool offline) { workingOffline = offline; }

}  // namespace nv

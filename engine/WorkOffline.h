#pragma once
// The process-wide "Work offline" switch of the main form. While it is set, a graph for a network address is not
// built: the build ends silently.
namespace nv {

bool IsWorkingOffline();
void SetWorkingOffline(bool offline);

}  // namespace nv

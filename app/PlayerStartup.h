#pragma once
// The program's entry sequence: a maintenance run ("/install", "/uninstall", "/registerfiletypes") does its work and
// ends; a second instance hands its command line to the running player and ends; otherwise this process becomes
// the player, runs until it is closed, and shuts down in order.
#include "app/CommandLine.h"
#include "app/StartupHost.h"

namespace nv {

// Returns the exit code (0 on every ordinary path). Failures are shown through the host, never thrown.
int RunPlayerProgram(const CommandLine& commandLine, StartupHost& host);

// Finds the running player's window (kPlayerWindowSearchTries looks, kPlayerWindowSearchIntervalMs apart) and hands
// it the command line: only "reload the skin" when the current skin changed, else the command switch (posted) and
// the files (sent). False when no window appeared.
bool HandOverToRunningInstance(const CommandLine& commandLine, bool skinChanged, StartupHost& host);

}  // namespace nv

#pragma once
// What a playlist needs of the system: the file system (adding files and folders), the drives (an audio CD's root),
// the user's locale comparison (the name index, sorting, folder prefixes) and a random source (the shuffled play
// order). A list made without one uses the system's; tests and benchmarks stand in their own.
#include "support/DriveInfo.h"
#include "support/FileSystem.h"
#include "support/RandomSource.h"
#include "support/TextCompare.h"

namespace nv {

struct TPlayListEnvironment {
  FileSystem& Files;
  DriveQuery& Drives;
  TextCollation& Collation;
  RandomSource& Random;

  // The system's file system, drives and locale, and the process-wide random generator.
  static TPlayListEnvironment System() {
    return {SystemFileSystem(), SystemDrives(), UserLocaleCollation(), ProcessRandom()};
  }
};

}  // namespace nv

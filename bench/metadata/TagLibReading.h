#pragma once
// What the benchmark compares, as each side reads it: TagLib's tag and audio properties, and the player's media
// information with the stream facts of its readers.
#include <string>

namespace nv::bench {

struct FileFacts {
  bool read = false;
  std::string title, artist, album, genre, comment;  // UTF-8
  int year = 0, track = 0;
  int durationMs = 0, bitrateKbps = 0, sampleRate = 0, channels = 0;
};

// TagLib through FileRef, as an application would use it.
FileFacts ReadWithTagLib(const std::string& path);
// The player: TXMMFileInfo::LoadInfo, and the reader's stream facts.
FileFacts ReadWithNorvale(const std::string& path);

}  // namespace nv::bench

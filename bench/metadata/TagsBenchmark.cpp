// tags: the player's media information reading against TagLib, on the same generated corpus in the same run with a
// warm cache. Prints the time per file of each (Google Benchmark, median of five), their ratio, the read calls
// the readers make, and every file where the two disagree on a field both report; ends with the summary line.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/common/MedianReporter.h"
#include "bench/metadata/TagLibReading.h"
#include "metadata/MPEGaudio.h"
#include "metadata/OggVorbis.h"
#include "metadata/XMMFileInfo.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"

namespace {

using nv::bench::FileFacts;

std::vector<std::string> CorpusFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".mp3" || ext == ".ogg") files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Every byte once, so that both sides read from the page cache.
void WarmCache(const std::vector<std::string>& files) {
  std::vector<char> buffer(1 << 20);
  for (const std::string& f : files) {
    std::ifstream in(f, std::ios::binary);
    while (in.read(buffer.data(), buffer.size())) {
    }
  }
}

struct Disagreement {
  std::string file, ours, theirs;
};

class Comparison {
public:
  void Compare(const std::string& file, const FileFacts& ours, const FileFacts& theirs) {
    const std::size_t before = count_;
    Text("title", file, ours.title, theirs.title);
    Text("artist", file, ours.artist, theirs.artist);
    Text("album", file, ours.album, theirs.album);
    Text("genre", file, ours.genre, theirs.genre);
    Text("comment", file, ours.comment, theirs.comment);
    Number("year", file, ours.year, theirs.year, 0);
    Number("track", file, ours.track, theirs.track, 0);
    Number("duration ms (1 %)", file, ours.durationMs, theirs.durationMs, theirs.durationMs / 100.0);
    Number("bitrate kbit/s", file, ours.bitrateKbps, theirs.bitrateKbps, 0);
    Number("sample rate", file, ours.sampleRate, theirs.sampleRate, 0);
    Number("channels", file, ours.channels, theirs.channels, 0);
    if (count_ > before) ++files_;
  }
  int Files() const { return files_; }
  // Every disagreement, a tab-separated line each: field, file, ours, TagLib's.
  void Write(const std::string& path) const {
    std::ofstream out(path);
    for (const auto& [field, list] : byField_)
      for (const Disagreement& d : list) out << field << '\t' << d.file << '\t' << d.ours << '\t' << d.theirs << '\n';
  }
  void Print() const {
    std::printf("\ndisagreements by field (ours | taglib):\n");
    if (byField_.empty()) std::printf("  none\n");
    for (const auto& [field, list] : byField_) {
      std::printf("  %s: %zu files\n", field.c_str(), list.size());
      std::map<std::pair<std::string, std::string>, int> shown;  // each pair of values once
      for (const Disagreement& d : list) {
        if (shown.size() >= 12 && !shown.count({d.ours, d.theirs})) continue;
        if (shown[{d.ours, d.theirs}]++ == 0)
          std::printf("    %s: \"%s\" | \"%s\"\n", d.file.c_str(), d.ours.c_str(), d.theirs.c_str());
      }
    }
  }

private:
  void Text(const char* field, const std::string& file, const std::string& ours, const std::string& theirs) {
    if (ours != theirs) Add(field, file, ours, theirs);
  }
  void Number(const char* field, const std::string& file, int ours, int theirs, double tolerance) {
    if (std::abs(ours - theirs) > tolerance) Add(field, file, std::to_string(ours), std::to_string(theirs));
  }
  void Add(const char* field, const std::string& file, const std::string& ours, const std::string& theirs) {
    byField_[field].push_back({std::filesystem::path(file).filename().string(), ours, theirs});
    ++count_;
  }
  std::map<std::string, std::vector<Disagreement>> byField_;
  std::size_t count_ = 0;
  int files_ = 0;
};

struct ReadCalls {
  int files = 0, total = 0, most = 0;
  void Add(int reads) {
    ++files;
    total += reads;
    most = std::max(most, reads);
  }
  void Print(const char* what) const {
    if (files == 0) return;
    std::printf("  %-22s %5d files, %.2f reads a file, at most %d\n", what, files, double(total) / files, most);
  }
};

// What a loaded record holds, on average: itself, its attribute list and the text of its values.
void PrintRecordSize(const std::vector<std::string>& files) {
  std::size_t total = 0;
  for (const std::string& path : files) {
    nv::TXMMFileInfo info;
    info.LoadInfo(path);
    total += sizeof info + info.Attributes.capacity() * sizeof(nv::TXHeaderAttribute);
    for (const nv::TXHeaderAttribute& a : info.Attributes) {
      if (a.Value.GetType() == nv::AttributeValue::Type::WideText) total += 8 + a.Value.AsWideText().size() * 2;
      if (a.Value.GetType() == nv::AttributeValue::Type::AnsiText) total += 8 + a.Value.AsAnsiText().size();
    }
  }
  std::printf("\nrecord: %.0f bytes a file on average (the record, its attributes and their text; allocator "
              "overhead not counted)\n",
              double(total) / files.size());
}

void CountReads(const std::vector<std::string>& files) {
  ReadCalls tagged, untagged, ogg;
  for (const std::string& path : files) {
    const std::unique_ptr<nv::ByteSource> file = nv::platform::OpenFileSource(nv::Utf8ToMarked(path));
    if (!file) continue;
    nv::CountingByteSource source(*file);
    if (path.ends_with(".mp3")) {
      nv::TMPEGaudio mpeg;
      mpeg.Read(source);
      (mpeg.ID3v2.Exists || mpeg.ID3v1.Exists ? tagged : untagged).Add(source.Reads());
    } else {
      nv::TOggVorbis ogg_;
      ogg_.Read(source);
      ogg.Add(source.Reads());
    }
  }
  std::printf("\nread calls (besides opening the file):\n");
  tagged.Print("MP3 with tags");
  untagged.Print("MP3 without tags");
  ogg.Print("Ogg Vorbis");
}

}  // namespace

// bench_tags [--disagreements FILE] [Google Benchmark flags]
int main(int argc, char** argv) {
  std::string disagreementsFile;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) != "--disagreements") continue;
    disagreementsFile = argv[i + 1];
    std::copy(argv + i + 2, argv + argc, argv + i);
    argc -= 2;
    break;
  }
  const std::vector<std::string> files = CorpusFiles(NV_TAG_CORPUS);
  if (files.empty()) {
    std::fprintf(stderr, "no corpus in %s\n", NV_TAG_CORPUS);
    return 1;
  }
  WarmCache(files);

  Comparison comparison;
  for (const std::string& f : files) comparison.Compare(f, nv::bench::ReadWithNorvale(f), nv::bench::ReadWithTagLib(f));
  if (!disagreementsFile.empty()) comparison.Write(disagreementsFile);

  benchmark::RegisterBenchmark("norvale", [&](benchmark::State& state) {
    for (auto _ : state)
      for (const std::string& f : files) {
        nv::TXMMFileInfo info;
        info.LoadInfo(f);
        benchmark::DoNotOptimize(info.Attributes.data());
      }
  })->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
  benchmark::RegisterBenchmark("taglib", [&](benchmark::State& state) {
    for (auto _ : state)
      for (const std::string& f : files) {
        FileFacts facts = nv::bench::ReadWithTagLib(f);
        benchmark::DoNotOptimize(facts);
      }
  })->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(1.0)->Repetitions(5)->ReportAggregatesOnly(true);
  benchmark::Initialize(&argc, argv);
  nv::bench::MedianReporter reporter;  // microseconds
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  CountReads(files);
  PrintRecordSize(files);
  comparison.Print();
  const double ours = reporter.medians["norvale"] / files.size();
  const double theirs = reporter.medians["taglib"] / files.size();
  std::printf("\ntags: %zu files, norvale %.1f us/file, taglib %.1f us/file, speedup %.1fx, disagreements %d\n",
              files.size(), ours, theirs, theirs / ours, comparison.Files());
  return 0;
}

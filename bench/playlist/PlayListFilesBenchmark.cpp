// playlist-files: loading and saving M3U8 and PLS files of 10,000 and 100,000 entries (paths in folders, a third of
// them in Cyrillic, titles and lengths), through the real formats on real files. Prints the median time of each
// operation (Google Benchmark, median of five) and how much it grows from 10k to 100k entries; ends with the
// summary line of the worst growth.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>

#include "bench/common/MedianReporter.h"
#include "playlist/PlayListFormats.h"
#include "playlist/XPlayList.h"
#include "support/MarkedText.h"

namespace {

namespace fs = std::filesystem;

void Fill(nv::TXPlayList& list, int count) {
  for (int i = 0; i < count; ++i) {
    const std::u16string n(std::u16string(u"0000000").substr(std::to_string(i).size()) +
                           nv::Utf8ToUtf16(std::to_string(i)));
    const std::u16string artist = i % 3 == 0 ? u"\u0418\u0441\u043F\u043E\u043B\u043D\u0438\u0442\u0435\u043B\u044C "
                                             : u"Artist ";
    const std::u16string folder = u"C:\\Music\\" + artist + n.substr(0, 4) + u"\\Album " + n.substr(4, 2) + u"\\";
    nv::TXPlayListItem* item = list.AddEntry(nv::Utf16ToMarked(folder + n + u" Song title.mp3"));
    item->Info.SetValue(nv::kTitleAttribute, nv::AttributeValue::WideText(artist + u"- Song " + n));
    item->Info.SetValue(nv::kDurationAttribute, nv::AttributeValue::Integer(180000 + i % 1000));
  }
}

struct Operation {
  const char* name;
  const char* extension;
  bool load;
};
constexpr Operation kOperations[] = {
    {"load M3U8", ".m3u8", true},
    {"save M3U8", ".m3u8", false},
    {"load PLS", ".pls", true},
    {"save PLS", ".pls", false},
};
constexpr int kSizes[] = {10000, 100000};

std::string Key(const Operation& op, int size) {
  return std::string(op.name) + " " + std::to_string(size / 1000) + "k";
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / ("norvale-playlist-files-" + std::to_string(getpid()));
  fs::create_directories(folder);
  nv::SetPlayListFileFormats(&nv::SystemPlayListFormats());
  std::map<int, std::unique_ptr<nv::TXPlayList>> lists;
  for (const int size : kSizes) {
    lists[size] = std::make_unique<nv::TXPlayList>();
    Fill(*lists[size], size);
  }
  const auto fileFor = [&](const Operation& op, int size) {
    return nv::Utf8ToMarked((folder / ("list-" + std::to_string(size) + op.extension)).string());
  };
  for (const Operation& op : kOperations) {
    for (const int size : kSizes) {
      const std::string file = fileFor(op, size);
      if (op.load) lists[size]->SaveToFile(file, false, nv::TXPlayListFormat::pfAuto);
      benchmark::RegisterBenchmark(Key(op, size).c_str(), [&, op, size, file](benchmark::State& state) {
        for (auto _ : state) {
          if (op.load) {
            nv::TXPlayList list;
            list.LoadFromFile(file, true, false, false, nv::TXPlayListFormat::pfAuto);
            if (list.Count() != size) state.SkipWithError("not every entry read back");
          } else {
            lists[size]->SaveToFile(file, false, nv::TXPlayListFormat::pfAuto);
          }
        }
      })->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
    }
  }
  benchmark::Initialize(&argc, argv);
  nv::bench::MedianReporter reporter;  // milliseconds
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(folder);

  std::printf("\ngrowth from 10k to 100k entries (median times):\n");
  double worst = 0;
  std::string worstName;
  for (const Operation& op : kOperations) {
    const double small = reporter.medians[Key(op, 10000)], large = reporter.medians[Key(op, 100000)];
    const double growth = small > 0 ? large / small : 0;
    std::printf("  %-10s %8.1f ms -> %8.1f ms  %5.1fx\n", op.name, small, large, growth);
    if (growth > worst) {
      worst = growth;
      worstName = op.name;
    }
  }
  std::printf("playlist-files: worst growth 10k->100k %.1fx (%s)\n", worst, worstName.c_str());
  return 0;
}

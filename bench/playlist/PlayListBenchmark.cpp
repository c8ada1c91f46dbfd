// playlist: the playlist model's operations at 1,000, 10,000 and 100,000 entries (Google Benchmark, manual time,
// setup not counted): adding files, finding every entry by name, removing 10 % duplicates, sorting by each key of
// the sort menu, sorting and a folder lookup when every entry is the same file, building the shuffled order and
// stepping through it, deleting a playlist box's selection of a tenth of the rows (scattered and in one block), and a
// full background-information pass.
// Times are the CPU time of the benchmark's thread, so that other work on a shared machine does not count, and every
// run starts with cold caches. Prints each operation's fastest run at each size and its growth from 10,000 to
// 100,000 entries (linear work grows 10x, n log n about 12.5x, quadratic work 100x); then the heap a list of 100,000
// read entries holds and the peak memory of a process that runs every operation once at each size; ends with the
// summary line.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayListSort.h"
#include "playlist/XPlayerPlayList.h"

namespace {

using namespace nv;

constexpr int kSizes[] = {1000, 10000, 100000};
// Runs of each operation at each size: the same number everywhere, so that the fastest runs compared are equally
// likely to have found a quiet machine.
constexpr int kRuns = 12;

// Every path is a file, answered without asking the system: adding measures the list, not the disk.
class EveryPathIsAFile final : public FileSystem {
public:
  PathKind KindOf(std::string_view) override { return PathKind::File; }
  bool ListFolder(std::string_view, std::vector<FolderEntry>&) override { return false; }
};

// A player that makes items current at once.
class InstantPlayer final : public TPlayListPlayer {
public:
  TXPlayListItem* current = nullptr;
  TXPlayListItem* CurrentItem() override { return current; }
  TXPlayListItem* PreparedItem() override { return nullptr; }
  TXPlayerState State() override { return TXPlayerState::psPlaying; }
  void OpenItem(TXPlayListItem* item, bool, TSetCurrentMode) override { current = item; }
  void Play() override {}
  void ReleaseItem(TXPlayListItem&) override {}
  bool IsKnownExtension(std::u16string_view) override { return true; }
  void PlayListChanged() override {}
  void ItemInfoChanged(TXPlayListItem&) override {}
  void StartInfoTimer() override {}
  void StopInfoTimer() override {}
};

struct Environment {
  EveryPathIsAFile files;
  SeededRandom random{42};
  TPlayListEnvironment Get() { return {files, SystemDrives(), UserLocaleCollation(), random}; }
};

// Paths as a music library has them, in a scattered order; the files do not exist, so reading their information
// costs what the reader pays for a file it cannot open.
std::vector<std::string> LibraryPaths(int count) {
  std::vector<std::string> paths;
  paths.reserve(count);
  SeededRandom random(7);
  for (int i = 0; i < count; ++i) {
    const int n = static_cast<int>(random.Below(1u << 30));
    paths.push_back("Q:\\Music\\Artist " + std::to_string(n % 997) + "\\Album " + std::to_string(n % 13) + "\\" +
                    std::to_string(i % 20 + 1) + " Song number " + std::to_string(i) + ".mp3");
  }
  return paths;
}

// What a read library says about its files, for sorting.
void Tag(TXPlayList& list) {
  SeededRandom random(11);
  for (int i = 0; i < list.Count(); ++i) {
    TXMMFileInfo& info = list.Items(i).Info;
    const std::uint32_t r = random.Below(1u << 30);
    info.SetValue(kTrackAttribute, AttributeValue::Integer(r % 20 + 1));
    info.SetValue(kTitleAttribute, AttributeValue::AnsiText("Title " + std::to_string(r % 5003)));
    info.SetValue(kAlbumAttribute, AttributeValue::AnsiText("Album " + std::to_string(r % 701)));
    info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Artist " + std::to_string(r % 997)));
    if (r % 5) info.SetValue(kYearAttribute, AttributeValue::AnsiText(std::to_string(1950 + r % 70)));
    info.SetValue(kGenreAttribute, AttributeValue::AnsiText("Genre " + std::to_string(r % 40)));
    info.SetValue(kDurationAttribute, AttributeValue::Float(60000.0 + r % 600000));
    info.SetValue(kBitrateAttribute, AttributeValue::Integer(64000 + 32000 * (r % 8)));
    info.SetValue(kFileSizeAttribute, AttributeValue::Float(1e6 + r % 10000000));
    info.Loaded = true;
  }
}

// One operation of the benchmark: `setup` prepares a list of `size` entries, `run` is what is timed.
struct Operation {
  std::string name;
  std::function<void(TXPlayerPlayList&, InstantPlayer&, int)> setup, run;
};

void Fill(TXPlayerPlayList& list, InstantPlayer&, int size) { list.AddFiles(LibraryPaths(size), false, false); }

std::vector<Operation> Operations() {
  std::vector<Operation> operations;
  operations.push_back({"add files", [](auto&, auto&, int) {}, Fill});
  operations.push_back({"find by name", Fill, [](TXPlayerPlayList& list, InstantPlayer&, int size) {
                          for (const std::string& path : LibraryPaths(size))
                            benchmark::DoNotOptimize(list.IndexOfFile(path));
                        }});
  operations.push_back({"remove 10% duplicates",
                        [](TXPlayerPlayList& list, InstantPlayer&, int size) {
                          // 90 % distinct paths, then copies of scattered ones among them.
                          list.SetOptions(ploAllowDuplicates);
                          const int distinct = size - size / 10;
                          std::vector<std::string> paths = LibraryPaths(distinct);
                          for (int i = distinct; i < size; ++i) paths.push_back(paths[(i * 7) % distinct]);
                          list.AddFiles(paths, false, false);
                        },
                        [](TXPlayerPlayList& list, InstantPlayer&, int) { list.RemoveDuplicates(); }});
  for (const TSortMenuRow& row : kSortMenuRows)
    operations.push_back({std::string("sort by ") + row.Caption,
                          [](TXPlayerPlayList& list, InstantPlayer& player, int size) {
                            Fill(list, player, size);
                            Tag(list);
                          },
                          [row](TXPlayerPlayList& list, InstantPlayer&, int) { list.Sort(SortMenuKeys(row)); }});
  // Duplicates allowed and every entry the same file: the items of one name must not cost each other.
  const auto sameFile = [](TXPlayerPlayList& list, InstantPlayer&, int size) {
    list.SetOptions(ploAllowDuplicates);
    list.AddFiles(std::vector<std::string>(size, "Q:\\Music\\Artist\\The same song.mp3"), false, false);
  };
  operations.push_back({"sort by name, one file", sameFile,
                        [](TXPlayerPlayList& list, InstantPlayer&, int) { list.SortByFileName(); }});
  operations.push_back({"folder lookup, one file", sameFile, [](TXPlayerPlayList& list, InstantPlayer&, int) {
                          benchmark::DoNotOptimize(list.IndexOfFolder("Q:\\Music"));
                        }});
  operations.push_back({"shuffle and step through", Fill, [](TXPlayerPlayList& list, InstantPlayer&, int size) {
                          list.SetOptions(ploShuffle | ploRepeat);
                          list.StartCurrent(true);
                          for (int i = 0; i < size; ++i) list.Completed();
                        }});
  // The playlist box's "delete selected": a tenth of the rows, given from the last to the first as the box reads
  // its selection, while the item in the middle plays (it is made current again where it then stands).
  const auto playingMiddle = [](TXPlayerPlayList& list, InstantPlayer& player, int size) {
    Fill(list, player, size);
    list.PlayIndex(size / 2, true, TSetCurrentMode::smNormal);
  };
  const auto deleteRows = [](TXPlayerPlayList& list, const std::vector<int>& rows) {
    list.DeleteIndices(rows, std::nullopt, true, true);
  };
  operations.push_back({"delete selection, scattered", playingMiddle,
                        [deleteRows](TXPlayerPlayList& list, InstantPlayer&, int size) {
                          std::vector<int> rows;
                          for (int row = size - 1; row >= 0; row -= 10) rows.push_back(row);
                          deleteRows(list, rows);
                        }});
  operations.push_back({"delete selection, a block", playingMiddle,
                        [deleteRows](TXPlayerPlayList& list, InstantPlayer&, int size) {
                          std::vector<int> rows;
                          for (int row = size / 4 + size / 10 - 1; row >= size / 4; --row) rows.push_back(row);
                          deleteRows(list, rows);
                        }});
  operations.push_back({"background information pass", Fill, [](TXPlayerPlayList& list, InstantPlayer&, int) {
                          while (list.ReadNextInfo()) {
                          }
                        }});
  return operations;
}

// The fastest run of each operation at each size, in milliseconds, and the operations in the order they ran.
std::map<std::string, std::map<int, double>> fastestMs;
std::vector<std::string> operationOrder;

// Every run of an operation starts with the processor's caches holding other data, as a command the user gives
// finds them. Otherwise the runs at 10,000 entries would find the list the setup has just built still in the cache,
// and those at 100,000 would not, which is a difference of the setup, not of the operation.
void EvictCaches() {
  static std::vector<char> other(512 << 20);
  for (std::size_t i = 0; i < other.size(); i += 64) ++other[i];
  benchmark::ClobberMemory();
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// Each iteration builds its own list; only the operation itself is timed.
void Measure(benchmark::State& state, const Operation& operation, int size) {
  double fastest = INFINITY;
  for (auto _ : state) {
    Environment environment;
    InstantPlayer player;
    TXPlayerPlayList list(player, environment.Get());
    operation.setup(list, player, size);
    EvictCaches();
    const double start = ThreadSeconds();
    operation.run(list, player, size);
    const double seconds = ThreadSeconds() - start;
    state.SetIterationTime(seconds);
    fastest = std::min(fastest, seconds * 1000);
  }
  if (!fastestMs.count(operation.name)) operationOrder.push_back(operation.name);
  fastestMs[operation.name][size] = fastest;
}

void RegisterAll() {
  for (const Operation& operation : Operations()) {
    for (int size : kSizes) {
      benchmark::RegisterBenchmark((operation.name + "/" + std::to_string(size)).c_str(),
                                   [operation, size](benchmark::State& state) { Measure(state, operation, size); })
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond)
          ->Iterations(kRuns);
    }
  }
}

// The heap a list of 100,000 entries holds once their information is read.
double ListMegabytes() {
  const std::size_t before = mallinfo2().uordblks;
  Environment environment;
  InstantPlayer player;
  auto list = std::make_unique<TXPlayerPlayList>(player, environment.Get());
  Fill(*list, player, 100000);
  while (list->ReadNextInfo()) {
  }
  return (mallinfo2().uordblks - before) / 1048576.0;
}

constexpr std::string_view kPeakMemoryOption = "--peak-memory=";

// In a process of its own: every operation once on a list of `size` entries (size 0: none, the process alone).
int RunEveryOperation(int size) {
  if (size == 0) return 0;
  for (const Operation& operation : Operations()) {
    Environment environment;
    InstantPlayer player;
    TXPlayerPlayList list(player, environment.Get());
    operation.setup(list, player, size);
    operation.run(list, player, size);
  }
  return 0;
}

// The peak resident memory, in megabytes, of a new process of this program that runs every operation once at
// `size`; negative when the process could not be run.
double PeakMegabytes(int size) {
  const std::string option = std::string(kPeakMemoryOption) + std::to_string(size);
  char program[] = "/proc/self/exe";
  char* arguments[] = {program, const_cast<char*>(option.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program, nullptr, nullptr, arguments, environ) != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]).starts_with(kPeakMemoryOption))
    return RunEveryOperation(std::atoi(argv[1] + kPeakMemoryOption.size()));

  // Freed memory stays with the allocator, as in a program that has run a while: otherwise every run of an operation
  // at 100,000 entries would pay the system for fresh pages, which costs tens of microseconds each on a virtual
  // machine, while the runs at 10,000 reuse the heap.
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, -1);

  // Measured first, while this process is small: a spawned process starts with its parent's peak.
  std::vector<double> peakMb;
  for (int size : {0, 1000, 10000, 100000}) peakMb.push_back(PeakMegabytes(size));

  RegisterAll();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("\n%-30s %10s %10s %10s %8s %8s\n", "operation (fastest run, ms)", "1k", "10k", "100k", "10k/1k",
              "100k/10k");
  std::string worstName;
  double worst = 0;
  for (const std::string& name : operationOrder) {
    std::map<int, double>& t = fastestMs[name];
    const double growth = t[100000] / t[10000];
    std::printf("%-30s %10.3f %10.3f %10.3f %7.1fx %7.1fx\n", name.c_str(), t[1000], t[10000], t[100000],
                t[10000] / t[1000], growth);
    if (growth > worst) {
      worst = growth;
      worstName = name;
    }
  }

  const double listMb = ListMegabytes();
  std::printf("\nmemory: a list of 100,000 read entries holds %.1f MB of heap (%.0f bytes an entry)\n", listMb,
              listMb * 1048576.0 / 100000);
  std::printf("peak memory of a process running every operation once (max RSS): no list %.1f MB, 1k %.1f MB, "
              "10k %.1f MB, 100k %.1f MB\n",
              peakMb[0], peakMb[1], peakMb[2], peakMb[3]);
  std::printf("playlist: worst growth 10k->100k %.1fx (%s)\n", worst, worstName.c_str());
  return worst <= 15.0 ? 0 : 1;
}

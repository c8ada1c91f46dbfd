// How long the default skin takes: decoding its 44 images (the portable decoder, from memory), and loading the
// whole skin from the program file (the trailer, the cabinet library, decoding), each the median of 20 runs.
// The last line is the summary: "skin: decode A ms, load B ms".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "skins/SkinBitmap.h"
#include "skins/SkinLoading.h"
#include "skins/SkinSlicing.h"
#include "skins/win/SkinPackageReader.h"
#include "support/win/WideText.h"
#include "support/FileContent.h"
#include "tests/common/win/WineTestEnv.h"

namespace {

constexpr int kRuns = 20;

double NowMs() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The CPU time this thread has used (user and kernel), in milliseconds; Wine counts it in 10 ms ticks, so only an
// average over many runs means something.
double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

// The median wall time of 20 runs, and the thread's mean CPU time per run: on a machine others share, the second
// shows what the work itself costs.
template <class Work>
double MedianMs(const char* what, Work work) {
  std::vector<double> times;
  const double cpuStart = ThreadCpuMs();
  for (int run = 0; run < kRuns; ++run) {
    const double start = NowMs();
    work();
    times.push_back(NowMs() - start);
  }
  const double cpu = (ThreadCpuMs() - cpuStart) / kRuns;
  std::sort(times.begin(), times.end());
  const double median = (times[kRuns / 2 - 1] + times[kRuns / 2]) / 2;
  std::printf("%s: median %.1f ms (from %.1f to %.1f), thread CPU %.1f ms a run\n", what, median, times.front(),
              times.back(), cpu);
  return median;
}

// Unpacking alone: every entry into memory, nothing decoded (what the cabinet library and the file window cost).
class UnpackOnly final : public nv::TXCabReader {
public:
  std::size_t bytes = 0;

protected:
  std::unique_ptr<nv::CabStream> OpenOutputStream(std::u16string_view, std::uint32_t size, USHORT, USHORT,
                                                  USHORT) override {
    return std::make_unique<Memory>(bytes);
  }

private:
  class Memory final : public nv::CabStream {
  public:
    explicit Memory(std::size_t& total) : total_(total) {}
    UINT Write(const void* buffer, UINT count) override {
      data_.append(static_cast<const char*>(buffer), count);
      total_ += count;
      return count;
    }

  private:
    std::size_t& total_;
    std::string data_;
  };
};

// The program is the package: the default skin read from the program file itself.
class ProgramSkin final : public nv::SkinEnvironment {
public:
  void ReadPackage(std::string_view path, nv::SkinPackageFill& fill) override {
    nv::WindowsSkinEnvironment().ReadPackage(path, fill);
  }
  std::string DefaultPackagePath() override { return path; }
  std::string path = nv::test::UnixToWindowsPathA(NV_PROGRAM);
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  for (const nv::SkinItemSpec& item : nv::kSkinItems)
    if (*item.File)
      files.push_back(nv::platform::ReadFileBytes(
          nv::test::UnixToWindowsPathA(std::string(NV_DEFAULT_SKIN_DIR) + "/" + item.File)));
  std::size_t decoded = 0;
  const double decode = MedianMs("decoding the 44 images", [&] {
    decoded = 0;
    for (const std::string& file : files)
      decoded += nv::DecodeBitmap({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}).has_value();
  });

  ProgramSkin system;
  if (argc > 1) system.path = argv[1];  // another program or package
  std::size_t unpacked = 0;
  MedianMs("unpacking the program's package (no decoding)", [&] {
    UnpackOnly reader;
    reader.ExtractAll(nv::MarkedToWide(system.DefaultPackagePath()), std::wstring());
    unpacked = reader.bytes;
  });
  std::printf("unpacked %zu bytes\n", unpacked);

  std::size_t loaded = 0;
  const double load = MedianMs("loading the default skin from the program", [&] {
    nv::TSkinImageCollection items;
    nv::DeclareStripSkinItems(items);
    std::string notice, readme;
    nv::LoadSkinFromPackage(system, system.DefaultPackagePath(), items, &notice, &readme);
    loaded = 0;
    for (std::size_t i = 0; i < items.Count(); ++i) loaded += items[i].HasImage();
  });
  std::printf("decoded %zu of %zu images; loaded %zu images from %s\n", decoded, files.size(), loaded,
              system.path.c_str());
  std::printf("skin: decode %.1f ms, load %.1f ms\n", decode, load);
  return decoded == files.size() && loaded == files.size() ? 0 : 1;
}

// How long the default skin takes: decoding its 44 images (the portable decoder, from memory), loading the whole
// skin from the program file (the trailer, the cabinet library, decoding), building and painting a skinned form
// from it (the expanded player's main panel with its controls: made, shaped, shown and painted) and changing the
// skin of that open form, each the median of 20 runs; and how often each control of the form is painted when the
// skin changes (once). The last line is the summary:
// "skin: decode A ms, load B ms, form C ms, change D ms, repaints per control E".
#include <windows.h>

#include <algorithm>
#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "skins/Skin.h"
#include "skins/SkinBitmap.h"
#include "skins/SkinLoading.h"
#include "skins/SkinSlicing.h"
#include "skins/win/SkinPackageReader.h"
#include "support/FileContent.h"
#include "support/ui/win/LoadingScope.h"
#include "support/win/WideText.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/skins/win/SkinTestSupport.h"
#include "tests/support/ui/win/UiTestSupport.h"

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
template <class Work, class Prepare = void (*)()>
double MedianMs(const char* what, Work work, Prepare prepare = [] {}) {
  std::vector<double> times;
  const double cpuStart = ThreadCpuMs();
  for (int run = 0; run < kRuns; ++run) {
    prepare();  // not timed
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

// The expanded player's main panel, as its form will be: image and mask stretched by their insets, and at each
// control's place a picture of the control's image (labels for the texts).
class MainPanel final : public nv::test::TestSkinForm {
public:
  explicit MainPanel(nv::TSkin& skin) : TestSkinForm({100, 100}, {275, 116}) {
    nv::LoadingScope loading(*this);
    SetSizeable(true);
    SetBorders({8, 8, 8, 8});
    UseImages(skin, "Main", "Main.mask");
    static const std::pair<const char*, const char*> pictures[] = {
        {"btClose", "titlebuttons.Close"}, {"btMute", "Mute.Mute"}, {"vbVolume", "Volume.Track"},
        {"vbPan", "Balance.Track"}, {"iaMono", "MonoSter.Mono"}, {"iaStereo", "MonoSter.Stereo"},
        {"PosBar", "posbar.Track"}, {"btPrev", "CButtons.Previous"}, {"btPlay", "CButtons.Play"},
        {"btStop", "CButtons.Stop"}, {"btNext", "CButtons.Next"}, {"btOpen", "CButtons.Open"},
        {"btMyMedia", "CButtons.MyMedia"}, {"btShuffle", "ShufRep.Shuffle"}, {"btRepeat", "ShufRep.Repeat"},
        {"btAudioSettings", "AudioSettings.Button"}};
    for (const auto& [control, slice] : pictures) {
      const nv::SkinPlace* place = nv::FindSkinPlace("Main.Panel", control);
      auto& picture = *this->pictures.emplace_back(
          std::make_unique<nv::test::SkinPicture>(*this, nv::Point{place->Left, place->Top}));
      picture.Picture.SetSlice(*nv::FindSkinSlice(slice));
      picture.Picture.SetSkin(&skin);
    }
    static const std::pair<const char*, int> texts[] = {{"Caption", 23}, {"lBitRate", 24}, {"lSampleRate", 24}};
    for (const auto& [control, colour] : texts) {
      const nv::SkinPlace* place = nv::FindSkinPlace("Main.Panel", control);
      auto& label = *labels.emplace_back(std::make_unique<nv::test::CountingLabel>(
          *this, nv::Rect::FromSize(place->Left, place->Top, place->Width, place->Height)));
      label.SetAutoSize(false);
      label.SetCaption(control);
      label.Color.SetColorIndex(colour);
      label.Color.SetSkin(&skin);
    }
  }

  // The paints of the form and of each of its controls.
  std::vector<int> Paints() const {
    std::vector<int> all{paints};
    for (const auto& p : pictures) all.push_back(p->paints);
    for (const auto& l : labels) all.push_back(l->paints);
    return all;
  }
  void ClearPaints() {
    paints = 0;
    for (const auto& p : pictures) p->paints = 0;
    for (const auto& l : labels) l->paints = 0;
  }

  std::vector<std::unique_ptr<nv::test::SkinPicture>> pictures;
  std::vector<std::unique_ptr<nv::test::CountingLabel>> labels;
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

  nv::TSkin skin(system);
  nv::DeclareStripSkin(skin);
  skin.SetActive(true);
  std::unique_ptr<MainPanel> built;
  const double form = MedianMs(
      "building and painting the main panel's form",
      [&] {
        built = std::make_unique<MainPanel>(skin);
        built->ShowNoActivate();
        UpdateWindow(built->Handle());
        GdiFlush();
      },
      [&] { built.reset(); });
  built.reset();

  // Changing the skin of the open form: loading the other skin, and every control painting itself in it.
  MainPanel panel(skin);
  panel.ShowNoActivate();
  nv::test::PumpFor(300);
  const std::string other = nv::test::TestPackage("inverted-look.nvs");
  int changes = 0;
  const double change = MedianMs("changing the open form's skin", [&] {
    skin.SetPath(++changes % 2 ? other : std::string());
    UpdateWindow(panel.Handle());
    GdiFlush();
  });
  nv::test::PumpFor(300);
  panel.ClearPaints();
  skin.SetPath(skin.Path().empty() ? other : std::string());
  nv::test::PumpFor(500);
  const std::vector<int> paints = panel.Paints();
  const auto [fewest, most] = std::minmax_element(paints.begin(), paints.end());
  std::printf("a skin change painted the form and its %zu controls %d to %d times each\n", paints.size() - 1, *fewest,
              *most);
  std::printf("skin: decode %.1f ms, load %.1f ms, form %.1f ms, change %.1f ms, repaints per control %d\n", decode,
              load, form, change, *most);
  return decoded == files.size() && loaded == files.size() && *fewest == 1 && *most == 1 ? 0 : 1;
}

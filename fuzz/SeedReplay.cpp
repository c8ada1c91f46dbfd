// Replays a fuzz target's seeds (files, or folders of files) through its entry point, so that the native test
// run keeps every fuzz target building and its corpus passing under ASan and UBSan.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
void Replay(const std::filesystem::path& file, int& count) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  ++count;
}
}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  LLVMFuzzerTestOneInput(nullptr, 0);
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = argv[i];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
        if (entry.is_regular_file()) Replay(entry.path(), count);
    } else if (std::filesystem::exists(path)) {
      Replay(path, count);
    } else {
      std::fprintf(stderr, "no seeds at %s\n", argv[i]);
      return 1;
    }
  }
  std::printf("replayed %d seeds\n", count);
  return 0;
}

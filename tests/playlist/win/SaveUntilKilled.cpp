// save_until_killed NOW_PLAYING COUNT: saves a "Now playing" list of COUNT entries to NOW_PLAYING as the player does
// at exit, but stops once the temporary file is written and flushed, just before it would replace the old file:
// it creates NOW_PLAYING + ".written" and waits there to be killed.
#include <windows.h>

#include <string>

#include "playlist/NowPlayingFile.h"
#include "playlist/XPlayList.h"
#include "support/FileContent.h"
#include "support/win/WideText.h"

namespace {

class StoppingStore final : public nv::TPlayListFileStore {
public:
  std::string Read(std::string_view path) override { return nv::platform::ReadFileBytes(path); }
  void Write(std::string_view path, std::string_view bytes) override {
    nv::platform::WriteFileReplacing(path, bytes, [&] {
      CloseHandle(CreateFileW((nv::MarkedToWide(path) + L".written").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
      Sleep(INFINITE);
    });
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  StoppingStore store;
  nv::TPlayListFormats formats(nv::SystemFileSystem(), store);
  nv::TXPlayList list;
  const int count = std::stoi(argv[2]);
  for (int i = 0; i < count; ++i) {
    const std::u16string number = nv::ToUtf16(std::to_wstring(i));
    list.AddEntry(nv::Utf16ToMarked(u"C:\\\u041C\u0443\u0437\u044B\u043A\u0430\\new " + number + u" \u66F2.mp3"));
  }
  return nv::TNowPlayingFile(nv::WideToMarked(argv[1]), formats).Save(list) ? 0 : 1;
}

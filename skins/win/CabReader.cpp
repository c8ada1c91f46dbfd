#include "skins/win/CabReader.h"

#include <fcntl.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "skins/EmbeddedPackage.h"
#include "skins/SkinErrors.h"
#include "skins/win/CabinetLibrary.h"
#include "support/FileSource.h"
#include "support/PathNames.h"
#include "support/win/Files.h"
#include "support/win/UniqueHandle.h"
#include "support/win/WideText.h"

namespace nv {

// The cabinet file as a stream.

std::unique_ptr<TXCabFileStream> TXCabFileStream::Open(const std::wstring& path) {
  std::unique_ptr<ByteSource> file = platform::OpenFileSource(WideToMarked(path));
  if (!file) return nullptr;
  const std::optional<PackageWindow> package = FindEmbeddedPackage(*file);
  const std::uint64_t end = package ? package->End() : file->Size();
  const std::int64_t base = package ? static_cast<std::int64_t>(package->Offset) : -1;
  return std::unique_ptr<TXCabFileStream>(new TXCabFileStream(std::move(file), base, end));
}

TXCabFileStream::TXCabFileStream(std::unique_ptr<ByteSource> file, std::int64_t base, std::uint64_t end)
    : file_(std::move(file)),
      base_(base),
      begin_(base > 0 ? static_cast<std::uint64_t>(base) : 0),
      end_(end),
      position_(begin_) {}

UINT TXCabFileStream::Read(void* buffer, UINT count) {
  const std::uint64_t left = position_ < end_ ? end_ - position_ : 0;
  const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(count, left));
  const std::size_t read = wanted ? file_->ReadAt(position_, static_cast<std::uint8_t*>(buffer), wanted) : 0;
  position_ += read;
  return static_cast<UINT>(read);
}

long TXCabFileStream::Seek(long distance, int origin) {
  const std::uint64_t from = origin == SEEK_SET ? begin_ : origin == SEEK_CUR ? position_ : end_;
  const std::int64_t target = static_cast<std::int64_t>(from) + distance;
  // Before the package's start, or past what a long can report, is refused.
  if (target < static_cast<std::int64_t>(begin_) || target - static_cast<std::int64_t>(begin_) > LONG_MAX) return -1;
  position_ = static_cast<std::uint64_t>(target);
  return static_cast<long>(position_ - begin_);
}

namespace {

// An extracted entry's file.
class FileOutput final : public CabStream {
public:
  explicit FileOutput(HANDLE file) : file_(file) {}
  UINT Write(const void* buffer, UINT count) override {
    DWORD written = 0;
    return WriteFile(file_.Get(), buffer, count, &written, nullptr) ? written : static_cast<UINT>(-1);
  }

private:
  UniqueHandle file_;
};

// The reader whose FDICopy runs on this thread: the open callback has no context of its own.
thread_local TXCabReader* activeReader = nullptr;

std::u16string EntryName(const char* name, USHORT attributes) {
  const UINT codePage = (attributes & _A_NAME_IS_UTF) ? CP_UTF8 : CP_ACP;
  const int length = MultiByteToWideChar(codePage, 0, name, -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, name, -1, wide.data(), length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return ToUtf16(wide);
}

CabStream* StreamOf(INT_PTR handle) { return reinterpret_cast<CabStream*>(handle); }

}  // namespace

// The library's callbacks: C functions that must not let an exception through.
class CabCallbacks {
public:
  static FNALLOC(Allocate) { return std::malloc(cb); }
  static FNFREE(Free) { std::free(pv); }
  static FNOPEN(Open) {
    // The library opens only cabinets, and only for reading.
    if ((oflag & (_O_WRONLY | _O_RDWR | _O_CREAT)) != 0 || !activeReader) return -1;
    try {
      std::unique_ptr<CabStream> stream = activeReader->OpenCabinet(pszFile);
      return stream ? reinterpret_cast<INT_PTR>(stream.release()) : -1;
    } catch (...) {
      return -1;
    }
  }
  static FNREAD(Read) { return StreamOf(hf)->Read(pv, cb); }
  static FNWRITE(Write) { return StreamOf(hf)->Write(pv, cb); }
  static FNCLOSE(Close) {
    delete StreamOf(hf);
    return 0;
  }
  static FNSEEK(Seek) { return StreamOf(hf)->Seek(dist, seektype); }
  static FNFDINOTIFY(Notify) {
    try {
      return static_cast<TXCabReader*>(pfdin->pv)->Notify(fdint, pfdin);
    } catch (...) {
      return -1;
    }
  }
};

namespace {

[[noreturn]] void RaiseCabinetError(const ERF& error) {
  if (error.fError) throw ECabinetError(static_cast<std::uint32_t>(error.erfOper));
  throw EAbort();
}

}  // namespace

TXCabReader::TXCabReader() {
  context_ = Cabinet().Create(CabCallbacks::Allocate, CabCallbacks::Free, CabCallbacks::Open, CabCallbacks::Read,
                              CabCallbacks::Write, CabCallbacks::Close, CabCallbacks::Seek, cpuUNKNOWN, &error_);
  if (!context_) RaiseCabinetError(error_);
}

TXCabReader::~TXCabReader() {
  if (context_) Cabinet().Destroy(context_);
}

void TXCabReader::ExtractAll(const std::wstring& cabinet, const std::wstring& destination) {
  destination_ = destination;
  chain_.emplace(ToUtf16(cabinet));
  allowedNext_.clear();
  for (int pass = 0;; ++pass) {
    anotherPass_ = false;
    // A token the library cannot take for anything else: it passes it back to the open callback as the name.
    token_ = "*cabinet" + std::to_string(pass);
    TXCabReader* outer = activeReader;
    activeReader = this;
    char noFolder[1] = "";
    const BOOL copied = Cabinet().Copy(context_, token_.data(), noFolder, 0, CabCallbacks::Notify, nullptr, this);
    activeReader = outer;
    if (!copied) RaiseCabinetError(error_);
    if (!anotherPass_) return;
  }
}

std::unique_ptr<CabStream> TXCabReader::OpenCabinet(std::string_view name) {
  if (name == token_) return TXCabFileStream::Open(ToWide(chain_->Current()));
  // The library opens the next cabinet of a set by the name the current one gives it, once it was allowed.
  if (!allowedNext_.empty() && name == allowedNext_) return TXCabFileStream::Open(ToWide(chain_->Current()));
  return nullptr;
}

INT_PTR TXCabReader::Notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION n) {
  switch (type) {
    case fdintCOPY_FILE: {
      std::unique_ptr<CabStream> stream = OpenOutputStream(
          EntryName(n->psz1, n->attribs), static_cast<std::uint32_t>(n->cb), n->date, n->time, n->attribs);
      return reinterpret_cast<INT_PTR>(stream.release());  // 0 skips the entry
    }
    case fdintCLOSE_FILE_INFO: {
      std::unique_ptr<CabStream> stream(StreamOf(n->hf));
      CloseOutputStream(*stream, EntryName(n->psz1, n->attribs), n->date, n->time, n->attribs);
      return TRUE;
    }
    case fdintNEXT_CABINET: {
      if (n->fdie != FDIERROR_NONE) return -1;
      // psz1 is the next cabinet's name as the current one states it; only a plain name beside the first, not yet
      // visited, within the set's limit, is followed.
      const std::u16string next = EntryName(n->psz1, 0);
      if (!chain_->Next(next)) return -1;
      allowedNext_ = n->psz1;
      token_.clear();
      anotherPass_ = true;
      return 0;
    }
    default:
      return 0;
  }
}

std::unique_ptr<CabStream> TXCabReader::OpenOutputStream(std::u16string_view name, std::uint32_t size, USHORT date,
                                                         USHORT time, USHORT attributes) {
  if (destination_.empty() || !IsSafeEntryName(name)) return nullptr;
  const std::wstring path = ToWide(JoinPath(ToUtf16(destination_), name));
  CreateFolders(ToWide(ExtractFileDir(ToUtf16(path))));
  const DWORD existing = GetFileAttributesW(path.c_str());
  if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(path.c_str(), existing & ~FILE_ATTRIBUTE_READONLY);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<FileOutput>(file);
}

}  // namespace nv

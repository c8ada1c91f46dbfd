#pragma once
// Unpacking cabinets through the system's cabinet library (FDI). The library reads the cabinet through our
// callbacks, so a cabinet may be a window of a larger file: a program file that carries its package behind it
// (skins/EmbeddedPackage.h) is read as that package alone, every read and seek kept inside it.
//
// The library is never given a path: it gets a token, which the open callback maps back to the file, so that a
// path the ANSI code page cannot hold still opens. Entry names reach the subclasses as UTF-16; the base reader
// extracts only names that stay inside the destination folder, and a set of cabinets is followed only through
// plain names beside the first, each once, at most kMaxCabinetsInSet.
#include <windows.h>

#include <fdi.h>  // needs windows.h first

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "skins/CabinetNames.h"
#include "support/ByteSource.h"

namespace nv {

// What stands behind a file handle the cabinet library is given.
class CabStream {
public:
  virtual ~CabStream() = default;
  // Return (UINT)-1, resp. -1, on failure.
  virtual UINT Read(void* buffer, UINT count) { return static_cast<UINT>(-1); }
  virtual UINT Write(const void* buffer, UINT count) { return static_cast<UINT>(-1); }
  virtual long Seek(long distance, int origin) { return -1; }
};

// A cabinet file opened for reading. When the file carries an appended package, the stream shows only the package:
// positions count from its start, the end is where its trailer begins, and no read passes it.
class TXCabFileStream final : public CabStream {
public:
  // Null when the file cannot be opened.
  static std::unique_ptr<TXCabFileStream> Open(const std::wstring& path);
  // Where the package starts in the file; -1 when the file is used whole.
  std::int64_t Base() const { return base_; }

  UINT Read(void* buffer, UINT count) override;
  long Seek(long distance, int origin) override;

private:
  TXCabFileStream(std::unique_ptr<ByteSource> file, std::int64_t base, std::uint64_t end);

  std::unique_ptr<ByteSource> file_;
  std::int64_t base_;
  std::uint64_t begin_, end_, position_;  // in the file
};

class TXCabReader {
public:
  // Raises ECabinetError (or the silent EAbort) when the library cannot make its context.
  TXCabReader();
  virtual ~TXCabReader();
  TXCabReader(const TXCabReader&) = delete;
  TXCabReader& operator=(const TXCabReader&) = delete;

  // Unpacks every entry of the cabinet, and of the cabinets that continue it, through OpenOutputStream.
  // `destination` is the folder the base reader writes to (may be empty). Raises ECabinetError when the library
  // fails with an error, EAbort when it stops without one.
  void ExtractAll(const std::wstring& cabinet, const std::wstring& destination);

protected:
  // The stream an entry is unpacked into, or null to skip the entry. The base reader creates the file under the
  // destination folder (with its folders), when the name stays inside it.
  virtual std::unique_ptr<CabStream> OpenOutputStream(std::u16string_view name, std::uint32_t size, USHORT date,
                                                      USHORT time, USHORT attributes);
  // The entry is complete; the stream is freed afterwards. The base reader does nothing (times and attributes are
  // not applied).
  virtual void CloseOutputStream(CabStream& stream, std::u16string_view name, USHORT date, USHORT time,
                                 USHORT attributes) {}

  const std::wstring& Destination() const { return destination_; }

private:
  friend class CabCallbacks;
  // The file the library asks for by name: the current cabinet's token, or the next cabinet it was allowed.
  std::unique_ptr<CabStream> OpenCabinet(std::string_view name);
  INT_PTR Notify(FDINOTIFICATIONTYPE type, PFDINOTIFICATION notification);

  HFDI context_ = nullptr;
  ERF error_{};
  std::wstring destination_;
  std::optional<CabinetChain> chain_;
  std::string token_;        // what the library was given for the current cabinet
  std::string allowedNext_;  // the next cabinet's name as the current one states it
  bool anotherPass_ = false;
};

}  // namespace nv

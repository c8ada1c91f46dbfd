#include "skins/win/SkinPackageReader.h"

#include "skins/win/DefaultSkin.h"
#include "support/win/WideText.h"

namespace nv {
namespace {

// An entry's bytes, held until the entry is complete. It never grows past the size the cabinet declared.
class SkinStream final : public CabStream {
public:
  SkinStream(SkinPackageFill::Target target, std::uint32_t size) : target_(target), size_(size) {
    bytes_.reserve(size);
  }
  UINT Write(const void* buffer, UINT count) override {
    if (count > size_ - bytes_.size()) return static_cast<UINT>(-1);
    bytes_.append(static_cast<const char*>(buffer), count);
    return count;
  }
  const SkinPackageFill::Target& Target() const { return target_; }
  const std::string& Bytes() const { return bytes_; }

private:
  SkinPackageFill::Target target_;
  std::uint32_t size_;
  std::string bytes_;
};

}  // namespace

std::unique_ptr<CabStream> TXSkinReader::OpenOutputStream(std::u16string_view name, std::uint32_t size, USHORT date,
                                                          USHORT time, USHORT attributes) {
  const std::optional<SkinPackageFill::Target> target = fill_.Wants(name, size);
  if (!target) return nullptr;
  return std::make_unique<SkinStream>(*target, size);
}

void TXSkinReader::CloseOutputStream(CabStream& stream, std::u16string_view name, USHORT date, USHORT time,
                                     USHORT attributes) {
  const auto& entry = static_cast<SkinStream&>(stream);
  fill_.Commit(entry.Target(), entry.Bytes());
}

void WindowsSkinEnvironment::ReadPackage(std::string_view path, SkinPackageFill& fill) {
  TXSkinReader reader(fill);
  reader.ExtractAll(MarkedToWide(path), std::wstring());
}

std::string WindowsSkinEnvironment::DefaultPackagePath() { return WideToMarked(DefaultSkinPackagePath()); }

SkinEnvironment& SystemSkinEnvironment() {
  static WindowsSkinEnvironment environment;
  return environment;
}

}  // namespace nv

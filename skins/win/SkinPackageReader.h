#pragma once
// The skin's side of the cabinet reader: each entry the fill wants is unpacked into memory, presized to the size
// the cabinet declares (within the fill's caps), and handed over when complete. No temporary file is written.
#include "skins/SkinLoading.h"
#include "skins/win/CabReader.h"

namespace nv {

class TXSkinReader final : public TXCabReader {
public:
  explicit TXSkinReader(SkinPackageFill& fill) : fill_(fill) {}

protected:
  std::unique_ptr<CabStream> OpenOutputStream(std::u16string_view name, std::uint32_t size, USHORT date, USHORT time,
                                              USHORT attributes) override;
  void CloseOutputStream(CabStream& stream, std::u16string_view name, USHORT date, USHORT time,
                         USHORT attributes) override;

private:
  SkinPackageFill& fill_;
};

// Loading skins with the system's cabinet library; the default skin is the program's own (DefaultSkin.h).
class WindowsSkinEnvironment final : public SkinEnvironment {
public:
  void ReadPackage(std::string_view path, SkinPackageFill& fill) override;
  std::string DefaultPackagePath() override;
};

// The program's skin environment (one for the process).
SkinEnvironment& SystemSkinEnvironment();

}  // namespace nv

#include "filters/win/MediaType.h"

#include <cstring>
#include <new>
#include <utility>

namespace nv {

MediaType::MediaType() : AM_MEDIA_TYPE{} {}

MediaType::MediaType(const AM_MEDIA_TYPE& other) : AM_MEDIA_TYPE{} {
  if (FAILED(Assign(other))) throw std::bad_alloc();
}

MediaType::MediaType(MediaType&& other) noexcept : AM_MEDIA_TYPE(other) {
  static_cast<AM_MEDIA_TYPE&>(other) = AM_MEDIA_TYPE{};
}

MediaType& MediaType::operator=(MediaType other) noexcept {
  std::swap(static_cast<AM_MEDIA_TYPE&>(*this), static_cast<AM_MEDIA_TYPE&>(other));
  return *this;
}

MediaType::~MediaType() { Clear(); }

HRESULT MediaType::Assign(const AM_MEDIA_TYPE& other) noexcept {
  if (&other == this) return S_OK;
  Clear();
  return CopyMediaTypeTo(*this, other);
}

HRESULT MediaType::SetFormat(REFGUID type, const void* data, ULONG size) noexcept {
  BYTE* block = nullptr;
  if (size > 0) {
    block = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!block) return E_OUTOFMEMORY;
    std::memcpy(block, data, size);
  }
  if (pbFormat) CoTaskMemFree(pbFormat);
  formattype = type;
  pbFormat = block;
  cbFormat = size;
  return S_OK;
}

void MediaType::Clear() noexcept { FreeMediaTypeContents(*this); }

bool MediaType::IsPartiallySpecified() const {
  return majortype == GUID_NULL || subtype == GUID_NULL || formattype == GUID_NULL;
}

bool MediaType::IsMatchedBy(const AM_MEDIA_TYPE& other) const {
  if (majortype != GUID_NULL && majortype != other.majortype) return false;
  if (subtype != GUID_NULL && subtype != other.subtype) return false;
  if (formattype == GUID_NULL) return true;
  return formattype == other.formattype && cbFormat == other.cbFormat &&
         (cbFormat == 0 || std::memcmp(pbFormat, other.pbFormat, cbFormat) == 0);
}

AM_MEDIA_TYPE* MediaType::CreateCopy() const noexcept {
  auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
  if (!copy) return nullptr;
  if (FAILED(CopyMediaTypeTo(*copy, *this))) {
    CoTaskMemFree(copy);
    return nullptr;
  }
  return copy;
}

bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
  return a.majortype == b.majortype && a.subtype == b.subtype && a.formattype == b.formattype &&
         a.cbFormat == b.cbFormat && (a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0);
}

HRESULT CopyMediaTypeTo(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source) noexcept {
  target = source;
  target.pbFormat = nullptr;
  target.cbFormat = 0;
  if (source.cbFormat > 0 && source.pbFormat) {
    target.pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source.cbFormat));
    if (!target.pbFormat) {
      target = AM_MEDIA_TYPE{};
      return E_OUTOFMEMORY;
    }
    std::memcpy(target.pbFormat, source.pbFormat, source.cbFormat);
    target.cbFormat = source.cbFormat;
  }
  if (target.pUnk) target.pUnk->AddRef();
  return S_OK;
}

void FreeMediaTypeContents(AM_MEDIA_TYPE& type) noexcept {
  if (type.pbFormat) CoTaskMemFree(type.pbFormat);
  if (type.pUnk) type.pUnk->Release();
  type = AM_MEDIA_TYPE{};
}

void DeleteMediaType(AM_MEDIA_TYPE* type) noexcept {
  if (!type) return;
  FreeMediaTypeContents(*type);
  CoTaskMemFree(type);
}

}  // namespace nv

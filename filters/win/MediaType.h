#pragma once
// AM_MEDIA_TYPE as a value: a deep copy of the format block, freed with the object. Derives from the plain
// structure so that it passes straight to DirectShow calls.
#include "support/win/DirectShow.h"

namespace nv {

class MediaType : public AM_MEDIA_TYPE {
public:
  MediaType();  // null types, no format
  explicit MediaType(const AM_MEDIA_TYPE& other);  // throws std::bad_alloc
  MediaType(const MediaType& other) : MediaType(static_cast<const AM_MEDIA_TYPE&>(other)) {}
  MediaType(MediaType&& other) noexcept;
  MediaType& operator=(MediaType other) noexcept;
  ~MediaType();

  // Replaces the contents with a copy of `other`; E_OUTOFMEMORY leaves them empty.
  HRESULT Assign(const AM_MEDIA_TYPE& other) noexcept;
  // Replaces the format block with a copy of `size` bytes.
  HRESULT SetFormat(REFGUID formatType, const void* data, ULONG size) noexcept;
  void Clear() noexcept;

  // A null major type, subtype or format type leaves the type open in that place.
  bool IsPartiallySpecified() const;
  // Does `other` fit this pattern: each non-null major type and subtype equal, and with a format type, the same
  // format type, size and bytes.
  bool IsMatchedBy(const AM_MEDIA_TYPE& other) const;

  // A copy that a caller frees with DeleteMediaType (what enumerators hand out); null when memory runs out.
  AM_MEDIA_TYPE* CreateCopy() const noexcept;
};

// Equal major type, subtype, format type, format size and format bytes.
bool SameMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// Fills a caller's structure with a deep copy (IPin::ConnectionMediaType); E_OUTOFMEMORY leaves it zeroed.
HRESULT CopyMediaTypeTo(AM_MEDIA_TYPE& target, const AM_MEDIA_TYPE& source) noexcept;
// Frees what a structure owns (its format block and pUnk) and zeroes it.
void FreeMediaTypeContents(AM_MEDIA_TYPE& type) noexcept;
// Frees a type that DirectShow handed out (from an enumerator or IMediaSample::GetMediaType).
void DeleteMediaType(AM_MEDIA_TYPE* type) noexcept;

}  // namespace nv

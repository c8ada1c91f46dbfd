#pragma once
// Media attributes: name/value pairs whose names are the Windows Media attribute names, so that whatever a Windows
// Media file reports is stored unchanged and every other source (ID3, Vorbis comments, CDDB, playlists) is mapped
// onto the same names. Names are unique in a list, compared without regard to (ASCII) case; the order is the order
// of insertion.
#include <string_view>
#include <vector>

#include "metadata/AttributeValue.h"

namespace nv {

// An attribute name. Its text lives for the whole program: a string literal, or a name that arrived at run time
// and was interned, so a name costs a pointer and a length in every record.
class AttributeName {
public:
  consteval AttributeName(const char* literal) : text_(literal) {}
  static AttributeName Intern(std::string_view name);

  std::string_view Text() const { return text_; }
  friend bool operator==(AttributeName a, AttributeName b);

private:
  struct Interned {};
  AttributeName(std::string_view text, Interned) : text_(text) {}
  std::string_view text_;
};

struct TXHeaderAttribute {
  AttributeName Name;
  AttributeValue Value;
};
using TXHeaderAttributes = std::vector<TXHeaderAttribute>;

int IndexOfName(const TXHeaderAttributes& attributes, AttributeName name);
// Replaces the value of `name`, or appends it.
void SetValue(TXHeaderAttributes& attributes, AttributeName name, AttributeValue value);
// The value of `name`; null when it is not there.
const AttributeValue& GetValue(const TXHeaderAttributes& attributes, AttributeName name);

// The names the system maps its sources onto.
inline constexpr AttributeName kTrackAttribute = "WM/Track";
inline constexpr AttributeName kTitleAttribute = "Title";
inline constexpr AttributeName kAlbumAttribute = "WM/AlbumTitle";
inline constexpr AttributeName kAuthorAttribute = "Author";
inline constexpr AttributeName kYearAttribute = "WM/Year";
inline constexpr AttributeName kGenreAttribute = "WM/Genre";
inline constexpr AttributeName kDurationAttribute = "Duration";
inline constexpr AttributeName kBitrateAttribute = "Bitrate";
inline constexpr AttributeName kDescriptionAttribute = "Description";
inline constexpr AttributeName kFileSizeAttribute = "NV_FileSize";
inline constexpr AttributeName kStartTimeAttribute = "NV_StartTime";
inline constexpr AttributeName kEndTimeAttribute = "NV_EndTime";
inline constexpr AttributeName kCDSerialNoAttribute = "NV_CDSerialNo";

// The field table: the numbers by which sorting, lists and playlists refer to attributes.
inline constexpr int kFieldCount = 10;
inline constexpr AttributeName kFieldNames[kFieldCount] = {
    kTrackAttribute,  kTitleAttribute,    kAlbumAttribute,   kAuthorAttribute,       kYearAttribute,
    kGenreAttribute,  kDurationAttribute, kBitrateAttribute, kDescriptionAttribute, kFileSizeAttribute,
};

}  // namespace nv

#include "metadata/ID3v1.h"

#include <algorithm>

#include "metadata/ByteFields.h"

namespace nv {

namespace {

// A fixed-width field: its text ends at a zero byte (what follows one is left-over memory of the writer, not text),
// then trailing blanks and zeros go.
std::string FieldText(bytes::Bytes field) {
  std::string_view text = bytes::AsChars(field);
  text = text.substr(0, text.find('\0'));
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

void TID3v1::Reset() { *this = TID3v1(); }

bool TID3v1::Read(ByteSource& source) {
  SourceRegion tail;
  const std::uint64_t size = source.Size();
  tail.Read(source, size - std::min<std::uint64_t>(size, kID3v1TagSize), kID3v1TagSize);
  return ReadFrom(tail, size);
}

bool TID3v1::ReadFrom(const SourceRegion& tail, std::uint64_t sourceSize) {
  Reset();
  if (sourceSize < kID3v1TagSize) return false;
  const bytes::Bytes tag = tail.At(sourceSize - kID3v1TagSize, kID3v1TagSize);
  if (tag.size() < kID3v1TagSize) return false;
  // "TAG" title[30] artist[30] album[30] year[4] comment[30] genre[1]
  if (!bytes::HasText(tag, 0, "TAG")) return true;
  Exists = true;
  Title = FieldText(tag.subspan(3, 30));
  Artist = FieldText(tag.subspan(33, 30));
  Album = FieldText(tag.subspan(63, 30));
  Year = FieldText(tag.subspan(93, 4));
  const bytes::Bytes comment = tag.subspan(97, 30);
  // ID3v1.1: a zero (or, from some writers, a blank) before a last comment byte that is not one.
  const bool v11 = (comment[28] == 0 && comment[29] != 0) || (comment[28] == ' ' && comment[29] != ' ');
  Version = v11 ? 2 : 1;
  Comment = FieldText(comment.first(v11 ? 28 : 30));
  if (v11) Track = comment[29];
  GenreID = tag[127];
  return true;
}

std::string_view TID3v1::Genre() const { return ID3v1GenreName(GenreID); }

}  // namespace nv

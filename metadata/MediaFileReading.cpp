#include "metadata/MediaFileReading.h"

#include <cmath>

#include "metadata/MediaPaths.h"
#include "metadata/WindowsMediaRuntime.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// Texts are added only when they are not empty.
void AddText(TXHeaderAttributes& read, AttributeName name, std::u16string_view text) {
  if (!text.empty()) read.push_back({name, AttributeValue::WideText(text)});
}
void AddAnsi(TXHeaderAttributes& read, AttributeName name, std::string_view text) {
  if (!text.empty()) read.push_back({name, AttributeValue::AnsiText(text)});
}
void AddMarked(TXHeaderAttributes& read, AttributeName name, std::string_view text) {
  if (!text.empty()) read.push_back({name, AttributeValue::WideText(MarkedToUtf16(text))});
}

}  // namespace

TMediaFileFormat MediaFileFormatOf(std::u16string_view path) {
  const std::u16string_view extension = ExtensionOf(path);
  if (LocaleCompare(extension, u".mp3") == 0) return TMediaFileFormat::mfMPEGaudio;
  if (LocaleCompare(extension, u".ogg") == 0) return TMediaFileFormat::mfOggVorbis;
  return TMediaFileFormat::mfWindowsMedia;
}

void AddMPEGAttributes(const TMPEGaudio& mpeg, TXHeaderAttributes& read) {
  read.push_back({kDurationAttribute, AttributeValue::Float(mpeg.Duration() * 1000)});
  read.push_back({kBitrateAttribute, AttributeValue::Integer(std::int64_t{mpeg.BitRate()} * 1000)});
  if (mpeg.ID3v2.Exists) {
    const TID3v2& tag = mpeg.ID3v2;
    if (tag.Track != 0) read.push_back({kTrackAttribute, AttributeValue::Integer(tag.Track)});
    AddText(read, kTitleAttribute, tag.Title);
    AddText(read, kAlbumAttribute, tag.Album);
    AddText(read, kAuthorAttribute, tag.Artist);
    AddText(read, kYearAttribute, tag.Year);
    AddText(read, kGenreAttribute, tag.Genre);
    AddText(read, kDescriptionAttribute, tag.Comment);
  } else if (mpeg.ID3v1.Exists) {
    // The ID3v1 genre number is not shown.
    const TID3v1& tag = mpeg.ID3v1;
    if (tag.Track != 0) read.push_back({kTrackAttribute, AttributeValue::Integer(tag.Track)});
    AddAnsi(read, kTitleAttribute, tag.Title);
    AddAnsi(read, kAlbumAttribute, tag.Album);
    AddAnsi(read, kAuthorAttribute, tag.Artist);
    AddAnsi(read, kYearAttribute, tag.Year);
    AddAnsi(read, kDescriptionAttribute, tag.Comment);
  }
}

void AddOggVorbisAttributes(const TOggVorbis& ogg, TXHeaderAttributes& read) {
  if (!ogg.IsVorbis()) return;
  if (ogg.TrackNumber != 0) read.push_back({kTrackAttribute, AttributeValue::Integer(ogg.TrackNumber)});
  AddMarked(read, kTitleAttribute, ogg.Title);
  AddMarked(read, kAlbumAttribute, ogg.Album);
  AddMarked(read, kAuthorAttribute, ogg.Artist);
  AddMarked(read, kYearAttribute, ogg.Date);
  AddMarked(read, kGenreAttribute, ogg.Genre);
  AddMarked(read, kDescriptionAttribute, ogg.Comment);
  if (ogg.BitRateNominal != 0)
    read.push_back({kBitrateAttribute, AttributeValue::Integer(std::int64_t{ogg.BitRateNominal} * 1000)});
  if (const double duration = ogg.Duration(); duration > 0)
    read.push_back({kDurationAttribute, AttributeValue::Integer(std::llround(duration * 1000))});
}

void ReadMediaSource(ByteSource& source, TMediaFileFormat format, TXHeaderAttributes& read) {
  if (format == TMediaFileFormat::mfMPEGaudio) {
    TMPEGaudio mpeg;
    if (mpeg.Read(source)) AddMPEGAttributes(mpeg, read);
  } else if (format == TMediaFileFormat::mfOggVorbis) {
    TOggVorbis ogg;
    if (ogg.Read(source)) AddOggVorbisAttributes(ogg, read);
  }
}

std::optional<std::uint64_t> ReadMediaFile(std::string_view path, TXHeaderAttributes& read) {
  const TMediaFileFormat format = MediaFileFormatOf(MarkedToUtf16(path));
  if (format == TMediaFileFormat::mfWindowsMedia) {
    std::vector<WMAttribute> attributes;
    if (platform::ReadWindowsMediaFile(path, attributes)) {
      for (TXHeaderAttribute& a : ConvertWindowsMediaAttributes(attributes)) read.push_back(std::move(a));
    }
    return std::nullopt;
  }
  const std::unique_ptr<ByteSource> source = platform::OpenFileSource(path);
  if (!source) return std::nullopt;
  ReadMediaSource(*source, format, read);
  return source->Size();
}

}  // namespace nv

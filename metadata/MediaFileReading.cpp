#include "metadata/MediaFileReading.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "metadata/MediaPaths.h"
#include "metadata/WindowsMediaRuntime.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// The fields a tag shows, in this order: the track when there is one, then each text that is not empty, made into a
// value by `make`.
template <class Text, class Make>
void AddTagFields(TXHeaderAttributes& read, int track, std::initializer_list<std::pair<AttributeName, Text>> texts,
                  Make make) {
  if (track != 0) read.push_back({kTrackAttribute, AttributeValue::Integer(track)});
  for (const auto& [name, text] : texts)
    if (!text.empty()) read.push_back({name, make(text)});
}

}  // namespace

TMediaFileFormat MediaFileFormatOf(std::u16string_view path) {
  const std::u16string_view extension = ExtensionOf(path);
  // MPEG audio of any layer: ".mp2" and ".mpa" hold Layer II.
  for (const std::u16string_view mpeg : {u".mp3", u".mp2", u".mpa"})
    if (LocaleCompare(extension, mpeg) == 0) return TMediaFileFormat::mfMPEGaudio;
  if (LocaleCompare(extension, u".ogg") == 0) return TMediaFileFormat::mfOggVorbis;
  return TMediaFileFormat::mfWindowsMedia;
}

void AddMPEGAttributes(const TMPEGaudio& mpeg, TXHeaderAttributes& read) {
  read.push_back({kDurationAttribute, AttributeValue::Float(mpeg.Duration() * 1000)});
  read.push_back({kBitrateAttribute, AttributeValue::Integer(std::int64_t{mpeg.BitRate()} * 1000)});
  if (mpeg.ID3v2.Exists) {
    const TID3v2& tag = mpeg.ID3v2;
    AddTagFields<std::u16string_view>(read, tag.Track,
                                      {{kTitleAttribute, tag.Title}, {kAlbumAttribute, tag.Album},
                                       {kAuthorAttribute, tag.Artist}, {kYearAttribute, tag.Year},
                                       {kGenreAttribute, tag.Genre}, {kDescriptionAttribute, tag.Comment}},
                                      AttributeValue::WideText);
  } else if (mpeg.ID3v1.Exists) {
    // Code-page text; the ID3v1 genre number is not shown.
    const TID3v1& tag = mpeg.ID3v1;
    AddTagFields<std::string_view>(read, tag.Track,
                                   {{kTitleAttribute, tag.Title}, {kAlbumAttribute, tag.Album},
                                    {kAuthorAttribute, tag.Artist}, {kYearAttribute, tag.Year},
                                    {kDescriptionAttribute, tag.Comment}},
                                   AttributeValue::AnsiText);
  }
}

void AddOggVorbisAttributes(const TOggVorbis& ogg, TXHeaderAttributes& read) {
  if (!ogg.IsVorbis()) return;
  // Held text: code-page text when the code page holds it, wide text when it does not.
  AddTagFields<std::string_view>(read, ogg.TrackNumber,
                                 {{kTitleAttribute, ogg.Title}, {kAlbumAttribute, ogg.Album},
                                  {kAuthorAttribute, ogg.Artist}, {kYearAttribute, ogg.Date},
                                  {kGenreAttribute, ogg.Genre}, {kDescriptionAttribute, ogg.Comment}},
                                 AttributeValue::HeldText);
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

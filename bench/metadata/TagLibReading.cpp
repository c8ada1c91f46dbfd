#include "bench/metadata/TagLibReading.h"

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <cmath>
#include <memory>

#include "metadata/MediaFileReading.h"
#include "metadata/XMMFileInfo.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"

namespace nv::bench {

FileFacts ReadWithTagLib(const std::string& path) {
  FileFacts f;
  TagLib::FileRef file(path.c_str());
  if (file.isNull()) return f;
  f.read = true;
  if (const TagLib::Tag* tag = file.tag()) {
    f.title = tag->title().to8Bit(true);
    f.artist = tag->artist().to8Bit(true);
    f.album = tag->album().to8Bit(true);
    f.genre = tag->genre().to8Bit(true);
    f.comment = tag->comment().to8Bit(true);
    f.year = static_cast<int>(tag->year());
    f.track = static_cast<int>(tag->track());
  }
  if (const TagLib::AudioProperties* audio = file.audioProperties()) {
    f.durationMs = audio->lengthInMilliseconds();
    f.bitrateKbps = audio->bitrate();
    f.sampleRate = audio->sampleRate();
    f.channels = audio->channels();
  }
  return f;
}

namespace {

std::string Text(const AttributeValue& v) { return v.IsNull() ? std::string() : Utf16ToUtf8(v.ToUtf16()); }

int LeadingNumber(const AttributeValue& v) {
  if (v.GetType() == AttributeValue::Type::Integer) return static_cast<int>(v.AsInteger());
  int n = 0;
  for (char16_t c : v.ToUtf16()) {
    if (c < u'0' || c > u'9') break;
    n = n * 10 + (c - u'0');
  }
  return n;
}

}  // namespace

FileFacts ReadWithNorvale(const std::string& path) {
  FileFacts f;
  const std::string held = Utf8ToMarked(path);
  TXMMFileInfo info;
  info.LoadInfo(held);
  f.read = true;
  f.title = Text(info.GetValue(kTitleAttribute));
  f.artist = Text(info.GetValue(kAuthorAttribute));
  f.album = Text(info.GetValue(kAlbumAttribute));
  f.genre = Text(info.GetValue(kGenreAttribute));
  f.comment = Text(info.GetValue(kDescriptionAttribute));
  f.year = LeadingNumber(info.GetValue(kYearAttribute));
  f.track = LeadingNumber(info.GetValue(kTrackAttribute));
  f.durationMs = static_cast<int>(std::lround(info.GetValue(kDurationAttribute).ToNumber().value_or(0)));
  f.bitrateKbps = static_cast<int>(std::lround(info.GetValue(kBitrateAttribute).ToNumber().value_or(0) / 1000));
  const std::unique_ptr<ByteSource> source = platform::OpenFileSource(held);
  if (!source) return f;
  if (MediaFileFormatOf(MarkedToUtf16(held)) == TMediaFileFormat::mfMPEGaudio) {
    TMPEGaudio mpeg;
    if (mpeg.Read(*source)) f.sampleRate = mpeg.SampleRate(), f.channels = mpeg.Channels();
  } else {
    TOggVorbis ogg;
    if (ogg.Read(*source)) f.sampleRate = ogg.SampleRate, f.channels = ogg.ChannelModeID;
  }
  return f;
}

}  // namespace nv::bench

#include "metadata/tools/InfoReport.h"

#include <memory>

#include "metadata/MediaFileReading.h"
#include "metadata/XMMFileInfo.h"
#include "metadata/tools/JsonLine.h"
#include "support/Errors.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

// The stream facts come from the readers themselves: the media information does not keep them.
void AddStreamFacts(std::string_view path, JsonLine& json) {
  const TMediaFileFormat format = MediaFileFormatOf(MarkedToUtf16(path));
  const std::unique_ptr<ByteSource> source =
      format == TMediaFileFormat::mfWindowsMedia ? nullptr : platform::OpenFileSource(path);
  auto number = [&](const char* name, int value) { value > 0 ? json.Number(name, value) : json.Null(name); };
  auto text = [&](const char* name, std::string_view utf8) { utf8.empty() ? json.Null(name) : json.Text(name, utf8); };
  TMPEGaudio mpeg;
  TOggVorbis ogg;
  if (source && format == TMediaFileFormat::mfMPEGaudio && mpeg.Read(*source) && mpeg.Frame.Found) {
    number("sample_rate", mpeg.SampleRate());
    number("channels", mpeg.Channels());
    text("vbr", mpeg.VBR.ID);
    text("encoder", !mpeg.Encoder.empty() ? mpeg.Encoder : mpeg.VBR.VendorID);
  } else if (source && format == TMediaFileFormat::mfOggVorbis && ogg.Read(*source) && ogg.IsVorbis()) {
    number("sample_rate", ogg.SampleRate);
    number("channels", ogg.ChannelModeID);
    json.Null("vbr");
    text("encoder", MarkedToUtf8(ogg.Vendor));
  } else {
    for (const char* name : {"sample_rate", "channels", "vbr", "encoder"}) json.Null(name);
  }
}

}  // namespace

std::string FileInfoJson(std::string_view path, std::string_view shownPath) {
  JsonLine json;
  json.Text("file", shownPath);
  try {
    TXMMFileInfo info;
    info.LoadInfo(path);
    json.Value("title", info.GetValue(kTitleAttribute))
        .Value("artist", info.GetValue(kAuthorAttribute))
        .Value("album", info.GetValue(kAlbumAttribute))
        .Value("track", info.GetValue(kTrackAttribute))
        .Value("year", info.GetValue(kYearAttribute))
        .Value("genre", info.GetValue(kGenreAttribute))
        .Value("comment", info.GetValue(kDescriptionAttribute))
        .Value("duration_ms", info.GetValue(kDurationAttribute))
        .Value("bitrate", info.GetValue(kBitrateAttribute))
        .Value("size", info.GetValue(kFileSizeAttribute));
    AddStreamFacts(path, json);
  } catch (const Exception& e) {
    json.Text("error", MarkedToUtf8(e.Message()));
  }
  return json.Finish();
}

}  // namespace nv

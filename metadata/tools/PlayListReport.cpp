#include "metadata/tools/PlayListReport.h"

#include "metadata/tools/JsonLine.h"
#include "playlist/XPlayList.h"
#include "support/Errors.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

std::string EntryJson(const TXPlayListItem& item, std::string_view shownPath) {
  JsonLine json;
  json.Text("playlist", shownPath)
      .Number("entry", item.Index() + 1)
      .Text("path", MarkedToUtf8(item.FileName()))
      .Value("title", item.Value(kTitleAttribute))
      .Value("duration_ms", item.Value(kDurationAttribute));
  if (item.IsSubRange())
    json.Number("start_ms", item.StartTime());
  else
    json.Null("start_ms");
  if (const std::optional<std::int64_t> end = item.IsSubRange() ? item.EndTime() : std::nullopt)
    json.Number("end_ms", *end);
  else
    json.Null("end_ms");
  std::vector<std::string> alternatives;
  for (const std::string& path : item.AlternativePaths()) alternatives.push_back(MarkedToUtf8(path));
  return json.Boolean("redirected", item.ASXRedirected).Texts("alternatives", alternatives).Finish();
}

}  // namespace

std::vector<std::string> PlayListEntriesJson(std::string_view path, std::string_view shownPath) {
  TXPlayList list;
  std::string error;
  try {
    switch (list.LoadFromFile(path, true, false, false, TXPlayListFormat::pfAuto)) {
      case TPlayListFileResult::pfrDone: break;
      case TPlayListFileResult::pfrNoFile: error = "no such file"; break;
      case TPlayListFileResult::pfrUnknownFormat: error = "not a playlist file"; break;
      case TPlayListFileResult::pfrNoFormats: error = "no playlist formats installed"; break;
    }
  } catch (const Exception& e) {
    error = MarkedToUtf8(e.Message());
  }
  std::vector<std::string> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(EntryJson(list.Items(i), shownPath));
  if (!error.empty()) lines.push_back(JsonLine().Text("playlist", shownPath).Text("error", error).Finish());
  return lines;
}

}  // namespace nv

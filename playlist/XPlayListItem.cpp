#include "playlist/XPlayListItem.h"

#include "playlist/XPlayList.h"
#include "support/Errors.h"
#include "support/MarkedText.h"

namespace nv {

TXPlayListItem::TXPlayListItem(TXPlayList& list, std::string fileName) : list_(&list) {
  SetFileName(std::move(fileName));
}

void TXPlayListItem::SetFileName(std::string fileName) {
  wideName_ = MarkedToUtf16(fileName);
  fileName_ = std::move(fileName);
}

void TXPlayListItem::Assign(const TXPlayListItem& source) {
  if (&source == this) return;
  ASXRedirected = source.ASXRedirected;
  if (source.fileName_ != fileName_) list_->Rename(*this, source.fileName_);
  Info.Assign(source.Info);
}

void TXPlayListItem::Activate(bool play, TSetCurrentMode mode) { list_->SetCurrent(this, play, mode); }

bool TXPlayListItem::IsCurrent() const { return list_->GetCurrent() == this; }

int TXPlayListItem::PlayOrderIndex() const { return list_->PlayOrderIndexOf(this); }

std::int64_t TXPlayListItem::StartTime() const {
  return static_cast<std::int64_t>(Info.GetValue(kStartTimeAttribute).ToNumber().value_or(0));
}

std::optional<std::int64_t> TXPlayListItem::EndTime() const {
  const std::optional<double> end = Info.GetValue(kEndTimeAttribute).ToNumber();
  if (!end) return std::nullopt;
  return static_cast<std::int64_t>(*end);
}

const std::string& TXPlayListItem::AlternativePath(int index) const {
  if (index < 0 || index >= AlternativePathCount()) throw EListError(FormatText(kListIndexErrorMessage, {index}));
  return alternatives_[index];
}

void TXPlayListItem::AddAlternativePath(std::string_view path) {
  const std::u16string wide = MarkedToUtf16(path);
  TextCollation& collation = list_->Environment().Collation;
  for (const std::string& known : alternatives_)
    if (collation.Compare(MarkedToUtf16(known), wide) == 0) return;
  alternatives_.emplace_back(path);
}

void TXPlayListItem::StoreError(const std::exception& error) { ErrorText = error.what(); }

// The graph's own information first; then what only the graph knows: the title a Winamp plug-in gives for a stream
// without an artist, the duration and the bit rate. A bit rate found only in the stream information does not count
// as a change.
bool TXPlayListItem::UpdateFromGraph(TItemGraphFacts& graph) {
  if (!graph.IsBuilt()) return false;
  bool changed = Info.ReadFromGraph(fileName_, graph.MediaInfo());
  if (!Info.HasValue(kAuthorAttribute)) {
    if (const std::optional<std::string> title = graph.PluginTitle()) {
      const AttributeValue offered = AttributeValue::AnsiText(*title);
      if (!title->empty() && TrimText(*title) != "-" &&
          offered.ToUtf16() != Info.GetValue(kTitleAttribute).ToUtf16()) {
        Info.SetValue(kTitleAttribute, offered);
        changed = true;
      }
    }
  }
  if (!Info.HasValue(kDurationAttribute)) {
    // A live stream has no duration; it keeps having none rather than a length of 0.
    if (const std::int64_t duration = graph.Duration() / 10000; duration > 0) {
      Info.SetValue(kDurationAttribute, AttributeValue::Integer(duration));
      changed = true;
    }
  }
  if (!Info.HasValue(kBitrateAttribute))
    if (const std::int32_t bitrate = graph.StreamBitrate(); bitrate > 0)
      Info.SetValue(kBitrateAttribute, AttributeValue::Integer(bitrate));
  if (changed) list_->lastInfoIndex_ = index_;
  return changed;
}

}  // namespace nv

#include "engine/win/DirectShowPlayList.h"

#include "engine/win/DirectXCheck.h"
#include "support/win/WideText.h"

using Microsoft::WRL::ComPtr;

namespace nv {

namespace {

// Takes over a BSTR the callee allocated.
std::u16string TakeText(BSTR text) {
  std::u16string result = text ? ToUtf16(std::wstring_view(text, SysStringLen(text))) : std::u16string();
  SysFreeString(text);
  return result;
}

}  // namespace

int TDirectShowPlayList::ItemCount() {
  DWORD count = 0;
  DXCheck(playList_->GetItemCount(&count));
  return static_cast<int>(count);
}

ComPtr<IAMPlayListItem> TDirectShowPlayList::Item(int item) {
  ComPtr<IAMPlayListItem> entry;
  DXCheck(playList_->GetItem(static_cast<DWORD>(item), &entry));
  return entry;
}

int TDirectShowPlayList::SourceCount(int item) {
  DWORD count = 0;
  DXCheck(Item(item)->GetSourceCount(&count));
  return static_cast<int>(count);
}

std::u16string TDirectShowPlayList::SourceURL(int item, int source) {
  BSTR url = nullptr;
  const HRESULT hr = Item(item)->GetSourceURL(static_cast<DWORD>(source), &url);
  std::u16string text = TakeText(url);
  DXCheck(hr);
  return text;
}

std::u16string TDirectShowPlayList::Title() {
  ComPtr<IAMMediaContent> content;
  BSTR title = nullptr;
  if (FAILED(playList_.As(&content)) || FAILED(content->get_Title(&title))) return {};
  return TakeText(title);
}

}  // namespace nv

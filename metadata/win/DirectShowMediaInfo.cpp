#include "metadata/win/DirectShowMediaInfo.h"

#include <qnetwork.h>
#include <wmsdk.h>

#include "metadata/win/WMHeaderInfo.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

// One of IAMMediaContent's texts: the string is the caller's to free; a failing call gives no text.
template <class Getter>
std::u16string ContentText(IAMMediaContent* content, Getter getter) {
  BSTR text = nullptr;
  std::u16string result;
  if (SUCCEEDED((content->*getter)(&text)) && text) result = ToUtf16(std::wstring_view(text, SysStringLen(text)));
  SysFreeString(text);
  return result;
}

}  // namespace

std::optional<std::vector<WMAttribute>> TDirectShowMediaInfo::HeaderAttributes() {
  Microsoft::WRL::ComPtr<IWMHeaderInfo> header;
  if (!source_ || FAILED(source_.As(&header))) return std::nullopt;
  std::vector<WMAttribute> attributes;
  ReadHeaderInfo(header.Get(), attributes);
  return attributes;
}

std::optional<TMediaContent> TDirectShowMediaInfo::MediaContent() {
  Microsoft::WRL::ComPtr<IAMMediaContent> content;
  if (!source_ || FAILED(source_.As(&content))) return std::nullopt;
  TMediaContent result;
  result.Title = ContentText(content.Get(), &IAMMediaContent::get_Title);
  result.AuthorName = ContentText(content.Get(), &IAMMediaContent::get_AuthorName);
  result.Description = ContentText(content.Get(), &IAMMediaContent::get_Description);
  return result;
}

}  // namespace nv

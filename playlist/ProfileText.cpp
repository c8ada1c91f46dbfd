#include "playlist/ProfileText.h"

#include "playlist/PlayListFileConstants.h"

namespace nv {

TProfileContent DecodeProfile(std::string_view bytes) {
  TProfileContent content;
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    content.Encoding = TProfileEncoding::peUtf8;
    content.Narrow = bytes.substr(std::string_view(kUtf8ByteOrderMark).size());
    return content;
  }
  const bool little = bytes.starts_with("\xFF\xFE");
  if (!little && !bytes.starts_with("\xFE\xFF")) {
    content.Narrow = bytes;
    return content;
  }
  content.Encoding = little ? TProfileEncoding::peUtf16LE : TProfileEncoding::peUtf16BE;
  content.Wide.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const unsigned first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    content.Wide.push_back(static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
  }
  return content;
}

}  // namespace nv

#include "widgets/button/access_key.h"

#include <cstddef>

#include "platform/gfx/utf8.h"

namespace kes::button {
namespace {

char32_t Lower(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + (U'a' - U'A');
  // Latin-1 capitals, except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  return c;
}

}  // namespace

char32_t AccessKey(std::string_view caption) {
  if (caption.size() <= 1) return 0;
  std::size_t amp = caption.find('&');
  if (amp == std::string_view::npos || amp + 1 >= caption.size()) return 0;
  if (caption[amp + 1] == '&') {
    // A literal ampersand: the key is marked by the next single "&".
    amp = caption.find('&', amp + 2);
    if (amp == std::string_view::npos || amp + 1 >= caption.size()) return 0;
    if (caption[amp + 1] == '&') return 0;
  }
  const std::u32string rest = gfx::decode_utf8(caption.substr(amp + 1));
  return rest.empty() ? 0 : Lower(rest.front());
}

}  // namespace kes::button

#include "widgets/button/access_key.h"

#include <cstddef>
#include <cstdint>

namespace kes::button {
namespace {

// Decodes the code point starting at byte i; a broken sequence yields its first byte.
char32_t CodePointAt(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
  if (extra == 0 || i + static_cast<std::size_t>(extra) >= s.size()) return b0;
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
    if ((b & 0xC0) != 0x80) return b0;
    cp = (cp << 6) | (b & 0x3F);
  }
  return cp;
}

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
  return Lower(CodePointAt(caption, amp + 1));
}

}  // namespace kes::button

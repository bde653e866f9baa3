// UTF-8, the one encoding of text inside the program.
#pragma once

#include <string>
#include <string_view>

namespace kes::gfx {

// Decodes UTF-8; each malformed byte becomes U+FFFD.
std::u32string decode_utf8(std::string_view text);
// Encodes code points; surrogates and values above U+10FFFF become U+FFFD.
std::string encode_utf8(std::u32string_view text);
std::string encode_utf8(char32_t ch);

}  // namespace kes::gfx

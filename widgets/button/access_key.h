#pragma once
// The access key a button caption marks with "&" ("&&" stands for a literal ampersand).

#include <string_view>

namespace kes::button {

// The lower-cased character after the marking "&", as a code point; 0 when the caption has none.
// The caption is UTF-8.
char32_t AccessKey(std::string_view caption);

}  // namespace kes::button

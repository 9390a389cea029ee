#pragma once
// UTF-8 decoding and encoding for text that arrives from outside (controller name fields,
// database cells, typed names). Decoding never fails: every ill-formed sequence becomes one
// U+FFFD per maximal ill-formed subpart, the usual replacement practice, so a damaged byte never
// swallows the valid characters after it.

#include <cstddef>
#include <string>
#include <string_view>

namespace orv::utf8 {

inline constexpr char32_t kReplacement = 0xFFFD;

// Code points of `text`; ill-formed bytes give U+FFFD.
std::u32string decode(std::string_view text);

// Appends the UTF-8 form of `codePoint` (surrogates and values above U+10FFFF as U+FFFD).
void append(std::string& out, char32_t codePoint);
std::string encode(std::u32string_view codePoints);

// The same text with every ill-formed sequence replaced by U+FFFD.
std::string sanitize(std::string_view text);

// Number of UTF-16 code units a code point takes (2 above U+FFFF).
constexpr std::size_t utf16Units(char32_t codePoint) {
    return codePoint > 0xFFFF ? 2 : 1;
}
// Number of UTF-16 code units of a UTF-8 text (ill-formed bytes counted as U+FFFD).
std::size_t utf16Length(std::string_view text);

// Byte size of the UTF-8 form of a code point.
std::size_t encodedSize(char32_t codePoint);

}  // namespace orv::utf8

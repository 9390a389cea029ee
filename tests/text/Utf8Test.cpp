#include <gtest/gtest.h>

#include "text/Utf8.h"

namespace orv {
namespace {

TEST(Utf8, DecodesWellFormedTextAndReplacesEachIllFormedSubpart) {
    const std::string r = "\uFFFD";
    const struct {
        const char* what;
        std::string bytes;
        std::string sanitized;
        std::size_t utf16;
    } cases[] = {
        {"ASCII", "abc", "abc", 3},
        {"two, three and four bytes", "\u00E9\u65E5\U0001F600", "\u00E9\u65E5\U0001F600", 4},
        {"lone continuation",
         "a\x80"
         "b",
         "a" + r + "b", 3},
        {"C0 and C1 leads are overlong", "\xC0\xAF\xC1\xBF", r + r + r + r, 4},
        {"F5 and above", "\xF5\xFF", r + r, 2},
        {"truncated three-byte at end", "\xE6\xBC", r, 1},
        {"truncated four-byte then ASCII",
         "\xF0\x9F\x98"
         "A",
         r + "A", 2},
        {"overlong three-byte", "\xE0\x80\xAF", r + r + r, 3},
        {"surrogate", "\xED\xA0\x80", r + r + r, 3},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r, 4},
        {"largest code point", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF", 2},
        {"embedded NUL kept", std::string("a\0b", 3), std::string("a\0b", 3), 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8::sanitize(c.bytes), c.sanitized) << c.what;
        EXPECT_EQ(utf8::utf16Length(c.bytes), c.utf16) << c.what;
    }
}

TEST(Utf8, EncodesEveryScalarValueAndReplacesTheRest) {
    EXPECT_EQ(utf8::encode(U"A\u00E9\u65E5\U0001F600"), "A\u00E9\u65E5\U0001F600");
    EXPECT_EQ(utf8::encode(std::u32string{0xD800, 0x110000}), "\uFFFD\uFFFD");
    for (const char32_t c :
         {U'\u007F', U'\u0080', U'\u07FF', U'\u0800', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
        const std::string bytes = utf8::encode(std::u32string(1, c));
        EXPECT_EQ(bytes.size(), utf8::encodedSize(c)) << std::hex << static_cast<long>(c);
        EXPECT_EQ(utf8::decode(bytes), std::u32string(1, c));
    }
}

}  // namespace
}  // namespace orv

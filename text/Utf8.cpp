#include "text/Utf8.h"

#include <cstdint>

namespace orv::utf8 {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one character at `text[pos]`, advances `pos` past it (past the maximal ill-formed
// subpart when the bytes are ill-formed) and returns it or U+FFFD.
char32_t decodeOne(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    ++pos;
    if (lead < 0x80) {
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    // The allowed range of the second byte excludes overlong forms, surrogates and values above
    // U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        if (lead == 0xE0) {
            low = 0xA0;
        } else if (lead == 0xED) {
            high = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;
        }
    } else {
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos >= text.size()) {
            return kReplacement;
        }
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (i == 1 ? (byte < low || byte > high) : !isContinuation(byte)) {
            return kReplacement;
        }
        value = (value << 6) | (byte & 0x3Fu);
        ++pos;
    }
    return value;
}

}  // namespace

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        out.push_back(decodeOne(text, pos));
    }
    return out;
}

void append(std::string& out, char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = kReplacement;
    }
    const auto c = static_cast<std::uint32_t>(codePoint);
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string encode(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t c : codePoints) {
        append(out, c);
    }
    return out;
}

std::string sanitize(std::string_view text) {
    return encode(decode(text));
}

std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (const char32_t c : decode(text)) {
        units += utf16Units(c);
    }
    return units;
}

std::size_t encodedSize(char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 3;  // written as U+FFFD
    }
    if (codePoint < 0x80) {
        return 1;
    }
    if (codePoint < 0x800) {
        return 2;
    }
    return codePoint < 0x10000 ? 3 : 4;
}

}  // namespace orv::utf8

#include "ui/kit/AttributeValues.h"

#include <charconv>
#include <vector>

namespace orv::kit::attr {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<std::vector<int>> ToInts(std::string_view value) {
    std::vector<int> out;
    while (true) {
        const auto comma = value.find(',');
        const std::string_view part = Trim(value.substr(0, comma));
        const auto n = ToInt(part);
        if (!n) {
            return std::nullopt;
        }
        out.push_back(*n);
        if (comma == std::string_view::npos) {
            break;
        }
        value.remove_prefix(comma + 1);
    }
    return out;
}

// Value of key='…' (or key="…") inside an image value.
std::optional<std::string> Quoted(std::string_view image, std::string_view key) {
    std::size_t at = 0;
    while ((at = image.find(key, at)) != std::string_view::npos) {
        const bool startOfWord = at == 0 || image[at - 1] == ' ' || image[at - 1] == '\t';
        std::size_t p = at + key.size();
        while (p < image.size() && image[p] == ' ') {
            ++p;
        }
        if (startOfWord && p < image.size() && image[p] == '=') {
            ++p;
            while (p < image.size() && image[p] == ' ') {
                ++p;
            }
            if (p < image.size() && (image[p] == '\'' || image[p] == '"')) {
                const char quote = image[p];
                const auto end = image.find(quote, p + 1);
                if (end != std::string_view::npos) {
                    return std::string(image.substr(p + 1, end - p - 1));
                }
            }
        }
        at += key.size();
    }
    return std::nullopt;
}

}  // namespace

bool ToBool(std::string_view value, bool fallback) {
    value = Trim(value);
    if (value == "true" || value == "1") {
        return true;
    }
    if (value == "false" || value == "0") {
        return false;
    }
    return fallback;
}

std::optional<int> ToInt(std::string_view value) {
    value = Trim(value);
    if (value.empty()) {
        return std::nullopt;
    }
    int n = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || ptr != value.data() + value.size()) {
        return std::nullopt;
    }
    return n;
}

std::optional<Rect> ToRect(std::string_view value, bool allowSingle) {
    const auto ints = ToInts(value);
    if (!ints) {
        return std::nullopt;
    }
    if (ints->size() == 4) {
        return Rect{(*ints)[0], (*ints)[1], (*ints)[2], (*ints)[3]};
    }
    if (allowSingle && ints->size() == 1) {
        const int n = (*ints)[0];
        return Rect{n, n, n, n};
    }
    return std::nullopt;
}

std::optional<Size> ToSize(std::string_view value) {
    const auto ints = ToInts(value);
    if (!ints || ints->size() != 2) {
        return std::nullopt;
    }
    return Size{(*ints)[0], (*ints)[1]};
}

std::optional<std::uint32_t> ToColour(std::string_view value) {
    value = Trim(value);
    if (value.starts_with('#')) {
        value.remove_prefix(1);
    } else if (value.starts_with("0x") || value.starts_with("0X")) {
        value.remove_prefix(2);
    } else {
        return std::nullopt;
    }
    if (value.size() != 6 && value.size() != 8) {
        return std::nullopt;
    }
    std::uint32_t n = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n, 16);
    if (ec != std::errc() || ptr != value.data() + value.size()) {
        return std::nullopt;
    }
    return value.size() == 6 ? (0xFF000000u | n) : n;
}

std::string FromRect(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

ImageSource ToImage(std::string_view value, const std::string& resourceFolder,
                    const std::string& instanceFolder) {
    ImageSource image;
    value = Trim(value);
    if (value.empty()) {
        return image;
    }
    if (const auto file = Quoted(value, "file")) {
        if (file->empty()) {
            return image;
        }
        std::string path = *file;
        // Skins written for other systems may use backslashes.
        for (char& c : path) {
            if (c == '\\') {
                c = '/';
            }
        }
        image.path = path.front() == '/' ? path : instanceFolder + path;
        if (const auto s = Quoted(value, "source")) {
            image.source = ToRect(*s);
        }
        if (const auto c = Quoted(value, "corner")) {
            image.corner = ToRect(*c);
        }
        return image;
    }
    const std::string name(value);
    image.path = name.front() == '/' ? name : resourceFolder + name;
    return image;
}

}  // namespace orv::kit::attr

#include "ResourceIndex.h"

#include <array>
#include <fstream>
#include <sstream>

namespace orv::test {

namespace pt = boost::property_tree;

std::vector<ExpectedName> readNameTable(const std::filesystem::path& path) {
    std::vector<ExpectedName> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ExpectedName row;
        if (fields >> row.file >> row.name >> row.kind)
            rows.push_back(row);
    }
    return rows;
}

namespace {

void collect(const pt::ptree& node, std::vector<NamedControl>& out) {
    for (const auto& [kind, child] : node) {
        // Fonts carry a family name, not a control name.
        if (kind == "<xmlattr>" || kind == "<xmlcomment>" || kind == "Font" || kind == "Default")
            continue;
        if (const auto name = child.get_optional<std::string>("<xmlattr>.name"))
            out.push_back({*name, kind});
        collect(child, out);
    }
}

void collectImages(const pt::ptree& node, std::vector<std::pair<std::string, std::string>>& out) {
    for (const auto& [kind, child] : node) {
        if (kind == "<xmlattr>") {
            for (const auto& [attribute, value] : child) {
                const std::string suffix = "image";
                if (attribute.size() >= suffix.size() &&
                    attribute.compare(attribute.size() - suffix.size(), suffix.size(), suffix) == 0)
                    out.emplace_back(attribute, value.data());
            }
        } else if (kind != "<xmlcomment>") {
            collectImages(child, out);
        }
    }
}

}  // namespace

std::vector<NamedControl> namedControls(const pt::ptree& skin) {
    std::vector<NamedControl> out;
    collect(skin, out);
    return out;
}

std::vector<std::pair<std::string, std::string>> imageAttributes(const pt::ptree& skin) {
    std::vector<std::pair<std::string, std::string>> out;
    collectImages(skin, out);
    return out;
}

std::string imageFile(const std::string& value) {
    const std::string key = "file='";
    const auto start = value.find(key);
    if (start == std::string::npos)
        return value;
    const auto end = value.find('\'', start + key.size());
    std::string path = value.substr(start + key.size(), end - start - key.size());
    const std::string folder = "Resources/";
    if (path.rfind(folder, 0) == 0)
        path.erase(0, folder.size());
    return path;
}

std::pair<unsigned, unsigned> pngSize(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 24> header{};
    if (!in.read(reinterpret_cast<char*>(header.data()), header.size()))
        return {0, 0};
    // Signature (8 bytes), IHDR length and type (8), then width and height, big-endian.
    constexpr std::array<unsigned char, 8> signature = {0x89, 'P',  'N',  'G',
                                                        0x0D, 0x0A, 0x1A, 0x0A};
    for (size_t i = 0; i < signature.size(); ++i)
        if (header[i] != signature[i])
            return {0, 0};
    const auto word = [&](size_t at) {
        return (unsigned{header[at]} << 24) | (unsigned{header[at + 1]} << 16) |
               (unsigned{header[at + 2]} << 8) | unsigned{header[at + 3]};
    };
    return {word(16), word(20)};
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace orv::test

// Feeds arbitrary bytes to the menu definition rewrites as the contents of a menu file. Whatever
// the bytes: no crash; a file that is not rewritten keeps every byte; a rewritten file is a
// menu again, carries the texts just set, and a second identical rewrite changes nothing (the
// writer's layout is a fixed point, so repeated rewrites never grow or drift).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "text/MenuDefinition.h"

namespace {

namespace pt = boost::property_tree;

const std::filesystem::path& menuFile() {
    static const std::filesystem::path file = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("orv-menu-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return folder / "FuzzMenu.xml";
    }();
    return file;
}

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

struct FoundItem {
    bool present = false;
    std::optional<std::string> text;
};

// The first MenuElement named `item` and its text attribute, as a fresh reader sees the file.
FoundItem findItem(const std::filesystem::path& file, const std::string& item) {
    pt::ptree tree;
    try {
        pt::read_xml(file.string(), tree, pt::xml_parser::trim_whitespace);
    } catch (const std::exception&) {
        fail("a rewritten menu no longer reads as XML");
    }
    const auto menu = tree.get_child_optional("Window.Menu");
    if (!menu) {
        fail("a rewritten menu lost Window.Menu");
    }
    for (const auto& child : *menu) {
        if (child.first == "MenuElement" &&
            child.second.get<std::string>("<xmlattr>.name", "") == item) {
            FoundItem found{true, std::nullopt};
            if (const auto text = child.second.get_optional<std::string>("<xmlattr>.text")) {
                found.text = *text;
            }
            return found;
        }
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t operation = input.ConsumeIntegral<std::uint8_t>();
    const std::string item = input.ConsumeRandomLengthString(16);
    const std::string text = input.ConsumeRandomLengthString(32);
    const std::string original = input.ConsumeRemainingBytesAsString();
    {
        std::ofstream out(menuFile(), std::ios::binary | std::ios::trunc);
        out << original;
    }

    const orv::MenuDefinition menu(menuFile());
    orv::MenuRewrite result;
    switch (operation % 3) {
    case 0:
        result = menu.prepare({{item, text}, {"Cap", "Capture"}});
        break;
    case 1:
        result = menu.fitCaptureItem(orv::MenuHostMode::NS);
        break;
    default:
        result = menu.fitCaptureItem(orv::MenuHostMode::PC);
        break;
    }

    const std::string after = readAll(menuFile());
    if (result != orv::MenuRewrite::Written) {
        if (after != original) {
            fail("a menu that was not rewritten changed");
        }
        return 0;
    }
    switch (operation % 3) {
    case 0: {
        const FoundItem cap = findItem(menuFile(), "Cap");
        if (cap.present && cap.text != std::optional<std::string>("Capture")) {
            fail("the Cap item does not carry the text just set");
        }
        if (menu.prepare({{item, text}, {"Cap", "Capture"}}) != orv::MenuRewrite::Written ||
            readAll(menuFile()) != after) {
            fail("a second identical rewrite changed the file");
        }
        break;
    }
    case 1:
        if (!findItem(menuFile(), "Cap").present) {
            fail("NS left the menu without a Cap item");
        }
        if (menu.fitCaptureItem(orv::MenuHostMode::NS) != orv::MenuRewrite::Unchanged ||
            readAll(menuFile()) != after) {
            fail("fitting an NS menu to NS again changed it");
        }
        break;
    default:
        findItem(menuFile(), "Cap");  // still a menu
        break;
    }
    return 0;
}

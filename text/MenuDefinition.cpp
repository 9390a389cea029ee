#include "text/MenuDefinition.h"

#include <fcntl.h>
#include <unistd.h>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <cerrno>
#include <exception>
#include <optional>
#include <sstream>
#include <system_error>

namespace orv {

namespace pt = boost::property_tree;

namespace {

constexpr const char* kMenuPath = "Window.Menu";
constexpr const char* kItemElement = "MenuElement";
constexpr const char* kNameAttribute = "<xmlattr>.name";
constexpr const char* kTextAttribute = "<xmlattr>.text";

// Whitespace between elements is dropped on reading; otherwise every rewrite would keep the old
// indentation as text and add its own around it, and the file would grow each time.
std::optional<pt::ptree> readMenu(const std::filesystem::path& file, MenuRewrite& failure) {
    pt::ptree tree;
    try {
        pt::read_xml(file.string(), tree, pt::xml_parser::trim_whitespace);
    } catch (const std::exception&) {
        failure = MenuRewrite::Unreadable;
        return std::nullopt;
    }
    if (!tree.get_child_optional(kMenuPath)) {
        failure = MenuRewrite::NoMenu;
        return std::nullopt;
    }
    return tree;
}

bool isItemNamed(const pt::ptree::value_type& child, std::string_view name) {
    if (child.first != kItemElement) {
        return false;
    }
    const auto itemName = child.second.get_optional<std::string>(kNameAttribute);
    return itemName && *itemName == name;
}

pt::ptree::iterator findItem(pt::ptree& menu, std::string_view name) {
    for (auto it = menu.begin(); it != menu.end(); ++it) {
        if (isItemNamed(*it, name)) {
            return it;
        }
    }
    return menu.end();
}

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the tree to a temporary file beside `file`, flushes it to disk and renames it over
// `file`; on any failure the temporary file is removed and `file` is untouched.
MenuRewrite writeMenu(const std::filesystem::path& file, const pt::ptree& tree) {
    std::string content;
    try {
        std::ostringstream out;
        pt::write_xml(out, tree, pt::xml_writer_make_settings<std::string>('\t', 1, "utf-8"));
        content = out.str();
        // The XML writer passes text through as it is, so a text it cannot carry (a NUL ends
        // the document for the reader) would leave a menu that no longer opens. What is about
        // to replace the menu must read back as the very tree that was meant.
        std::istringstream in(content);
        pt::ptree readBack;
        pt::read_xml(in, readBack, pt::xml_parser::trim_whitespace);
        if (readBack != tree) {
            return MenuRewrite::WriteFailed;
        }
    } catch (const std::exception&) {
        return MenuRewrite::WriteFailed;
    }
    std::filesystem::path temporary = file;
    temporary += ".rewrite";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return MenuRewrite::WriteFailed;
    }
    const bool written = writeAll(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    std::error_code error;
    if (written && closed) {
        std::filesystem::rename(temporary, file, error);
        if (!error) {
            return MenuRewrite::Written;
        }
    }
    std::filesystem::remove(temporary, error);
    return MenuRewrite::WriteFailed;
}

}  // namespace

MenuRewrite MenuDefinition::setItemText(std::string_view item, std::string_view text) const {
    return prepare({ItemText{std::string(item), std::string(text)}});
}

MenuRewrite MenuDefinition::prepare(const std::vector<ItemText>& texts) const {
    MenuRewrite failure = MenuRewrite::Unreadable;
    std::optional<pt::ptree> tree = readMenu(file_, failure);
    if (!tree) {
        return failure;
    }
    try {
        pt::ptree& menu = tree->get_child(kMenuPath);
        for (const ItemText& entry : texts) {
            const auto it = findItem(menu, entry.item);
            if (it != menu.end()) {
                it->second.put(kTextAttribute, entry.text);
            }
        }
    } catch (const std::exception&) {
        return MenuRewrite::WriteFailed;
    }
    return writeMenu(file_, *tree);
}

MenuRewrite MenuDefinition::fitCaptureItem(MenuHostMode mode) const {
    MenuRewrite failure = MenuRewrite::Unreadable;
    std::optional<pt::ptree> tree = readMenu(file_, failure);
    if (!tree) {
        return failure;
    }
    try {
        pt::ptree& menu = tree->get_child(kMenuPath);
        const auto capture = findItem(menu, kCaptureItem);
        const bool present = capture != menu.end();
        if (mode == MenuHostMode::PC) {
            if (!present) {
                return MenuRewrite::Unchanged;
            }
            menu.erase(capture);
        } else {
            if (present) {
                return MenuRewrite::Unchanged;
            }
            pt::ptree item;
            item.put(kNameAttribute, std::string(kCaptureItem));
            item.put(kTextAttribute, std::string(kCaptureText));
            menu.push_back({kItemElement, item});
        }
    } catch (const std::exception&) {
        return MenuRewrite::WriteFailed;
    }
    return writeMenu(file_, *tree);
}

}  // namespace orv

#pragma once
// One pop-up menu definition file (UTF-8 XML: root Window, one Menu, items MenuElement with the
// attributes name and text) and the two rewrites made before a menu is shown: item texts from
// the text store and the Capture item of the button-function menus.
//
// Every rewrite reads the whole file, changes the tree and writes the whole file back with one
// tab per level and the "utf-8" declaration; elements and attributes it does not touch pass
// through unchanged. Failures never escape: a missing or ill-formed file, or one without
// Window.Menu, is left as it is and nothing is created; the result says what happened.
// The file is replaced through a temporary file in the same folder, so a rewrite that is cut
// short leaves either the old or the new menu, never a partial one.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Host mode as the menu files see it; same values as the device layer's HostMode.
enum class MenuHostMode : std::uint8_t { NS = 0, PC = 1 };

enum class MenuRewrite {
    Written,      // the file was rewritten
    Unchanged,    // nothing to change; the file was not touched
    Unreadable,   // missing or not well-formed XML; not touched
    NoMenu,       // no Window.Menu element; not touched
    WriteFailed,  // the new content could not be written; the old file is still in place
};

class MenuDefinition {
public:
    struct ItemText {
        std::string item;  // value of the name attribute, compared byte for byte
        std::string text;  // UTF-8
    };

    // The item the button-function menus carry in NS mode only.
    static constexpr std::string_view kCaptureItem = "Cap";
    static constexpr std::string_view kCaptureText = "Capture";

    explicit MenuDefinition(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& file() const { return file_; }

    // Sets the text attribute of the first MenuElement of Window.Menu named `item`. When no
    // item has that name the file is still rewritten (same content, in the writer's layout).
    MenuRewrite setItemText(std::string_view item, std::string_view text) const;
    // The same as setItemText for each entry in order, with one read and one write.
    MenuRewrite prepare(const std::vector<ItemText>& texts) const;
    // NS: appends MenuElement name "Cap" text "Capture" at the end of Window.Menu when no item
    // is named "Cap". PC: removes the first item named "Cap". Unchanged (and the file not
    // touched) when the menu already fits the mode.
    MenuRewrite fitCaptureItem(MenuHostMode mode) const;

private:
    std::filesystem::path file_;
};

}  // namespace orv

// Pop-up menus built from menu files (docs/skin-format.md, "Menu files").
//
// A choice closes the menu and posts msg::MenuClick to the window of the owner's paint
// manager, wParam a MenuCommand allocated for it, which the owner releases with
// PaintManager::DeletePtr. Closing the menu without a choice posts nothing. Menus close and
// release themselves; a MenuHandle tells whether its menu is still open without touching a
// closed one.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/kit/Types.h"

namespace orv::kit {

class PaintManager;
class Control;

// Item name -> checked. Handed to every menu a window opens; the check state of the chosen
// item is read from it.
using MenuCheckMap = std::map<std::string, bool>;

struct MenuCommand {
    std::string name;      // "name" of the chosen MenuElement (UTF-8)
    std::string userData;  // "userdata" attribute, "" when absent
    std::string text;      // "text" of the item
    int checked = 0;       // 1 when the check map has the item checked

    // The record carried by a msg::MenuClick wParam.
    static MenuCommand* FromWParam(WParam wParam) {
        return reinterpret_cast<MenuCommand*>(wParam);  // NOLINT: message payload
    }
};

// Where the point lies relative to the menu; combine one horizontal and one vertical value.
namespace menu_align {
inline constexpr unsigned Left = 1;              // menu's left edge at the point
inline constexpr unsigned Top = 2;               // menu's top edge at the point
inline constexpr unsigned Right = 4;             // menu's right edge at the point
inline constexpr unsigned Bottom = 8;            // menu's bottom edge at the point
inline constexpr unsigned LeftTop = Left | Top;  // the usual value 6 maps here as well
}  // namespace menu_align

struct MenuState;

class MenuHandle {
public:
    MenuHandle() = default;
    // False once the menu closed (choice, dismissal, Close) or when never opened.
    bool IsOpen() const;
    // Closes the menu without a choice; nothing when already closed.
    void Close();
    // Names of the items, in file order (empty when closed).
    std::vector<std::string> ItemNames() const;
    // Called once when the menu closes, after any msg::MenuClick was posted.
    void OnClosed(std::function<void(bool chosen)> callback);

private:
    friend class Menu;
    friend class MenuWidget;
    std::weak_ptr<MenuState> state_;
};

class Menu {
public:
    // Opens the menu file (relative to the resource folder) at a screen point. ownerElement
    // may be null. Returns a closed handle when the file cannot be read (reason on stderr).
    static MenuHandle CreateMenu(Control* ownerElement, const std::string& menuFile,
                                 Point screenPoint, PaintManager* owner, MenuCheckMap* checks,
                                 unsigned align = menu_align::LeftTop);
    // Every menu currently open, most recent last.
    static std::vector<MenuHandle> OpenMenus();
    // Closes every open menu.
    static void CloseAll();
};

}  // namespace orv::kit

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

// Where the point lies relative to the menu. The windows' usual value 6 (and 0, 1, 2, 3) puts
// the menu's top-left corner at the point; RightEdge / BottomEdge put that edge there instead.
namespace menu_align {
inline constexpr unsigned LeftTop = 6;
inline constexpr unsigned RightEdge = 0x10;
inline constexpr unsigned BottomEdge = 0x20;
}  // namespace menu_align

// Where a menu of `size` opens for `anchor` (desktop pixels) so that it lies inside
// `available`: it is shifted left to stay inside the right edge, opens above the anchor when
// there is no room below (or is shifted up when there is no room above either), and never
// starts left of or above the area.
Rect PlaceMenu(Size size, Point anchor, unsigned align, const Rect& available);

struct MenuState;

class MenuHandle {
public:
    MenuHandle() = default;
    // False once the menu closed (choice, dismissal, Close) or when never opened.
    bool IsOpen() const;
    // Closes the menu without a choice; nothing when already closed.
    void Close();
    // Outer rectangle in logical screen coordinates (empty when closed).
    Rect GetRect() const;
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
    // Opens the menu file (relative to the resource folder) at a logical screen point, placed
    // by PlaceMenu inside the available area of the screen under the point; it answers the
    // mouse and the keys Up, Down, Home, End, Enter, Space and Escape. ownerElement may be
    // null. Returns a closed handle when the file cannot be read (reason on stderr).
    static MenuHandle CreateMenu(Control* ownerElement, const std::string& menuFile,
                                 Point screenPoint, PaintManager* owner, MenuCheckMap* checks,
                                 unsigned align = menu_align::LeftTop);
    // Every menu currently open, most recent last.
    static std::vector<MenuHandle> OpenMenus();
    // Closes every open menu.
    static void CloseAll();
};

}  // namespace orv::kit

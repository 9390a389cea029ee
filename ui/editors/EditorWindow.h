#pragma once
// Base of the three editors: a modal child of the main window bound to one skin, working on
// the context parts it was given, opening the colour's assignment menus and reporting to the
// main window (its parent) by MainWindowMessage codes.
//
// Menu choices arrive as MenuClickMessage and go to onMenuChoice; message 0x464, and a menu
// closing without a choice, refresh the button backgrounds. Mouse-hover messages stop here.

#include <string>

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "text/TextStore.h"
#include "ui/editors/EditorLooks.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/main/WindowMessages.h"

namespace orv {

// The editors' refresh request; nothing in the tool sends it, but the editors honour it.
inline constexpr unsigned EditorRefreshMessage = 0x464;

class EditorWindow : public kit::WindowImplBase {
public:
    // Creates the window as a dialog over `parent` under `title` and runs it modally; the
    // object belongs to its window from then on. Returns the Close result, -1 when the skin
    // could not be loaded (reason on stderr) or a quit ended the loop.
    static int Open(EditorWindow* editor, kit::WindowHandle parent, const std::string& title);

protected:
    EditorWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                 std::string skinFile, std::string className);

    std::string GetWindowClassName() const override { return className_; }
    std::string GetSkinFile() override { return skinFile_; }
    kit::LResult HandleCustomMessage(unsigned message, kit::WParam wParam, kit::LParam lParam,
                                     bool& handled) override;
    kit::LResult OnMouseHover(unsigned message, kit::WParam wParam, kit::LParam lParam,
                              bool& handled) override;

    virtual void onMenuChoice(const std::string& itemName) = 0;
    virtual void refreshBackgrounds() = 0;

    // Opens `menuFile` at a screen point for `target`; a dismissal refreshes the backgrounds.
    void openMenu(kit::Control* target, const std::string& menuFile, kit::Point screenPoint);
    // Posts MainWindowMessage `code` with `argument` to the parent.
    void postToParent(MainWindowCode code, kit::LParam argument = 0);
    // The button editors' closing: codes 20, 22, 24, in this order.
    void postClosingCodes();
    // Moves the window (keeping its size) next to the clicked cell of the parent.
    void placeNextToCell(editor::EditorKind kind);

    bool englishLanguage() const { return texts_.language == "english"; }
    std::uint32_t colour() const { return images_.currentProfile; }

    ProfileImages& images_;
    ProfileState& state_;
    const TextStore& texts_;
    kit::MenuCheckMap menuChecks_;

private:
    std::string skinFile_;
    std::string className_;
};

}  // namespace orv

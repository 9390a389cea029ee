#pragma once
// Opens one editor over a small parent window that stands in for the main window: it carries
// the main window's title, records every MainWindowMessage and CellRefreshMessage it receives
// (and whether it arrived while the editor was still handling the action, i.e. was sent), and
// answers CellRefreshMessage. The editor works on a fresh context and on a private copy of
// the built resources, whose menu files it may rewrite.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "text/TextStore.h"
#include "ui/kit/Menu.h"
#include "ui/kit/Types.h"
#include "ui/kit/testing/Driver.h"
#include "ui/kit/testing/ManualClock.h"

namespace orv::testing {

struct ParentMessage {
    unsigned message = 0;
    kit::WParam wParam = 0;
    kit::LParam lParam = 0;
    bool sent = false;             // arrived inside the editor's own handling
    std::string selectedItemName;  // the context's item name when it arrived
    bool operator==(const ParentMessage&) const = default;
};

enum class OpenedEditor { Function, LongPressSwitch, Stick };

class EditorHarness : public ::testing::Test {
protected:
    EditorHarness();
    ~EditorHarness() override;

    // Parent rectangle of the stand-in main window (1700 wide unless a test changes it).
    kit::Rect parentRect{100, 40, 1800, 940};
    // Open through openFunctionEditor & co. instead of the probed classes (no "sent" marks).
    bool usePublicOpeners = false;
    // Called on the UI thread after the parent logged a MainWindowMessage (code in wParam), so
    // a test can react as the main window does (open a confirmation, ...).
    std::function<void(kit::WParam code)> onCode;

    // Opens the editor modally over the parent and runs `script` beside it. The script gets
    // the editor's handle (kNoWindow fails the test). Whatever the script leaves open is
    // closed afterwards; messages the parent received are in received().
    void runEditor(OpenedEditor editor,
                   const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script);

    // What the parent received so far (UI thread: call from the script through the driver).
    std::vector<ParentMessage> received(kit::testing::Driver& driver) const;
    // Only the MainWindowMessage codes, in order.
    std::vector<kit::WParam> codes(kit::testing::Driver& driver) const;
    // Waits until the parent has at least `count` messages.
    bool waitForMessages(kit::testing::Driver& driver, std::size_t count) const;
    // Lets queued clicks and posted messages be handled.
    static void settle(kit::testing::Driver& driver);
    // Clicks `control`, waits for the menu it opens and chooses `item`; false if no menu.
    static bool chooseFromMenu(kit::testing::Driver& driver, kit::WindowHandle editor,
                               const std::string& control, const std::string& item);

    // A button record of factory-like values: every assignment the same code.
    static ButtonSetting record(FunctionCode code);
    // Puts `button` into slot `slot` of workingBlock and selects it; the factory record is
    // `factory`.
    void selectButton(std::uint32_t slot, const ButtonSetting& button,
                      const ButtonSetting& factory);
    // Reads a value of the context on the UI thread.
    template <typename T>
    T onUi(kit::testing::Driver& driver, const std::function<T()>& read) const {
        T value{};
        driver.OnUi([&] { value = read(); });
        return value;
    }

    // The user's copy of a menu file (made fresh from the resource copy first), which the
    // editors open and rewrite.
    std::string menuFilePath(const std::string& file) const;
    std::string readMenuFile(const std::string& file) const;
    // Adds an item named `item` to the end of the menu of the user's copy.
    void addMenuItem(const std::string& file, const std::string& item) const;
    std::string text(int id) const { return texts.text(id); }

    ProfileImages images;
    ProfileState state;
    TextStore texts;
    std::filesystem::path folder;  // private data folder: Resources/, user menu copies in menus/
    kit::testing::ManualClock uiClock;

private:
    std::vector<ParentMessage> log_;
};

}  // namespace orv::testing

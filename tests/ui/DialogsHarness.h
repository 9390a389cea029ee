#pragma once
// Opens one dialog modally over a small parent window that records every message it receives,
// from the real skins and texts of the build, while a driver script acts on the dialog.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "text/TextStore.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/testing/Driver.h"

namespace orv::testing {

struct ReceivedMessage {
    unsigned message = 0;
    kit::WParam wParam = 0;
    kit::LParam lParam = 0;
    bool dialogOpen = false;  // the dialog's window still existed when the parent handled it
};

// The stand-in main window: a bare skin, and a log of the messages addressed to it.
class RecordingParent : public kit::WindowImplBase {
public:
    explicit RecordingParent(std::string dialogTitle) : dialogTitle_(std::move(dialogTitle)) {}

    const std::vector<ReceivedMessage>& received() const { return received_; }

protected:
    std::string GetWindowClassName() const override { return "DialogsTestParentWnd"; }
    std::string GetSkinFile() override { return "LoadingForm.xml"; }
    kit::LResult HandleCustomMessage(unsigned message, kit::WParam wParam, kit::LParam lParam,
                                     bool& handled) override;

private:
    std::string dialogTitle_;
    std::vector<ReceivedMessage> received_;
};

class DialogsHarness : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    DialogsHarness();
    ~DialogsHarness() override;

    // Creates the parent, runs open(parent) on the UI thread (it shows the dialog modally and
    // returns once it is closed) while script(driver, dialog) acts on the window titled
    // `title`. Returns what the parent received, in order. `modalResult` gets open's result.
    std::vector<ReceivedMessage> run(
        const std::string& title, const std::function<int(kit::WindowHandle)>& open,
        const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script,
        int* modalResult = nullptr);

    // Sets the contents of an Edit as a program would (UI thread, from a script).
    static void setEditText(kit::testing::Driver& driver, kit::WindowHandle window,
                            const std::string& edit, const std::string& text) {
        setEditAttribute(driver, window, edit, "text", text);
    }
    static void setEditAttribute(kit::testing::Driver& driver, kit::WindowHandle window,
                                 const std::string& edit, const std::string& attribute,
                                 const std::string& value);
    // Waits (bounded) until the named Edit holds the window's keyboard focus.
    static bool waitForFocus(kit::testing::Driver& driver, kit::WindowHandle window,
                             const std::string& edit);

    static TextStore& texts();
};

}  // namespace orv::testing

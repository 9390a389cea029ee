// The two naming dialogs: the proposed name, the focus in the edit box, the refused empty name
// and what an accepted name leaves in the context.
#include "DialogsHarness.h"
#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "ui/dialogs/NewProfileNameForm.h"
#include "ui/dialogs/RenameForm.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

class DialogsNamingTest : public DialogsHarness {
protected:
    std::function<int(kit::WindowHandle)> openNewProfileName() {
        return [this](kit::WindowHandle parent) {
            return DialogWindow::Open(new NewProfileNameForm(texts(), profile, images), parent,
                                      title::NewProfileNameForm);
        };
    }
    std::function<int(kit::WindowHandle)> openRename() {
        return [this](kit::WindowHandle parent) {
            return DialogWindow::Open(new RenameForm(texts(), profile), parent, title::RenameForm);
        };
    }

    ProfileState profile;
    ProfileImages images;
};

bool isOpen(kit::testing::Driver& d, kit::WindowHandle window) {
    bool open = false;
    d.OnUi([&] { open = kit::IsWindow(window); });
    return open;
}

TEST_F(DialogsNamingTest, NewProfileNameProposesTheSlotAndHasTheFocus) {
    images.currentProfile = 6;
    const auto received =
        run(title::NewProfileNameForm, openNewProfileName(),
            [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                EXPECT_EQ(d.GetText(dialog, "RenameEdit"), "PROFILE6");
                EXPECT_TRUE(waitForFocus(d, dialog, "RenameEdit"));
                EXPECT_EQ(d.GetText(dialog, "PromptInforLabel"), texts().text(61));
                EXPECT_EQ(d.GetText(dialog, "OKBtn"), texts().text(41));
                EXPECT_EQ(d.GetText(dialog, "CancelBtn"), texts().text(42));
                EXPECT_FALSE(texts().text(61).empty());
                // Typing goes where the focus is: after the proposal.
                EXPECT_TRUE(d.TypeText(dialog, "RenameEdit", "x"));
                d.Click(dialog, "OKBtn");
                EXPECT_TRUE(d.WaitForWindowGone(dialog));
            });
    EXPECT_EQ(profile.enteredName, "PROFILE6x");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, MainWindowMessage);
    EXPECT_EQ(received[0].wParam, static_cast<kit::WParam>(MainWindowCode::NamingConfirmed));
}

TEST_F(DialogsNamingTest, RenameStartsEmptyWithTheFocusInTheBox) {
    profile.enteredName = "earlier";
    const auto received = run(title::RenameForm, openRename(),
                              [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                                  EXPECT_EQ(d.GetText(dialog, "RenameEdit"), "");
                                  EXPECT_TRUE(waitForFocus(d, dialog, "RenameEdit"));
                                  d.Click(dialog, "CancelBtn");
                                  EXPECT_TRUE(d.WaitForWindowGone(dialog));
                              });
    EXPECT_TRUE(received.empty()) << "cancel in the rename dialog only closes";
    EXPECT_EQ(profile.enteredName, "earlier");
}

TEST_F(DialogsNamingTest, AnEmptyNameIsRefusedWithAWarningOwnedByTheDialog) {
    images.currentProfile = 3;
    profile.enteredName = "earlier";
    for (const bool rename : {false, true}) {
        SCOPED_TRACE(rename ? "RenameForm" : "NewProfileNameForm");
        kit::WindowHandle dialogHandle = kit::kNoWindow;
        std::vector<kit::MessageBoxRequest> boxes;
        const auto received = run(rename ? title::RenameForm : title::NewProfileNameForm,
                                  rename ? openRename() : openNewProfileName(),
                                  [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                                      dialogHandle = dialog;
                                      setEditText(d, dialog, "RenameEdit", "");
                                      d.Click(dialog, "OKBtn");
                                      EXPECT_TRUE(d.WaitForMessageBox(1));
                                      d.Pump(std::chrono::milliseconds(50));
                                      EXPECT_TRUE(isOpen(d, dialog));
                                      EXPECT_EQ(d.GetText(dialog, "RenameEdit"), "");
                                      boxes = d.MessageBoxes();
                                      // The user may type again: the dialog still accepts a name.
                                      EXPECT_TRUE(d.TypeText(dialog, "RenameEdit", "Second"));
                                      d.Click(dialog, "OKBtn");
                                      EXPECT_TRUE(d.WaitForWindowGone(dialog));
                                  });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].owner, dialogHandle);
        EXPECT_EQ(boxes[0].text, texts().text(NamingDialog::kEmptyNameText));
        EXPECT_EQ(boxes[0].caption, texts().text(NamingDialog::kEmptyNameCaption));
        EXPECT_FALSE(boxes[0].text.empty());
        EXPECT_EQ(boxes[0].icon, kit::MessageBoxIcon::Warning);
        // Only the accepted name was reported.
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].wParam,
                  static_cast<kit::WParam>(rename ? MainWindowCode::RenameProfile
                                                  : MainWindowCode::NamingConfirmed));
        EXPECT_EQ(profile.enteredName, "Second");
        profile.enteredName = "earlier";
    }
}

TEST_F(DialogsNamingTest, NamesAreAcceptedExactlyAsTyped) {
    // The dialog itself imposes no limit; the shipped skin's edit box keeps 20 characters.
    const std::string fifty(50, 'N');
    struct Case {
        std::string typed;
        const char* maxchar;  // nullptr: as the skin has it
        std::string accepted;
    };
    const Case cases[] = {
        {"   ", nullptr, "   "},
        {" Ａｂ名前 ", nullptr, " Ａｂ名前 "},
        {fifty, "100", fifty},
        {fifty, nullptr, fifty.substr(0, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("[" + c.typed + "] maxchar " + (c.maxchar ? c.maxchar : "of the skin"));
        const auto received =
            run(title::RenameForm, openRename(),
                [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                    if (c.maxchar != nullptr) {
                        setEditAttribute(d, dialog, "RenameEdit", "maxchar", c.maxchar);
                    }
                    EXPECT_TRUE(d.TypeText(dialog, "RenameEdit", c.typed));
                    d.Click(dialog, "OKBtn");
                    EXPECT_TRUE(d.WaitForWindowGone(dialog));
                });
        EXPECT_EQ(profile.enteredName, c.accepted);
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].message, MainWindowMessage);
        EXPECT_EQ(received[0].wParam, static_cast<kit::WParam>(MainWindowCode::RenameProfile));
    }
}

TEST_F(DialogsNamingTest, CancelInTheNewProfileDialogGoesBackToTheProfileDialog) {
    images.currentProfile = 1;
    const auto received = run(title::NewProfileNameForm, openNewProfileName(),
                              [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                                  d.Click(dialog, "CancelBtn");
                                  EXPECT_TRUE(d.WaitForWindowGone(dialog));
                              });
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, static_cast<kit::WParam>(MainWindowCode::NamingCancelled));
    EXPECT_EQ(profile.enteredName, "");
}

}  // namespace
}  // namespace orv::testing

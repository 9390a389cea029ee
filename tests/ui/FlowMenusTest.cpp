// The main window's menus and hot keys: the File, Help and Language menus, the import and
// export gates with real settings files, the language switch and the Alt keys.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "FlowHarness.h"
#include "profile/ControllerBackup.h"
#include "profile/ProfileModel.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
constexpr auto kA = static_cast<std::size_t>(ButtonSlot::A);

class FlowMenusTest : public FlowHarness {
protected:
    bool chooseFromFileMenu(Driver& d, kit::WindowHandle main, const std::string& item) {
        d.Click(main, "FileMenuBtn");
        return d.WaitUntil([&] { return d.IsMenuOpen(); }) && d.ChooseMenuItem(item);
    }
};

TEST_F(FlowMenusTest, RenameImportAndExportWithoutAChosenProfileOnlyWarn) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        const DeviceSettingsBlock working = context->images.workingBlock;
        const std::string firstName = d.GetText(main, "ProFileBtn1");
        std::size_t boxes = 0;
        for (const char* item : {"RenameBtn", "ImportMenuBtn", "ExportMenuBtn"}) {
            SCOPED_TRACE(item);
            ASSERT_TRUE(chooseFromFileMenu(d, main, item));
            ASSERT_TRUE(d.WaitForMessageBox(++boxes));
        }
        for (const auto& box : d.MessageBoxes()) {
            EXPECT_EQ(box.text, context->text.text(79));
            EXPECT_EQ(box.caption, context->text.text(77));
            EXPECT_EQ(box.icon, kit::MessageBoxIcon::Warning);
            EXPECT_EQ(box.owner, main);
        }
        // No naming dialog was offered, so no typed name can vanish.
        EXPECT_EQ(requestsOf(d, title::RenameForm), 0u);
        kit::WindowHandle renameWindow = kit::kNoWindow;
        d.OnUi([&] { renameWindow = kit::FindWindow(title::RenameForm); });
        EXPECT_EQ(renameWindow, kit::kNoWindow);
        EXPECT_TRUE(d.FileDialogs().empty());
        EXPECT_FALSE(std::filesystem::exists(scratch / "home" / "Desktop" / "ProfileData"));
        EXPECT_EQ(context->images.workingBlock, working);
        EXPECT_EQ(d.GetText(main, "ProFileBtn1"), firstName);
    });
}

TEST_F(FlowMenusTest, RenameFromTheMenuWithAChosenProfileOpensTheNamingDialog) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 3));
        ASSERT_TRUE(chooseFromFileMenu(d, main, "RenameBtn"));
        const kit::WindowHandle rename = d.WaitForWindow(title::RenameForm);
        ASSERT_NE(rename, kit::kNoWindow);
        EXPECT_TRUE(d.MessageBoxes().empty());
        d.Click(rename, "CancelBtn");
        EXPECT_TRUE(d.WaitForWindowGone(rename));
    });
}

TEST_F(FlowMenusTest, ExportThenImportMovesAProfileBetweenSlots) {
    const std::string exported = (scratch / "moved.db").string();
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        // Profile 2 as the controller holds it, with its own name and A giving B.
        DeviceSettingsBlock source = context->images.nsProfiles[1];
        ButtonSetting a = source.button(kA);
        a.SDownPos = 5;
        source.setButton(kA, a);
        d.OnUi([&] { context->images.nsProfiles[1] = source; });
        ASSERT_TRUE(editProfile(d, main, 2));
        d.QueueFileDialogAnswer(exported);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "ExportMenuBtn"));
        ASSERT_TRUE(d.WaitUntil([&] { return d.FileDialogs().size() == 1; }));
        d.Pump(20ms);
        d.OnUi([] {});
        const kit::FileDialogRequest save = d.FileDialogs()[0];
        EXPECT_EQ(save.mode, kit::FileDialogRequest::Mode::Save);
        EXPECT_EQ(save.defaultExtension, "db");
        // One filter that reads like the product: "Settings files (*.db)".
        ASSERT_EQ(save.filters.size(), 1u);
        EXPECT_EQ(save.filters[0].description, "Settings files");
        EXPECT_EQ(save.filters[0].patterns, std::vector<std::string>{"*.db"});
        EXPECT_EQ(save.initialFileName, readProfileName(source));
        EXPECT_EQ(std::filesystem::path(save.initialFolder),
                  scratch / "home" / "Desktop" / "ProfileData" / "NS");
        EXPECT_TRUE(std::filesystem::exists(exported));

        // Back to the overview, then into profile 5 and import the file there.
        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        const DeviceSettingsBlock before = context->images.nsProfiles[4];
        ASSERT_TRUE(editProfile(d, main, 5));
        d.QueueFileDialogAnswer(exported);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "ImportMenuBtn"));
        ASSERT_TRUE(d.WaitUntil([&] { return d.GetText(main, "ProFileBtn5") == "moved"; }));
        const kit::FileDialogRequest open = d.FileDialogs()[1];
        EXPECT_EQ(open.mode, kit::FileDialogRequest::Mode::Open);
        EXPECT_EQ(std::filesystem::path(open.initialFolder),
                  scratch / "home" / "Desktop" / "ProfileData" / "NS");
        EXPECT_EQ(context->images.nsProfiles[4].button(kA).SDownPos, 5);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "default_b.png");
        EXPECT_TRUE(d.MessageBoxes().empty());

        // Leaving without saving puts the slot's own image back.
        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        EXPECT_EQ(context->images.nsProfiles[4], before);
        EXPECT_EQ(d.GetText(main, "ProFileBtn5"), readProfileName(before));
    });
}

TEST_F(FlowMenusTest, BackUpAndRestoreTheWholeControllerFromTheFileMenu) {
    const std::string backupFile = (scratch / "all.orvbackup").string();
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.QueueFileDialogAnswer(backupFile);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "BackupMenuBtn"));
        ASSERT_TRUE(d.WaitForMessageBox(1));
        EXPECT_EQ(d.MessageBoxes()[0].text, context->text.text(kBackupDoneText));
        EXPECT_EQ(d.MessageBoxes()[0].caption, context->text.text(kBackupCaptionText));
        EXPECT_EQ(d.FileDialogs()[0].mode, kit::FileDialogRequest::Mode::Save);
        EXPECT_EQ(d.FileDialogs()[0].defaultExtension, "orvbackup");

        // The controller changes behind the window's back; the restore puts the backup back.
        DeviceSettingsBlock changed = controller->permanentImage(HostMode::PC, 3);
        writeProfileName(changed, "Elsewhere");
        controller->setImage(HostMode::PC, 3, changed);
        d.QueueFileDialogAnswer(backupFile);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "RestoreMenuBtn"));
        ASSERT_TRUE(d.WaitForMessageBox(2));
        EXPECT_EQ(d.MessageBoxes()[1].text, context->text.text(kRestoreDoneText));
        EXPECT_EQ(readProfileName(controller->permanentImage(HostMode::PC, 3)), "PROFILE4");

        // A damaged file is refused and nothing is written.
        const std::string damaged = (scratch / "damaged.orvbackup").string();
        {
            std::ofstream junk(damaged, std::ios::binary);
            junk << "not a backup";
        }
        const std::size_t writes = controller->framesReceived(vendor::Command::WriteProfile);
        d.QueueFileDialogAnswer(damaged);
        ASSERT_TRUE(chooseFromFileMenu(d, main, "RestoreMenuBtn"));
        ASSERT_TRUE(d.WaitForMessageBox(3));
        EXPECT_EQ(d.MessageBoxes()[2].text, context->text.text(kRestoreRefusedText));
        EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), writes);

        // Not while a profile is being edited.
        ASSERT_TRUE(editProfile(d, main, 1));
        ASSERT_TRUE(chooseFromFileMenu(d, main, "BackupMenuBtn"));
        ASSERT_TRUE(d.WaitForMessageBox(4));
        EXPECT_EQ(d.MessageBoxes()[3].text, context->text.text(kLeaveEditingFirstText));
        EXPECT_EQ(d.FileDialogs().size(), 3u);
    });
}

TEST_F(FlowMenusTest, CopyAndPasteChangeNothingAndExitAsksFirst) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 1));
        const DeviceSettingsBlock working = context->images.workingBlock;
        for (const char* item : {"CopyBtn", "PasteBtn"}) {
            ASSERT_TRUE(chooseFromFileMenu(d, main, item));
            d.Pump(20ms);
        }
        EXPECT_EQ(context->images.workingBlock, working);
        EXPECT_TRUE(d.MessageBoxes().empty());
        ASSERT_TRUE(chooseFromFileMenu(d, main, "ExitMenuBtn"));
        EXPECT_NE(d.WaitForWindow(title::ExitInquiryFrom), kit::kNoWindow);
        EXPECT_FALSE(quitRequested(d));
    });
}

TEST_F(FlowMenusTest, LanguageMenuRelabelsTheWindowAndKeepsUnsavedEdits) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        d.OnUi([&] {
            ButtonSetting a = context->images.workingBlock.button(kA);
            a.SDownPos = 7;
            context->images.workingBlock.setButton(kA, a);
        });
        d.Click(main, "LanguageBtn");
        ASSERT_TRUE(d.WaitUntil([&] { return d.IsMenuOpen(); }));
        ASSERT_TRUE(d.ChooseMenuItem("Japanese"));
        ASSERT_TRUE(d.WaitUntil([&] { return context->text.language == "japanese"; }));
        d.OnUi([] {});
        EXPECT_EQ(d.GetText(main, "LanguageBtn"), "日本語");
        // Relabelled in Japanese, still marked: the edit is not saved.
        EXPECT_EQ(d.GetText(main, "SaveBtn"), context->text.text(23) + " \u25CF");
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "default_x.png");
        EXPECT_EQ(context->images.workingBlock.button(kA).SDownPos, 7);
        EXPECT_EQ(context->profile.currentRecords[kA].SDownPos, 7);
    });
}

TEST_F(FlowMenusTest, AltKeysOpenTheMenusAndRunTheirItemsOnlyWhileOpen) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        // Alt+I with the File menu closed does nothing.
        d.PressKey(main, 'I', kit::mod::Alt);
        d.Pump(50ms);
        EXPECT_TRUE(d.MessageBoxes().empty());

        d.PressKey(main, 'H', kit::mod::Alt);
        ASSERT_TRUE(d.WaitUntil([&] { return d.IsMenuOpen(); }));
        EXPECT_EQ(d.MenuItems(), std::vector<std::string>{"HelpMenuBtn"});
        // Alt+F over the open Help menu replaces it by the File menu.
        d.PressKey(main, 'F', kit::mod::Alt);
        ASSERT_TRUE(d.WaitUntil([&] {
            const auto items = d.MenuItems();
            return !items.empty() && items.front() == "RenameBtn";
        }));
        std::size_t open = 0;
        d.OnUi([&] { open = kit::Menu::OpenMenus().size(); });
        EXPECT_EQ(open, 1u);
        // With the File menu open, Alt+I runs the import gate (no profile: the warning).
        d.PressKey(main, 'I', kit::mod::Alt);
        ASSERT_TRUE(d.WaitForMessageBox(1));
        EXPECT_EQ(d.MessageBoxes()[0].text, context->text.text(79));
        // Alt+A only with the Help menu open.
        d.OnUi([] { kit::Menu::CloseAll(); });
        d.PressKey(main, 'A', kit::mod::Alt);
        d.Pump(50ms);
        EXPECT_EQ(requestsOf(d, title::VersionForm), 0u);
        d.PressKey(main, 'H', kit::mod::Alt);
        ASSERT_TRUE(d.WaitUntil([&] { return d.IsMenuOpen(); }));
        d.PressKey(main, 'A', kit::mod::Alt);
        const kit::WindowHandle version = d.WaitForWindow(title::VersionForm);
        ASSERT_NE(version, kit::kNoWindow);
        d.OnUi([] { kit::Menu::CloseAll(); });
        d.Click(version, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(version));
    });
}

TEST_F(FlowMenusTest, HotKeysAreIgnoredWhileABlockingWindowIsOpen) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.Click(main, "ProFileIndex2");
        const kit::WindowHandle blocking = d.WaitForWindow(title::ProfileForm);
        ASSERT_NE(blocking, kit::kNoWindow);
        d.PressKey(main, 'F', kit::mod::Alt);
        d.Pump(50ms);
        EXPECT_FALSE(d.IsMenuOpen());
        d.Click(blocking, "CancelBtn");
        ASSERT_TRUE(d.WaitForWindowGone(blocking));
        d.PressKey(main, 'F', kit::mod::Alt);
        EXPECT_TRUE(d.WaitUntil([&] { return d.IsMenuOpen(); }));
        d.OnUi([] { kit::Menu::CloseAll(); });
    });
}

}  // namespace
}  // namespace orv::testing

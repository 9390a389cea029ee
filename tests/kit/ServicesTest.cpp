#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "KitTestSupport.h"
#include "ui/kit/FileDialog.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/PortalFileChooser.h"
#include "ui/kit/SingleInstanceLock.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"
#include "ui/kit/testing/FakeFilePortal.h"

namespace orv::kit {
namespace {

using test::Drain;
using test::RecordingWindow;

TEST(Services, MessageBoxesAndFileDialogsCanBeIntercepted) {
    testing::Driver driver;
    EXPECT_EQ(
        MessageBox(kNoWindow, "既にプログラムが起動している為", "注意", MessageBoxIcon::Warning),
        kIdOk);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "注意");
    EXPECT_EQ(driver.MessageBoxes()[0].icon, MessageBoxIcon::Warning);
    EXPECT_EQ(driver.MessageBoxes()[0].owner, kNoWindow);

    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filters = {{"Settings database", {"*.db"}}};
    request.defaultExtension = "db";
    request.initialFolder = "/tmp/ProfileData/NS";
    EXPECT_EQ(ShowFileDialog(request), std::nullopt) << "no queued answer: cancelled";
    driver.QueueFileDialogAnswer("/tmp/export.db");
    EXPECT_EQ(ShowFileDialog(request), std::optional<std::string>("/tmp/export.db"));
    ASSERT_EQ(driver.FileDialogs().size(), 2u);
    EXPECT_EQ(driver.FileDialogs()[1].defaultExtension, "db");
    EXPECT_TRUE(driver.FileDialogs()[1].overwritePrompt);
}

// With a desktop portal on the session bus the file dialogs are the desktop's own chooser:
// what the tool asks reaches the portal as a portal expects it, and the user's answer comes
// back as a local path (the default extension added to a typed name without one).
TEST(Services, FileDialogsAskTheDesktopPortalWhenOneRuns) {
    testing::FakeFilePortal portal;
    ASSERT_TRUE(portal.running()) << "dbus-daemon did not come up";
    FileDialogRequest request;
    request.title = "Import settings";
    request.filters = {{"Settings files", {"*.db"}}};
    request.defaultExtension = "db";
    request.initialFolder = "/tmp/ProfileData/NS";

    struct Case {
        FileDialogRequest::Mode mode;
        std::optional<std::string> answer;
        std::optional<std::string> expected;
        const char* method;
    };
    const Case cases[] = {
        {FileDialogRequest::Mode::Open, "file:///tmp/ProfileData/NS/racing.db",
         "/tmp/ProfileData/NS/racing.db", "OpenFile"},
        {FileDialogRequest::Mode::Save, "file:///tmp/ProfileData/NS/Racing%20two",
         "/tmp/ProfileData/NS/Racing two.db", "SaveFile"},
        {FileDialogRequest::Mode::Open, std::nullopt, std::nullopt, "OpenFile"},  // cancelled
    };
    for (const Case& c : cases) {
        request.mode = c.mode;
        request.initialFileName = c.mode == FileDialogRequest::Mode::Save ? "PROFILE1.db" : "";
        portal.QueueAnswer(c.answer);
        EXPECT_EQ(ShowFileDialog(request), c.expected) << c.method;
        ASSERT_FALSE(portal.Questions().empty());
        const testing::FakeFilePortal::Question& asked = portal.Questions().back();
        EXPECT_EQ(asked.method, c.method);
        EXPECT_EQ(asked.title, "Import settings");
        EXPECT_EQ(asked.currentFolder, "/tmp/ProfileData/NS");
        EXPECT_EQ(asked.currentName, request.initialFileName);
        EXPECT_TRUE(asked.modal);
        ASSERT_EQ(asked.filters.size(), 1u);
        EXPECT_EQ(asked.filters[0].description, "Settings files");
        EXPECT_EQ(asked.filters[0].patterns, std::vector<std::string>{"*.db"});
    }
    EXPECT_EQ(portal.Questions().size(), 3u);

    // A portal without a file chooser: the toolkit shows Qt's dialog instead (told apart here
    // without showing it). One portal per process: the race detector cannot see QtDBus's own
    // hand-overs to its connection thread once that thread runs.
    portal.RefuseCalls();
    EXPECT_FALSE(AskPortalFileChooser(request, nullptr).portalAnswered);
}

// Without a session bus nothing is asked (and nothing is started): Qt's dialog shows.
TEST(Services, WithoutASessionBusQtsDialogIsShown) {
    const char* saved = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string previous = saved != nullptr ? saved : "";
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string previousRuntime = runtime != nullptr ? runtime : "";
    ::setenv("XDG_RUNTIME_DIR", "/nonexistent", 1);
    EXPECT_FALSE(AskPortalFileChooser(FileDialogRequest{}, nullptr).portalAnswered);
    if (saved != nullptr) {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", previous.c_str(), 1);
    }
    if (runtime != nullptr) {
        ::setenv("XDG_RUNTIME_DIR", previousRuntime.c_str(), 1);
    } else {
        ::unsetenv("XDG_RUNTIME_DIR");
    }
}

TEST(Services, LanguageIdentifierFollowsTheOverride) {
    ::setenv("ORV_LANGID", "1041", 1);
    EXPECT_EQ(SystemLanguageId(), 1041);
    ::setenv("ORV_LANGID", "2057", 1);
    EXPECT_EQ(SystemLanguageId(), 2057);
    ::setenv("ORV_LANGID", "junk", 1);
    const std::uint16_t fromSystem = SystemLanguageId();
    EXPECT_NE(fromSystem, 0);
    ::unsetenv("ORV_LANGID");
    EXPECT_EQ(SystemLanguageId(), fromSystem);
}

TEST(Services, OnlyOneHolderOfTheInstanceLock) {
    const auto dir = test::ResourceFolder() / "locks";
    ::setenv("ORV_LOCK_DIR", dir.c_str(), 1);
    {
        SingleInstanceLock first("ORVFUNCTIONSETTOOL");
        SingleInstanceLock second("ORVFUNCTIONSETTOOL");
        EXPECT_TRUE(first.TryAcquire());
        EXPECT_FALSE(second.TryAcquire());
        SingleInstanceLock other("SOMETHINGELSE");
        EXPECT_TRUE(other.TryAcquire());
        first.Release();
        EXPECT_TRUE(second.TryAcquire());
    }
    SingleInstanceLock again("ORVFUNCTIONSETTOOL");
    EXPECT_TRUE(again.TryAcquire()) << "released when its holder went away";
    ::unsetenv("ORV_LOCK_DIR");
}

TEST(Services, MissingFontFileIsHarmless) {
    EXPECT_FALSE(
        AddApplicationFont((test::ResourceFolder() / "Font/TBUDGoStd-Regular.otf").string()));
    EXPECT_FALSE(IsFontFamilyAvailable("TBUDGoStd-Regular"));
}

TEST(Services, FoldersAreAbsolute) {
    EXPECT_EQ(ExecutableFolder().back(), '/');
    EXPECT_EQ(ExecutableFolder().front(), '/');
    ::setenv("ORV_DESKTOP", "/tmp/desk", 1);
    EXPECT_EQ(DesktopFolder(), "/tmp/desk");
    ::unsetenv("ORV_DESKTOP");
}

TEST(Services, HotKeysPostToTheirWindowWhileRegistered) {
    test::WriteResource("Keys.xml", R"(<Window size="100,100"><Control/></Window>)");
    std::vector<std::string> log;
    auto* w = new RecordingWindow("Keys.xml", &log);
    ASSERT_NE(w->Create(kNoWindow, "ORVMainWindow", style::Dialog, 0), kNoWindow);
    LParam lastParam = 0;
    w->onMessage = [&](RecordingWindow&, unsigned m, WParam, LParam l) {
        if (m == msg::HotKey) {
            lastParam = l;
        }
        return false;
    };
    ASSERT_TRUE(RegisterHotKey(w->GetHWND(), 0xC001, mod::Alt, 'F'));
    ASSERT_TRUE(RegisterHotKey(w->GetHWND(), 0xC001, mod::Alt, 'I'));
    EXPECT_FALSE(RegisterHotKey(w->GetHWND(), 0xC002, mod::Alt, 'F')) << "already taken";
    testing::Driver driver;
    log.clear();
    driver.PressKey(w->GetHWND(), 'I', mod::Alt);
    driver.PressKey(w->GetHWND(), 'Q', mod::Alt);  // not registered
    Drain();
    EXPECT_EQ(log, (std::vector<std::string>{"msg:786:49153"}));
    EXPECT_EQ(static_cast<unsigned>(lastParam) >> 16, static_cast<unsigned>('I'));
    UnregisterHotKey(w->GetHWND(), 0xC001);
    log.clear();
    driver.PressKey(w->GetHWND(), 'F', mod::Alt);
    Drain();
    EXPECT_TRUE(log.empty());
    w->DestroyWindow();
    Drain();
}

}  // namespace
}  // namespace orv::kit

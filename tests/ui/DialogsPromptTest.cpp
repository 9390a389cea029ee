// The prompt dialogs and the profile dialog: their texts from the store, and what each button
// reports to the parent before the dialog closes.
#include <functional>
#include <optional>

#include "DialogsHarness.h"
#include "ui/BuildVersion.h"
#include "ui/dialogs/HelpForm.h"
#include "ui/dialogs/ProfileForm.h"
#include "ui/dialogs/QuitEditPromptFrom.h"
#include "ui/dialogs/ResetDataFrom.h"
#include "ui/dialogs/SaveSuccessFrom.h"
#include "ui/dialogs/SaveTipsFrom.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

struct Button {
    const char* control;
    std::optional<MainWindowCode> code;  // none: closes without a message
    bool sent = false;                   // handled while the dialog is still open
};

struct PromptCase {
    const char* title;
    std::function<DialogWindow*(const TextStore&)> make;
    std::vector<DialogWindow::TextedControl> texts;
    std::vector<Button> buttons;
    std::vector<const char*> absent;  // controls the dialog must not have
};

const std::vector<PromptCase>& promptCases() {
    using C = MainWindowCode;
    static const std::vector<PromptCase> cases = {
        {title::QuitEditPromptFrom,
         [](const TextStore& t) { return new QuitEditPromptFrom(t); },
         {{"PromptInfoLabel1", 80}, {"OKBtn", 64}, {"CancelBtn", 65}},
         {{"OKBtn", C::LeaveProfile, true}, {"CancelBtn", std::nullopt}},
         {}},
        {title::ResetDataFrom,
         [](const TextStore& t) { return new ResetDataFrom(t); },
         {{"PromptInfoLabel", 75}, {"OKBtn", 64}, {"CancelBtn", 65}},
         {{"OKBtn", C::ResetToFactory, true}, {"CancelBtn", std::nullopt}},
         {}},
        {title::SaveTipsFrom,
         [](const TextStore& t) { return new SaveTipsFrom(t); },
         {{"PromptInfoLabel", 74}, {"OKBtn", 64}, {"CancelBtn", 65}},
         {{"OKBtn", C::SaveToDevice}, {"CancelBtn", std::nullopt}},
         {}},
        {title::SaveSuccessFrom,
         [](const TextStore& t) { return new SaveSuccessFrom(t); },
         {{"PromptInfoLabel", 72}, {"CancelBtn", 73}},
         {{"CancelBtn", C::LeaveProfile}},
         {"OKBtn"}},
        {title::VersionForm,
         [](const TextStore& t) { return new HelpForm(t); },
         {{"LicenceLabel", 311}, {"OKBtn", 73}},
         {{"closebtn", std::nullopt}, {"OKBtn", std::nullopt}},
         {}},
        {title::ProfileForm,
         [](const TextStore& t) { return new ProfileForm(t); },
         {{"CreateLabel", 55},
          {"EditLabel", 56},
          {"NewLabel", 57},
          {"NewProfileBtn", 58},
          {"EditProfileBtn", 59},
          {"CancelBtn", 60}},
         {{"NewProfileBtn", C::OpenNewProfileNameDialog},
          {"EditProfileBtn", C::EditProfile},
          {"CancelBtn", C::CancelProfileDialog}},
         {}},
    };
    return cases;
}

class DialogsPromptTest : public DialogsHarness {};

TEST_F(DialogsPromptTest, EveryButtonReportsItsCodeAndCloses) {
    for (const PromptCase& c : promptCases()) {
        for (const Button& button : c.buttons) {
            SCOPED_TRACE(std::string(c.title) + " " + button.control);
            bool closed = false;
            int result = -2;
            const auto received = run(
                c.title,
                [&](kit::WindowHandle parent) {
                    return DialogWindow::Open(c.make(texts()), parent, c.title);
                },
                [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                    EXPECT_TRUE(d.Click(dialog, button.control));
                    closed = d.WaitForWindowGone(dialog);
                },
                &result);
            EXPECT_TRUE(closed);
            EXPECT_EQ(result, 1);
            if (!button.code) {
                EXPECT_TRUE(received.empty());
                continue;
            }
            ASSERT_EQ(received.size(), 1u);
            EXPECT_EQ(received[0].message, MainWindowMessage);
            EXPECT_EQ(received[0].wParam, static_cast<kit::WParam>(*button.code));
            EXPECT_EQ(received[0].lParam, 0);
            if (button.sent) {
                EXPECT_TRUE(received[0].dialogOpen) << "a sent code is handled before closing";
            }
        }
    }
}

TEST_F(DialogsPromptTest, TextsComeFromTheStoreInTheCurrentLanguage) {
    for (const char* language : {"english", "japanese"}) {
        texts().language = language;
        for (const PromptCase& c : promptCases()) {
            SCOPED_TRACE(std::string(c.title) + " " + language);
            run(
                c.title,
                [&](kit::WindowHandle parent) {
                    return DialogWindow::Open(c.make(texts()), parent, c.title);
                },
                [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                    for (const auto& texted : c.texts) {
                        const std::string expected = texts().text(texted.textId);
                        EXPECT_FALSE(expected.empty()) << "text " << texted.textId;
                        EXPECT_EQ(d.GetText(dialog, texted.control), expected) << texted.control;
                    }
                    std::vector<std::string> missing{"no dialog"};
                    d.OnUi([&] {
                        if (auto* w = dynamic_cast<DialogWindow*>(kit::WindowFromHandle(dialog)))
                            missing = w->missingControls();
                    });
                    EXPECT_TRUE(missing.empty()) << missing.front();
                    for (const char* control : c.absent) {
                        EXPECT_FALSE(d.HasControl(dialog, control)) << control;
                    }
                });
        }
    }
}

TEST_F(DialogsPromptTest, AboutShowsTheBuildVersionAndTheNameOnce) {
    for (const char* language : {"english", "japanese"}) {
        texts().language = language;
        SCOPED_TRACE(language);
        run(
            title::VersionForm,
            [&](kit::WindowHandle parent) {
                return DialogWindow::Open(new HelpForm(texts()), parent, title::VersionForm);
            },
            [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
                const std::string line = d.GetText(dialog, "PromptInfoLabel");
                EXPECT_EQ(line, HelpForm::versionLine(texts(), kBuildVersion));
                EXPECT_NE(line.find(kBuildVersion), std::string::npos) << line;
                EXPECT_EQ(line.find("{version}"), std::string::npos) << line;
                EXPECT_EQ(line.find("ORV"), std::string::npos) << "the name shows once, above";
                EXPECT_FALSE(std::string(kBuildVersion).empty());
                const std::string licences = d.GetText(dialog, "LicenceLabel");
                for (const char* component :
                     {"Qt", "SQLite", "Boost", "hidapi", "libusb", "libudev", "Noto"}) {
                    EXPECT_NE(licences.find(component), std::string::npos) << component;
                }
            });
    }
}

TEST_F(DialogsPromptTest, OtherClicksLeaveThePromptOpen) {
    const auto received = run(
        title::SaveTipsFrom,
        [&](kit::WindowHandle parent) {
            return DialogWindow::Open(new SaveTipsFrom(texts()), parent, title::SaveTipsFrom);
        },
        [&](kit::testing::Driver& d, kit::WindowHandle dialog) {
            d.Click(dialog, "PromptInfoLabel");
            d.Pump(std::chrono::milliseconds(100));
            bool open = false;
            d.OnUi([&] { open = kit::IsWindow(dialog); });
            EXPECT_TRUE(open);
        });
    EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace orv::testing

// The directions pop-up: which skin a topic and a language give, and the window itself.
#include <optional>
#include <string>

#include "DialogsHarness.h"
#include "ui/dialogs/BtnDirectionsForm.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

TEST(DialogsDirections, SkinNamesFollowTopicAndLanguage) {
    struct Case {
        std::intptr_t topic;
        const char* language;
        std::optional<std::string> skin;
    };
    const Case cases[] = {
        {1000, "english", "StickLeftRightDirForm_english.xml"},
        {1001, "japanese", "StickDirectionDirForm_japanese.xml"},
        {1002, "dutch", "StickSensitivityDirForm_english.xml"},
        {1003, "german", "StickUnrAreaDirForm_english.xml"},
        {1004, "japanese", "BtnPressDirForm_japanese.xml"},
        {1005, "french", "BtnLongPressDirForm_english.xml"},
        {1006, "italian", "BtnTurboPressDirForm_english.xml"},
        {1007, "spanish", "BtnConDisableDirForm_english.xml"},
        {1008, "english", "BtnLPressFiveDirForm_english.xml"},
        {1008, "", "BtnLPressFiveDirForm_english.xml"},
        {999, "english", std::nullopt},
        {1009, "japanese", std::nullopt},
        {0, "english", std::nullopt},
        {-1000, "english", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(directionsSkinFor(c.topic, c.language), c.skin) << c.topic << " " << c.language;
    }
}

class DialogsDirectionsTest : public DialogsHarness {};

TEST_F(DialogsDirectionsTest, EveryTopicOpensInBothLanguagesAndClosebtnClosesIt) {
    for (std::intptr_t topic = kFirstDirectionsTopic; topic <= kLastDirectionsTopic; ++topic) {
        for (const char* language : {"english", "japanese"}) {
            SCOPED_TRACE(std::to_string(topic) + " " + language);
            int result = -2;
            const auto received = run(
                title::BtnDirectionsForm,
                [&](kit::WindowHandle parent) {
                    return BtnDirectionsForm::Show(parent, topic, language);
                },
                [&](kit::testing::Driver& d, kit::WindowHandle popup) {
                    EXPECT_TRUE(d.HasControl(popup, "closebtn"));
                    d.Click(popup, "closebtn");
                    EXPECT_TRUE(d.WaitForWindowGone(popup));
                },
                &result);
            EXPECT_EQ(result, 1);
            EXPECT_TRUE(received.empty());
        }
    }
}

TEST_F(DialogsDirectionsTest, AnUnknownTopicOpensNothing) {
    for (const std::intptr_t topic : {999, 1009}) {
        bool opened = true;
        kit::testing::Driver driver;
        driver.OnUi([&] {
            opened = BtnDirectionsForm::Show(kit::kNoWindow, topic, "english") != -1 ||
                     kit::FindWindow(title::BtnDirectionsForm) != kit::kNoWindow;
        });
        EXPECT_FALSE(opened) << topic;
    }
}

}  // namespace
}  // namespace orv::testing

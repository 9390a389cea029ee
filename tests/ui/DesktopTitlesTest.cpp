// The titles the desktop shows for the tool's windows: readable, in both languages, and never
// the lookup titles the windows find each other by.

#include <gtest/gtest.h>

#include <string>

#include "text/TextStore.h"
#include "ui/main/DesktopTitles.h"
#include "ui/main/WindowMessages.h"

namespace orv {
namespace {

TEST(DesktopTitles, EveryWindowReadsWellInBothLanguages) {
    TextStore texts;
    ASSERT_TRUE(texts.open(std::string(ORV_TEST_DATA_DIR) + "/MultiLingual.db"));
    const char* titles[] = {
        title::MainWindow,         title::LoadingForm,        title::ConnectionForm,
        title::InitFaileForm,      title::ExitInquiryFrom,    title::ProfileForm,
        title::NewProfileNameForm, title::RenameForm,         title::SaveTipsFrom,
        title::ResetDataFrom,      title::QuitEditPromptFrom, title::SaveSuccessFrom,
        title::VersionForm,        title::FunButtonForm,      title::LPressSwitchForm,
        title::StickSetForm,       title::TestSickAllForm,    title::LDownSwitchConfirmFrom,
        title::LPressToFunBtnComForm, title::BtnDirectionsForm,
    };
    for (const char* lookup : titles) {
        texts.language = "english";
        const std::string english = desktopTitle(texts, lookup);
        texts.language = "japanese";
        const std::string japanese = desktopTitle(texts, lookup);
        EXPECT_FALSE(english.empty()) << lookup;
        EXPECT_NE(english, lookup);
        EXPECT_NE(japanese, english) << lookup;
        EXPECT_FALSE(japanese.empty()) << lookup;
    }
    texts.language = "english";
    EXPECT_EQ(desktopTitle(texts, title::MainWindow), "ORV Function Set Tool");
    EXPECT_EQ(desktopTitle(texts, title::SaveTipsFrom), "Save profile \u2013 ORV Function Set Tool");
    texts.language = "japanese";
    EXPECT_EQ(desktopTitle(texts, title::MainWindow), "ORV 機能設定ツール");
    EXPECT_EQ(desktopTitle(texts, "NoSuchWindow"), "") << "unknown windows keep their own title";
}

}  // namespace
}  // namespace orv

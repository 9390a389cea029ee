#include "ui/main/DesktopTitles.h"

#include <array>
#include <string_view>

#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

struct TitleText {
    std::string_view lookupTitle;
    int textId;
};

constexpr int kToolName = 400;
constexpr std::array<TitleText, 25> kTitles = {{
    {title::MainWindow, kToolName},
    {title::LoadingForm, 401},
    {title::ConnectionForm, 402},
    {title::InitFaileForm, 402},
    {title::ExitInquiryFrom, 403},
    {title::ProfileForm, 404},
    {title::NewProfileNameForm, 405},
    {title::RenameForm, 406},
    {title::SaveTipsFrom, 407},
    {title::ResetDataFrom, 408},
    {title::QuitEditPromptFrom, 409},
    {title::SaveSuccessFrom, 410},
    {title::VersionForm, 411},
    {title::FunButtonForm, 412},
    {title::LPressSwitchForm, 413},
    {title::StickSetForm, 414},
    {title::TestSickAllForm, 415},
    {"TestForm", 415},
    {"TestSickLeftRightForm", 415},
    {"TestSickOtherForm", 415},
    {"ConDisableForm", 416},
    {title::LDownSwitchConfirmFrom, 413},
    {title::LPressToFunBtnComForm, 417},
    {title::BtnDirectionsForm, 418},
    {"MessageBox", kToolName},
}};

}  // namespace

int desktopTitleText(const std::string& lookupTitle) {
    for (const TitleText& entry : kTitles) {
        if (entry.lookupTitle == lookupTitle) {
            return entry.textId;
        }
    }
    return 0;
}

std::string desktopTitle(const TextStore& texts, const std::string& lookupTitle) {
    const int id = desktopTitleText(lookupTitle);
    if (id == 0) {
        return {};
    }
    const std::string purpose = texts.text(id);
    if (purpose.empty() || id == kToolName) {
        return purpose;
    }
    // A dialog says what it is for, then whose it is.
    const std::string tool = texts.text(kToolName);
    return tool.empty() ? purpose : purpose + " \u2013 " + tool;
}

}  // namespace orv

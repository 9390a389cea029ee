#pragma once
// The tool's own window messages, the command codes of MainWindowMessage and the titles by
// which windows find each other. The connection flow's numbers come from the device layer,
// which posts them.

#include <cstdint>

#include "device/MessageTarget.h"
#include "ui/kit/Messages.h"

namespace orv {

// A pop-up menu's choice; wParam is a kit::MenuCommand the receiver releases.
inline constexpr unsigned MenuClickMessage = kit::msg::MenuClick;  // 0x403
// An editor changed the selected cell's setting and left its item name in the context.
inline constexpr unsigned CellRefreshMessage = 0x532;
// The continuous-disable dialog's answer to the button function editor (1 confirm, 0 cancel).
inline constexpr unsigned FunctionEditorAnswerMessage = 0x533;

static_assert(ConnectResultMessage == 0x52F && QuitFromConnectionMessage == 0x531 &&
              MainWindowMessage == 0x534);

// wParam of MainWindowMessage: what a dialog, an editor or the connection flow asks of the
// main window.
enum class MainWindowCode : std::uintptr_t {
    OpenNewProfileNameDialog = 1,  // profile dialog: "NewProfileBtn"
    EditProfile = 2,               // profile dialog: "EditProfileBtn"
    OpenProfileDialog = 3,
    OpenNamingDialog = 4,
    NamingCancelled = 5,  // naming dialog: "CancelBtn"
    NamingConfirmed = 6,  // naming dialog: "OKBtn"
    SaveToDevice = 7,     // save confirmation: "OKBtn"
    ResetToFactory = 8,   // reset confirmation: "OKBtn" (sent)
    Quit = 9,
    OpenDirections = 10,  // lParam: topic 1000..1008
    LaunchTest = 11,      // lParam: test code 2001..2010
    ConfirmLongPressSwitch = 12,
    ConfirmBackToFunctionEditor = 13,
    SwitchToLongPressEditor = 14,
    SwitchToFunctionEditor = 15,
    CancelProfileDialog = 16,                          // profile dialog: "CancelBtn"
    ShowLoadingWindow = kShowLoadingWindowCode,        // 17, the connection worker at its start
    ShowConnectionPrompt = kShowConnectionPromptCode,  // 18
    LeaveProfile = 19,      // discard confirmation (sent), save-success dialog
    PaintCellsNormal = 20,  // an editor closes (first of three)
    RenameProfile = 21,     // rename dialog: "OKBtn"
    UpdateCellMarker = 22,  // an editor closes (second of three)
    MarkSelectedCell = 23,  // an editor opens
    RecomputeMarkers = 24,  // an editor closes (third of three)
    ExitConfirmed = 35,     // exit inquiry: "OKBtn"
};

// Window titles: every window is created with its title and found by it.
namespace title {
inline constexpr const char* MainWindow = "ORVMainWindow";
inline constexpr const char* LoadingForm = "Tavi7316LoadingForm";
inline constexpr const char* ConnectionForm = "ConnectionForm";
inline constexpr const char* InitFaileForm = "pInitFaileForm";
inline constexpr const char* ExitInquiryFrom = "ExitInquiryFrom";
inline constexpr const char* ProfileForm = "ProfileForm";
inline constexpr const char* NewProfileNameForm = "NewProfileNameForm";
inline constexpr const char* RenameForm = "RenameForm";
inline constexpr const char* SaveTipsFrom = "SaveTipsFrom";
inline constexpr const char* ResetDataFrom = "ResetDataFrom";
inline constexpr const char* QuitEditPromptFrom = "QuitEditPromptFrom";
inline constexpr const char* SaveSuccessFrom = "SaveSuccessFrom";
inline constexpr const char* VersionForm = "VersionForm";  // HelpForm
inline constexpr const char* FunButtonForm = "FunButtonForm";
inline constexpr const char* LPressSwitchForm = "LPressSwitchForm";
inline constexpr const char* StickSetForm = "StickSetForm";
inline constexpr const char* TestSickAllForm = "TestSickAllForm";
inline constexpr const char* LDownSwitchConfirmFrom = "LDownSwitchConfirmFrom";
inline constexpr const char* LPressToFunBtnComForm = "LPressToFunBtnComForm";
inline constexpr const char* BtnDirectionsForm = "BtnDirectionsForm";
}  // namespace title

}  // namespace orv

#pragma once
// How the main window opens the editors and their switch confirmations. Each call creates the
// window under its title, runs it modally and returns when it has closed (the Close result,
// -1 when its skin could not be loaded or a quit ended the loop). The editors work on the
// context parts given here, which must outlive the call; the skin follows texts.language.
//
// Before opening, the main window sets selectedSlot (0..17 for the button editors, 18/19 for
// the stick editor) and selectedDefaultRecord, as its cell click does.

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "text/TextStore.h"
#include "ui/kit/Types.h"

namespace orv {

// "FunButtonForm" over `mainWindow`.
int openFunctionEditor(kit::WindowHandle mainWindow, ProfileImages& images, ProfileState& state,
                       const TextStore& texts);
// "LPressSwitchForm" over `mainWindow`.
int openLongPressSwitchEditor(kit::WindowHandle mainWindow, ProfileImages& images,
                              ProfileState& state, const TextStore& texts);
// "StickSetForm" over `mainWindow`.
int openStickEditor(kit::WindowHandle mainWindow, ProfileImages& images, ProfileState& state,
                    const TextStore& texts);

// Code 12: "LDownSwitchConfirmFrom" over the window titled "FunButtonForm"; nothing (-1)
// when there is none. Its "OKBtn" posts code 14 to "ORVMainWindow".
int openLongPressSwitchConfirmation(const TextStore& texts);
// Code 13: "LPressToFunBtnComForm" over the window titled "LPressSwitchForm"; nothing (-1)
// when there is none. Its "OKBtn" posts code 15 to "ORVMainWindow".
int openBackToFunctionConfirmation(const TextStore& texts);

}  // namespace orv

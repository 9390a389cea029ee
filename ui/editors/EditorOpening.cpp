#include "ui/editors/EditorOpening.h"

#include "ui/editors/FunButtonWindow.h"
#include "ui/editors/LDownSwitchConfirmFrom.h"
#include "ui/editors/LPressSwitchWindow.h"
#include "ui/editors/LPressToFunBtnComForm.h"
#include "ui/editors/StickSetWindow.h"
#include "ui/kit/WindowSystem.h"

namespace orv {

int openFunctionEditor(kit::WindowHandle mainWindow, ProfileImages& images, ProfileState& state,
                       const TextStore& texts) {
    return EditorWindow::Open(
        new FunButtonWindow(images, state, texts,
                            texts.languageFileName(FunButtonWindow::kSkinBaseName)),
        mainWindow, FunButtonWindow::kTitle);
}

int openLongPressSwitchEditor(kit::WindowHandle mainWindow, ProfileImages& images,
                              ProfileState& state, const TextStore& texts) {
    return EditorWindow::Open(
        new LPressSwitchWindow(images, state, texts,
                               texts.languageFileName(LPressSwitchWindow::kSkinBaseName)),
        mainWindow, LPressSwitchWindow::kTitle);
}

int openStickEditor(kit::WindowHandle mainWindow, ProfileImages& images, ProfileState& state,
                    const TextStore& texts) {
    return EditorWindow::Open(
        new StickSetWindow(images, state, texts,
                           texts.languageFileName(StickSetWindow::kSkinBaseName)),
        mainWindow, StickSetWindow::kTitle);
}

int openLongPressSwitchConfirmation(const TextStore& texts) {
    const kit::WindowHandle editor = kit::FindWindow(FunButtonWindow::kTitle);
    if (editor == kit::kNoWindow) {
        return -1;
    }
    return DialogWindow::Open(new LDownSwitchConfirmFrom(texts), editor,
                              LDownSwitchConfirmFrom::kTitle);
}

int openBackToFunctionConfirmation(const TextStore& texts) {
    const kit::WindowHandle editor = kit::FindWindow(LPressSwitchWindow::kTitle);
    if (editor == kit::kNoWindow) {
        return -1;
    }
    return DialogWindow::Open(new LPressToFunBtnComForm(texts), editor,
                              LPressToFunBtnComForm::kTitle);
}

}  // namespace orv

#include "ui/editors/EditorWindow.h"

#include <cstdio>

#include "ui/kit/WindowSystem.h"

namespace orv {

EditorWindow::EditorWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                           std::string skinFile, std::string className)
    : images_(images),
      state_(state),
      texts_(texts),
      skinFile_(std::move(skinFile)),
      className_(std::move(className)) {}

int EditorWindow::Open(EditorWindow* editor, kit::WindowHandle parent, const std::string& title) {
    if (editor->Create(parent, title, kit::style::Dialog, kit::exstyle::WindowEdge) ==
        kit::kNoWindow) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), editor->GetCreateError().c_str());
    }
    // Also releases an editor whose window could not be made.
    return editor->ShowModal();
}

kit::LResult EditorWindow::HandleCustomMessage(unsigned message, kit::WParam wParam,
                                               kit::LParam /*lParam*/, bool& handled) {
    if (message == MenuClickMessage) {
        kit::MenuCommand* record = kit::MenuCommand::FromWParam(wParam);
        const std::string itemName = record != nullptr ? record->name : std::string();
        GetPaintManager().DeletePtr(record);
        onMenuChoice(itemName);
    } else if (message == EditorRefreshMessage) {
        refreshBackgrounds();
    }
    handled = false;
    return 0;
}

kit::LResult EditorWindow::OnMouseHover(unsigned /*message*/, kit::WParam /*wParam*/,
                                        kit::LParam /*lParam*/, bool& handled) {
    handled = true;
    return 0;
}

void EditorWindow::openMenu(kit::Control* target, const std::string& menuFile,
                            kit::Point screenPoint) {
    kit::MenuHandle menu =
        kit::Menu::CreateMenu(target, menuFile, screenPoint, &GetPaintManager(), &menuChecks_, 6);
    // The window may be gone by the time the menu closes; look it up by its handle.
    const kit::WindowHandle self = GetHWND();
    menu.OnClosed([self](bool chosen) {
        if (chosen) {
            return;  // the choice's own handling refreshes
        }
        if (auto* editor = dynamic_cast<EditorWindow*>(kit::WindowFromHandle(self))) {
            editor->refreshBackgrounds();
        }
    });
}

void EditorWindow::postToParent(MainWindowCode code, kit::LParam argument) {
    kit::PostMessage(GetParent(), MainWindowMessage, static_cast<kit::WParam>(code), argument);
}

void EditorWindow::postClosingCodes() {
    postToParent(MainWindowCode::PaintCellsNormal);
    postToParent(MainWindowCode::UpdateCellMarker);
    postToParent(MainWindowCode::RecomputeMarkers);
}

void EditorWindow::placeNextToCell(editor::EditorKind kind) {
    kit::Rect parentRect;
    if (kit::WindowImplBase* parent = kit::WindowFromHandle(GetParent())) {
        parentRect = parent->GetWindowRect();
    }
    const kit::Rect own = GetWindowRect();
    const kit::Point corner =
        editor::editorPosition(kind, state_.selectedSlot, englishLanguage(), parentRect);
    MoveWindow(corner.x, corner.y, own.Width(), own.Height());
}

}  // namespace orv

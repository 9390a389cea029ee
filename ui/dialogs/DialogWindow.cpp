#include "ui/dialogs/DialogWindow.h"

#include <cstdio>

namespace orv {

DialogWindow::DialogWindow(const TextStore& texts, std::string skinFile, std::string className,
                           std::vector<TextedControl> textedControls)
    : texts_(texts),
      skinFile_(std::move(skinFile)),
      className_(std::move(className)),
      textedControls_(std::move(textedControls)) {}

int DialogWindow::Open(DialogWindow* dialog, kit::WindowHandle parent, const std::string& title) {
    if (dialog->Create(parent, title, kit::style::Dialog, kit::exstyle::WindowEdge) ==
        kit::kNoWindow) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), dialog->GetCreateError().c_str());
    }
    // Also releases a dialog whose window could not be made.
    return dialog->ShowModal();
}

void DialogWindow::onWindowReady() {
    CenterWindow();
    ControlLookup lookup(GetPaintManager());
    std::vector<kit::Control*> texted;
    texted.reserve(textedControls_.size());
    for (const TextedControl& entry : textedControls_) {
        texted.push_back(lookup.find(entry.control));
    }
    bindControls(lookup);
    lookup.report(GetTitle());
    missing_ = lookup.missing();
    for (std::size_t i = 0; i < texted.size(); ++i) {
        setText(texted[i], texts_.text(textedControls_[i].textId));
    }
    afterReady();
}

}  // namespace orv

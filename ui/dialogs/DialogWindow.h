#pragma once
// The pattern every secondary window follows: one skin file, a title by which other windows
// find it, centred on its parent, its texts taken from the text store when it is ready, shown
// modally, and deleting itself when its window is destroyed.
//
// Usage: DialogWindow::Open(new SomeDialog(texts), parent, "SomeTitle"). From that call on the
// object belongs to its window; the caller must not touch it after Open returns.

#include <string>
#include <vector>

#include "text/TextStore.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/kit/WindowImplBase.h"

namespace orv {

class DialogWindow : public kit::WindowImplBase {
public:
    // A control that shows text `textId` of the store.
    struct TextedControl {
        const char* control;
        int textId;
    };

    // Creates the window with the dialog style over `parent` and runs it modally. Returns the
    // result given to Close, or -1 when the skin could not be loaded (reason on stderr) or the
    // loop ended by the quit message.
    static int Open(DialogWindow* dialog, kit::WindowHandle parent, const std::string& title);

    const std::vector<std::string>& missingControls() const { return missing_; }

protected:
    DialogWindow(const TextStore& texts, std::string skinFile, std::string className,
                 std::vector<TextedControl> textedControls);

    std::string GetWindowClassName() const override { return className_; }
    std::string GetSkinFile() override { return skinFile_; }
    // Centres on the parent, looks up the texted controls and bindControls' names, reports
    // what is missing, sets the texts, then runs afterReady.
    void onWindowReady() final;

    // Looks up the dialog's other controls (the texted ones are found already).
    virtual void bindControls(ControlLookup& /*lookup*/) {}
    virtual void afterReady() {}

    const TextStore& texts() const { return texts_; }

private:
    const TextStore& texts_;
    std::string skinFile_;
    std::string className_;
    std::vector<TextedControl> textedControls_;
    std::vector<std::string> missing_;
};

}  // namespace orv

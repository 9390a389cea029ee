#pragma once
// The loading cover shown while the connection worker runs: no controls of its own, placed
// over the main window below its 35-pixel title band. The connection handling closes it by
// finding it by title.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class LoadingForm : public DialogWindow {
public:
    static constexpr int kTitleBandHeight = 35;

    explicit LoadingForm(const TextStore& texts);

    // The cover of a parent with outer rectangle `parent`: same left and width, top 35 pixels
    // lower, 35 pixels shorter.
    static kit::Rect CoverRect(const kit::Rect& parent);

protected:
    void afterReady() override;
};

}  // namespace orv

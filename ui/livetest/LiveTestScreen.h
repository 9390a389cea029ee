#pragma once
// What every live test screen shares: a dialog whose timer 0 reads the controller's test
// reports on every tick, until the user closes it with "closebtn". Closing sends nothing to the
// controller. With play keys installed (the simulated controller) it shows their map in
// "KeyMapLabel", hands them key presses and releases, and lets go of all when it goes.

#include <string>
#include <vector>

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class LiveTestScreen : public DialogWindow {
public:
    static constexpr unsigned kTimerId = 0;
    ~LiveTestScreen() override;

protected:
    LiveTestScreen(const TextStore& texts, std::string skinFile, std::string className,
                   std::vector<TextedControl> textedControls, unsigned tickMs);

    void afterReady() override;
    kit::LResult HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) override;
    void Notify(kit::Notification& notification) override;

    // One period of the timer: read and show what the controller reports.
    virtual void tick() = 0;

private:
    unsigned tickMs_;
};

}  // namespace orv

#pragma once
// What a button cell's picture does not show: the cell image names the short press only, so
// a long press, turbo, continuous-disable or a long-press switch set on the button is told by
// a small mark drawn over the cell. Qt-free; the window puts the text into the cell's mark label.

#include <string>

#include "device/SettingRecords.h"

namespace orv {

class TextStore;

struct ExtraSettings {
    bool longPress = false;        // a long-press function is set
    bool turbo = false;            // a turbo function is set
    bool continuousDisable = false;
    bool longPressSwitch = false;  // the button works as a long-press switch (nothing else applies)
    bool operator==(const ExtraSettings&) const = default;
};

ExtraSettings extraSettingsOf(const ButtonSetting& button);

// The marks of a button in the current language, separated by spaces ("L T"); "" for none.
std::string extraMarksText(const ButtonSetting& button, const TextStore& texts);

// Text number of the legend that explains the marks.
inline constexpr int kExtraMarksLegendText = 310;

}  // namespace orv

#include "ui/main/CellExtraMarks.h"

#include "text/TextStore.h"

namespace orv {

namespace {

constexpr int kLongPressMarkText = 306;
constexpr int kTurboMarkText = 307;
constexpr int kContinuousDisableMarkText = 308;
constexpr int kLongPressSwitchMarkText = 309;
// Codes above the last function show as "none", like 31.
constexpr FunctionCode kLastFunction = 17;

bool isFunction(FunctionCode code) {
    return code <= kLastFunction;
}

}  // namespace

ExtraSettings extraSettingsOf(const ButtonSetting& button) {
    ExtraSettings extra;
    if (button.LSwitchFlag == 1) {
        extra.longPressSwitch = true;
        return extra;
    }
    extra.longPress = isFunction(button.LDownPos);
    extra.turbo = isFunction(button.TurboPos);
    extra.continuousDisable = button.ConDisable == 1;
    return extra;
}

std::string extraMarksText(const ButtonSetting& button, const TextStore& texts) {
    const ExtraSettings extra = extraSettingsOf(button);
    std::string marks;
    const auto add = [&](bool set, int textId) {
        if (set) {
            marks += (marks.empty() ? "" : " ") + texts.text(textId);
        }
    };
    add(extra.longPressSwitch, kLongPressSwitchMarkText);
    add(extra.longPress, kLongPressMarkText);
    add(extra.turbo, kTurboMarkText);
    add(extra.continuousDisable, kContinuousDisableMarkText);
    return marks;
}

}  // namespace orv

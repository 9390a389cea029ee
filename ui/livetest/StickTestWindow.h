#pragma once
// The stick test screens. Every 10 ms one test report is read; each stick whose raw X or Y
// changed since its last update moves its indicator ("pos" = "x,y,0,0", x and y 1..112 in a
// 112-unit field, 56 the centre). There is no stability filter: each tick shows the newest
// report. Closed by "closebtn".
//
// Kind All: title and skin "TestSickAllForm", class "TestSickAllFormClass", indicators
// "StickLeftBtn" and "StickRightBtn". Kind LeftRight: "TestSickLeftRightForm", the same two
// indicators. Kind Other: "TestSickOtherForm", one indicator "StickDirectionBtn" for both.
//
// The All screen also records the produced buttons like the button test (without its
// stability filter) in "ShowSetBtnLabel". On the Other screen, when both sticks changed in one
// tick the right stick's position is the one that stays.

#include <cstdint>
#include <string>

#include "device/ControllerState.h"
#include "device/PressHistory.h"
#include "device/SettingRecords.h"
#include "device/TestReport.h"
#include "ui/livetest/LiveTestScreen.h"

namespace orv {

class StickTestWindow : public LiveTestScreen {
public:
    enum class Kind { All, LeftRight, Other };
    static constexpr unsigned kTickMs = 10;

    static const char* titleOf(Kind kind);

    // stickTestKind 1..3 picks the Other screen's texts; any other value sets none.
    StickTestWindow(Kind kind, const TextStore& texts, DeviceLink& device, HostMode hostMode,
                    std::uint32_t stickTestKind = 0);

    // The buttons recorded (All screen only; empty on the others).
    const PressHistory& history() const { return history_; }

protected:
    void bindControls(ControlLookup& lookup) override;

    void tick() override;

private:
    void follow(StickSide side, kit::Control* indicator);

    Kind kind_;
    DeviceLink& device_;
    HostMode hostMode_;
    hid::Report report_{};
    testreport::StickRaw last_[2]{};  // per StickSide, (0, 0) at opening
    kit::Control* indicators_[2] = {nullptr, nullptr};
    kit::Control* label_ = nullptr;
    PressHistory history_;
};

}  // namespace orv

#pragma once
// The button test screen: every 5 ms it reads one test report and, once the last four reads
// agree byte for byte, shows the button the controller produced. A held button is recorded
// once; "ShowSetBtnLabel" lists the last five recorded, oldest first. Closed by "closebtn".

#include <array>
#include <cstdint>

#include "device/ControllerState.h"
#include "device/PressHistory.h"
#include "device/SettingRecords.h"
#include "profile/ProfileState.h"
#include "ui/livetest/LiveTestScreen.h"

namespace orv {

class TestForm : public LiveTestScreen {
public:
    static constexpr const char* kTitle = "TestForm";
    static constexpr unsigned kTickMs = 5;
    static constexpr std::size_t kStableRows = 4;

    // buttonTestKind 1..5 picks the texts (short press, long press, turbo, continuous
    // disable, long-press switch); another value sets none.
    TestForm(const TextStore& texts, DeviceLink& device, const ProfileState& profile,
             HostMode hostMode, std::uint32_t buttonTestKind);

    const PressHistory& history() const { return history_; }

protected:
    void bindControls(ControlLookup& lookup) override;

    void tick() override;

private:
    DeviceLink& device_;
    const ProfileState& profile_;
    HostMode hostMode_;
    kit::Control* label_ = nullptr;
    std::array<hid::Report, kStableRows + 1> rows_{};  // row 0 the newest read
    PressHistory history_;
};

}  // namespace orv

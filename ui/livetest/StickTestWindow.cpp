#include "ui/livetest/StickTestWindow.h"

#include <vector>

#include "device/ControllerDiscovery.h"
#include "ui/kit/Messages.h"
#include "ui/livetest/LaunchTest.h"

namespace orv {

namespace {

std::string skinOf(StickTestWindow::Kind kind) {
    return std::string(StickTestWindow::titleOf(kind)) + ".xml";
}

std::string classOf(StickTestWindow::Kind kind) {
    return std::string(StickTestWindow::titleOf(kind)) + "Class";
}

std::vector<DialogWindow::TextedControl> textsOf(StickTestWindow::Kind kind,
                                                 std::uint32_t stickTestKind) {
    using Kind = StickTestWindow::Kind;
    switch (kind) {
        case Kind::All:
            return {{"TitleLabel", 94},
                    {"DirectionsLabel", 95},
                    {"StickLeftLabel", 86},
                    {"StickRightLabel", 87}};
        case Kind::LeftRight:
            return {{"TitleLabel", 84},
                    {"DirectionsLabel", 85},
                    {"StickLeftLabel", 86},
                    {"StickRightLabel", 87}};
        case Kind::Other:
            if (stickTestKind >= 1 && stickTestKind <= 3) {
                const int title = 88 + 2 * static_cast<int>(stickTestKind - 1);
                return {{"TitleLabel", title}, {"DirectionsLabel", title + 1}};
            }
            return {};
    }
    return {};
}

std::string posValue(testreport::StickPoint point) {
    return std::to_string(point.x) + "," + std::to_string(point.y) + ",0,0";
}

}  // namespace

const char* StickTestWindow::titleOf(Kind kind) {
    switch (kind) {
        case Kind::All:
            return "TestSickAllForm";
        case Kind::LeftRight:
            return "TestSickLeftRightForm";
        case Kind::Other:
            return "TestSickOtherForm";
    }
    return "";
}

StickTestWindow::StickTestWindow(Kind kind, const TextStore& texts, DeviceLink& device,
                                 HostMode hostMode, std::uint32_t stickTestKind)
    : LiveTestScreen(texts, skinOf(kind), classOf(kind), textsOf(kind, stickTestKind), kTickMs),
      kind_(kind),
      device_(device),
      hostMode_(hostMode) {}

void StickTestWindow::bindControls(ControlLookup& lookup) {
    if (kind_ == Kind::Other) {
        indicators_[0] = indicators_[1] = lookup.find("StickDirectionBtn");
    } else {
        indicators_[0] = lookup.find("StickLeftBtn");
        indicators_[1] = lookup.find("StickRightBtn");
    }
    if (kind_ == Kind::All) {
        label_ = lookup.find("ShowSetBtnLabel");
    }
}

void StickTestWindow::tick() {
    report_.fill(0);
    if (!readReport(device_, report_, kTestReportReadTimeout) ||
        !testreport::isTestReport(report_)) {
        return;
    }
    if (kind_ == Kind::All) {
        if (const auto name = testreport::producedButton(report_, hostMode_)) {
            history_.push(*name);
        } else {
            history_.release();
        }
        setText(label_, history_.label());
    }
    follow(StickSide::Left, indicators_[0]);
    follow(StickSide::Right, indicators_[1]);
}

void StickTestWindow::follow(StickSide side, kit::Control* indicator) {
    const testreport::StickRaw raw = testreport::stickRaw(report_, hostMode_, side);
    testreport::StickRaw& last = last_[static_cast<std::size_t>(side)];
    if (raw == last) {
        return;
    }
    last = raw;
    setAttribute(indicator, "pos", posValue(testreport::stickPosition(raw, hostMode_)));
}

}  // namespace orv

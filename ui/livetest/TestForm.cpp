#include "ui/livetest/TestForm.h"

#include <algorithm>
#include <vector>

#include "device/ControllerDiscovery.h"
#include "device/TestReport.h"
#include "ui/kit/Messages.h"
#include "ui/livetest/LaunchTest.h"

namespace orv {

namespace {

std::vector<DialogWindow::TextedControl> textsOf(std::uint32_t kind) {
    switch (kind) {
        case 1:
            return {{"TitleLabel", 96}, {"DirTextLabel1", 97}};
        case 2:
            return {{"TitleLabel", 98}, {"DirTextLabel1", 99}, {"DirTextLabel2", 106}};
        case 3:
            return {{"TitleLabel", 100}, {"DirTextLabel1", 101}, {"DirTextLabel2", 107}};
        case 4:
            return {{"TitleLabel", 102}, {"DirTextLabel1", 103}, {"DirTextLabel2", 108}};
        case 5:
            return {{"TitleLabel", 104}, {"DirTextLabel1", 105}, {"DirTextLabel2", 109}};
        default:
            return {};
    }
}

}  // namespace

TestForm::TestForm(const TextStore& texts, DeviceLink& device, const ProfileState& profile,
                   HostMode hostMode, std::uint32_t buttonTestKind)
    : LiveTestScreen(texts, "TestBtnForm.xml", "TestFormWnd", textsOf(buttonTestKind), kTickMs),
      device_(device),
      profile_(profile),
      hostMode_(hostMode) {}

void TestForm::bindControls(ControlLookup& lookup) {
    label_ = lookup.find("ShowSetBtnLabel");
    for (const char* name : {"TitleLabel", "DirTextLabel1", "DirTextLabel2"}) {
        lookup.find(name);
    }
}

void TestForm::tick() {
    hid::Report& newest = rows_[0];
    newest.fill(0);
    if (!readReport(device_, newest, kTestReportReadTimeout)) {
        return;
    }
    std::copy_backward(rows_.begin(), rows_.end() - 1, rows_.end());
    // A change shows only once the last four reads agree.
    if (!std::all_of(rows_.begin() + 2, rows_.end(),
                     [&](const hid::Report& row) { return row == rows_[1]; })) {
        return;
    }
    if (profile_.testStreamArmed != 1 || !testreport::isTestReport(newest)) {
        return;
    }
    if (const auto name = testreport::producedButton(newest, hostMode_)) {
        history_.push(*name);
    } else {
        history_.release();
    }
    setText(label_, history_.label());
}

}  // namespace orv

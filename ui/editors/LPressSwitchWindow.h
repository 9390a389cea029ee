#pragma once
// The long-press switch editor: the five positions LSwitchPos1..5 and the time LSwitchTime of
// the button selected in the context. Every accepted change lands in editRecord, leaves in
// selectedItemName the item name of the first non-empty position ("nothing" when all five are
// empty), posts CellRefreshMessage to the parent and is committed into workingBlock.
//
// Messages to the parent, all posted: code 23 once the record is shown; "SwitchToFunBtn" code
// 13; "LPressDirBtn" code 10 topic 1008; "LPressTestBtn" code 11 test 2010; "closebtn" codes
// 20, 22, 24.

#include <array>

#include "ui/editors/EditorWindow.h"

namespace orv {

class LPressSwitchWindow : public EditorWindow {
public:
    static constexpr const char* kTitle = "LPressSwitchForm";
    static constexpr const char* kSkinBaseName = "LPressSwitchForm";
    static constexpr std::size_t kPositions = 5;

    // `skinFile`: "LPressSwitchForm" + the language suffix.
    LPressSwitchWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                       std::string skinFile);

protected:
    void onWindowReady() override;
    void Notify(kit::Notification& notification) override;
    void onMenuChoice(const std::string& itemName) override;
    void refreshBackgrounds() override;

private:
    void openPositionMenu(std::size_t position);
    void stepTime(bool plus);
    // The ending of every accepted change: item name, CellRefreshMessage, commit.
    void finishChange();
    std::array<std::uint8_t*, kPositions> positionFields();

    kit::Control* closeButton_ = nullptr;
    std::array<kit::Control*, kPositions> positionButtons_{};
    kit::Control* plusButton_ = nullptr;
    kit::Control* minusButton_ = nullptr;
    kit::Control* timeLabel_ = nullptr;

    std::string fieldName_;
    kit::Control* menuTarget_ = nullptr;
};

}  // namespace orv

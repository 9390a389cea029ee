#pragma once
// The stick settings editor: mode, rotation, sensitivity and dead zone of the stick selected
// in the context (selectedSlot 18 left, 19 right), each chosen from a menu of the profile
// colour. Every choice lands in editLeftStick / editRightStick and is committed into
// workingBlock at once. A mode choice leaves its item name in selectedItemName and sends
// CellRefreshMessage to the parent; closing posts code 24.

#include <array>

#include "ui/editors/EditorWindow.h"

namespace orv {

class StickSetWindow : public EditorWindow {
public:
    static constexpr const char* kTitle = "StickSetForm";
    static constexpr const char* kSkinBaseName = "StickSetForm";

    // `skinFile`: "StickSetForm" + the language suffix.
    StickSetWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                   std::string skinFile);

protected:
    void onWindowReady() override;
    void Notify(kit::Notification& notification) override;
    void onMenuChoice(const std::string& itemName) override;
    void refreshBackgrounds() override;

private:
    enum MenuButton : std::size_t { Mode, Rotation, Sensitivity, Deadzone, kMenuButtons };

    StickSetting* editedStick();
    void setHotImages();
    void openMenuOf(MenuButton button);

    kit::Control* closeButton_ = nullptr;
    std::array<kit::Control*, kMenuButtons> menuButtons_{};
    kit::Control* menuTarget_ = nullptr;
    int menuKind_ = 0;  // 1 mode, 2 rotation, 3 sensitivity, 4 dead zone: the last menu opened
};

}  // namespace orv

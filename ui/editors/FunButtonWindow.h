#pragma once
// The button function editor: short press, long press and its time, turbo and its setting,
// and continuous-disable with its time, of the button selected in the context. Every accepted
// change lands in editRecord and is committed into workingBlock at once.
//
// Messages to the parent (the main window): code 23 posted once the record is shown; a
// short-press change leaves its item name in selectedItemName and sends CellRefreshMessage;
// "LPressSwitch" posts code 12; directions post 10 (topics 1004..1007), tests 11 (2001..2004);
// "closebtn" posts 20, 22, 24. Turning continuous-disable on asks ConDisableForm first, whose
// answer arrives as FunctionEditorAnswerMessage.

#include <array>

#include "ui/editors/EditorWindow.h"

namespace orv {

class FunButtonWindow : public EditorWindow {
public:
    static constexpr const char* kTitle = "FunButtonForm";
    static constexpr const char* kSkinBaseName = "FunButtonForm";

    // `skinFile`: "FunButtonForm" + the language suffix.
    FunButtonWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                    std::string skinFile);

protected:
    kit::LResult HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) override;
    void onWindowReady() override;
    void Notify(kit::Notification& notification) override;
    void onMenuChoice(const std::string& itemName) override;
    void refreshBackgrounds() override;

private:
    enum Assignment : std::size_t { ShortPress, LongPress, Turbo, kAssignments };

    void showRecord();
    void prepareMenuFile();
    void openAssignmentMenu(Assignment which);
    void storeAssignment(const std::string& value);
    // One step of a time value; false (nothing changed) when refused.
    bool stepTime(const std::string& fieldName);
    // Continuous-disable on or off: record, check box and the turbo button together.
    void setContinuousDisable(bool on);
    void commit();

    std::array<kit::Control*, kAssignments> assignmentButtons_{};
    kit::Control* closeButton_ = nullptr;
    kit::Control* lDownPlus_ = nullptr;
    kit::Control* lDownMinus_ = nullptr;
    kit::Control* lDownTimeLabel_ = nullptr;
    kit::Control* turboPlus_ = nullptr;
    kit::Control* turboMinus_ = nullptr;
    kit::Control* turboTimeLabel_ = nullptr;
    kit::Control* conDisableOption_ = nullptr;
    kit::Control* conDisablePlus_ = nullptr;
    kit::Control* conDisableMinus_ = nullptr;
    kit::Control* conDisableTimeLabel_ = nullptr;
    kit::Control* longPressSwitch_ = nullptr;

    kit::Control* menuTarget_ = nullptr;
    std::string fieldName_;
};

}  // namespace orv

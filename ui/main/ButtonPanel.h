#pragma once
// The picture of the controller in the main window: 18 button cells in ButtonSlot order and
// two stick cells. Paints them by setting attributes from the context's images and records;
// keeps the list of cells that differ from the factory settings.

#include <array>
#include <cstdint>

#include "app/DeviceContext.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/main/CellImages.h"
#include "ui/main/NonDefaultCells.h"
#include "ui/main/ProfileMarks.h"

namespace orv {

class ButtonPanel {
public:
    ButtonPanel(DeviceContext& context, ProfileMarks& marks) : context_(context), marks_(marks) {}

    // Finds "J_LSB_P" .. "J_RSB_P", "LStickSetBtn" and "RStickSetBtn".
    void bind(ControlLookup& lookup);

    kit::Control* cell(std::size_t slot) const { return cells_[slot]; }
    kit::Control* leftStickCell() const { return leftStick_; }
    kit::Control* rightStickCell() const { return rightStick_; }
    // Slot 0..17 of a button cell; -1 for anything else.
    int slotOf(const kit::Control* control) const;

    // "mouse" of the stick cells, then of slots 0..17.
    void setCellsMouse(bool enabled);
    // The overview picture of the current host mode (resets the mode's last profile to 0).
    void showControllerLayout();
    // Works out which cells and sticks of workingBlock differ from the factory records, paints
    // them in their non-default look and marks the current profile when anything differs.
    void recomputeMarkers();
    // The marker of button selectedSlot after an edit (nothing for a stick or no selection).
    void updateCellMarker();

    NonDefaultCells& nonDefaultCells() { return nonDefault_; }

private:
    void apply(kit::Control* control, const AttributeList& attributes);
    void updateStickMarker(kit::Control* cell, const StickSetting& edited,
                           const StickSetting& factory);
    std::string text(int id) const { return context_.text.text(id); }

    DeviceContext& context_;
    ProfileMarks& marks_;
    std::array<kit::Control*, kButtonSlotCount> cells_{};
    kit::Control* leftStick_ = nullptr;
    kit::Control* rightStick_ = nullptr;
    NonDefaultCells nonDefault_;
};

}  // namespace orv

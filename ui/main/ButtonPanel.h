#pragma once
// The picture of the controller in the main window: 18 button cells in ButtonSlot order and
// two stick cells. Paints them by setting attributes from the context's images and records;
// keeps the list of cells that differ from the factory settings.

#include <array>
#include <cstdint>

#include "context/DeviceContext.h"
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

    // Full repaint of the profile on screen. Needs both profile lists to hold six images (else
    // nothing). Copies the current profile's stored image into workingBlock unless
    // `keepWorkingBlock` is set, which it clears (a language change keeps unsaved edits).
    void paintProfileCells(bool& keepWorkingBlock);
    // Every button cell and both stick cells in their normal look, from workingBlock.
    void paintCellsNormal();
    // The selected look on the cell of button selectedSlot; nothing for a stick or none.
    void markSelectedCell();
    // The selected look on the cell of button `slot` (the editor of that cell opens).
    void markCellSelected(std::size_t slot);
    // The selected look on a stick cell (its editor opens).
    void markStickSelected(kit::Control* stickCell);
    // Relabels `cell` (the cell whose editor just changed it) after selectedItemName; nothing
    // for null.
    void refreshSelectedCell(kit::Control* cell);
    // The Home cell as the empty cell, as a PC factory reset leaves it.
    void drawHomeCellEmpty();

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

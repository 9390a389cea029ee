// One element of a window's control tree, built from a skin (docs/skin-format.md).
//
// Every property is a string attribute with the meaning the skin format gives it; the typed
// helpers below are shorthands for the same attributes. Setting an attribute to the value it
// already has does nothing at all (no repaint, no relayout). Controls are owned by their
// window's PaintManager; pointers stay valid until the window is destroyed.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/kit/Types.h"

namespace orv::kit {

class PaintManager;

class Control {
public:
    // className is the skin element name: "Control", "Label", "Text", "Button", "Option",
    // "CheckBox", "Edit", "HorizontalLayout", "VerticalLayout".
    explicit Control(std::string className);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& GetClass() const { return className_; }
    std::string GetName() const { return GetAttribute("name"); }

    // Any attribute of the skin format; unknown names are stored and readable but unused.
    // UI thread; called from another thread the change is queued to the UI thread and dropped
    // if the window is gone by then. (Everything else on a control is UI thread only.)
    void SetAttribute(std::string_view name, std::string_view value);
    // "" when never set (and no Default of the skin supplies it).
    std::string GetAttribute(std::string_view name) const;
    bool HasAttribute(std::string_view name) const;

    // "text"; for an Edit the current contents of the line edit.
    std::string GetText() const;
    void SetText(std::string_view text) { SetAttribute("text", text); }

    bool IsVisible() const;  // own "visible" attribute (not the parents')
    void SetVisible(bool visible = true) { SetAttribute("visible", visible ? "true" : "false"); }
    // Visible and every parent visible.
    bool IsReallyVisible() const;
    bool IsEnabled() const;
    void SetEnabled(bool enabled = true) { SetAttribute("enabled", enabled ? "true" : "false"); }
    // "mouse": false lets clicks fall through to what lies under the control.
    bool IsMouseEnabled() const;
    void SetMouseEnabled(bool enabled) { SetAttribute("mouse", enabled ? "true" : "false"); }

    // Selected state of Option and CheckBox ("selected"). Selecting an Option clears the
    // other Options of its "group" in the same window.
    bool IsSelected() const;
    void Selected(bool selected) { SetSelected(selected); }
    void SetSelected(bool selected);
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool checked) { SetSelected(checked); }

    // Rectangle in the window's client coordinates after layout.
    Rect GetPos() const { return pos_; }
    // Same as "pos" for a floating control.
    void SetPos(const Rect& r);

    // Free slot for the window's own use; the toolkit never reads it.
    void SetTag(std::uintptr_t tag) { tag_ = tag; }
    std::uintptr_t GetTag() const { return tag_; }

    Control* GetParent() const { return parent_; }
    std::size_t GetCount() const { return children_.size(); }
    Control* GetItemAt(std::size_t index) const;
    bool IsLayout() const;
    bool IsFloat() const;

    PaintManager* GetManager() const { return manager_; }

    // Schedules a repaint of this control's rectangle only.
    void Invalidate();

    // Interaction state kept by the window.
    bool IsHot() const { return hot_; }
    bool IsPushed() const { return pushed_; }
    bool IsFocused() const { return focused_; }

    // Number of times the control was drawn; a test aid for "repaint only what changed".
    int PaintCount() const { return paintCount_; }

private:
    friend class PaintManager;
    friend class LayoutEngine;
    friend class ControlPainter;
    friend class SkinBuilder;
    friend class WindowWidget;

    void AddChild(std::unique_ptr<Control> child);
    void SetDefaults(const std::map<std::string, std::string, std::less<>>* defaults) {
        defaults_ = defaults;
    }
    void Attach(PaintManager* manager);

    std::string className_;
    std::map<std::string, std::string, std::less<>> attributes_;
    const std::map<std::string, std::string, std::less<>>* defaults_ = nullptr;
    std::vector<std::unique_ptr<Control>> children_;
    Control* parent_ = nullptr;
    PaintManager* manager_ = nullptr;
    Rect pos_;
    std::uintptr_t tag_ = 0;
    bool hot_ = false;
    bool pushed_ = false;
    bool focused_ = false;
    int paintCount_ = 0;
};

}  // namespace orv::kit

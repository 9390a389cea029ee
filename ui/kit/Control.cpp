#include "ui/kit/Control.h"

#include <QCoreApplication>
#include <QThread>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

namespace {

// What an attribute means when neither the control nor its class default sets it.
std::string_view ImplicitValue(std::string_view name) {
    if (name == "visible" || name == "enabled" || name == "mouse") {
        return "true";
    }
    if (name == "selected" || name == "float") {
        return "false";
    }
    return {};
}

}  // namespace

Control::Control(std::string className) : className_(std::move(className)) {}

Control::~Control() = default;

void Control::SetAttribute(std::string_view name, std::string_view value) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && QThread::currentThread() != app->thread()) {
        // Another thread must not touch the tree: apply it on the UI thread, and only if the
        // window still exists by then.
        const WindowHandle window = manager_ == nullptr ? kNoWindow : manager_->GetPaintWindow();
        QMetaObject::invokeMethod(
            app,
            [this, window, n = std::string(name), v = std::string(value)] {
                if (window != kNoWindow && IsWindow(window)) {
                    SetAttribute(n, v);
                }
            },
            Qt::QueuedConnection);
        return;
    }
    const auto it = attributes_.find(name);
    if (it != attributes_.end()) {
        if (it->second == value) {
            return;
        }
        it->second = std::string(value);
    } else {
        // A value equal to the class default (or to what an unset attribute means) is still
        // "no change" for what shows.
        const std::string current =
            HasAttribute(name) ? GetAttribute(name) : std::string(ImplicitValue(name));
        const bool sameAsDefault = current == value;
        attributes_.emplace(std::string(name), std::string(value));
        if (sameAsDefault) {
            return;
        }
    }
    if (manager_ != nullptr) {
        manager_->OnAttributeChanged(this, name);
    }
}

std::string Control::GetAttribute(std::string_view name) const {
    if (const auto it = attributes_.find(name); it != attributes_.end()) {
        return it->second;
    }
    if (defaults_ != nullptr) {
        if (const auto it = defaults_->find(name); it != defaults_->end()) {
            return it->second;
        }
    }
    return {};
}

bool Control::HasAttribute(std::string_view name) const {
    return attributes_.contains(name) || (defaults_ != nullptr && defaults_->contains(name));
}

std::string Control::GetText() const {
    return GetAttribute("text");
}

bool Control::IsVisible() const {
    return attr::ToBool(GetAttribute("visible"), true);
}

bool Control::IsReallyVisible() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->IsVisible()) {
            return false;
        }
    }
    return true;
}

bool Control::IsEnabled() const {
    return attr::ToBool(GetAttribute("enabled"), true);
}

bool Control::IsMouseEnabled() const {
    return attr::ToBool(GetAttribute("mouse"), true);
}

bool Control::IsSelected() const {
    return attr::ToBool(GetAttribute("selected"), false);
}

void Control::SetSelected(bool selected) {
    SetAttribute("selected", selected ? "true" : "false");
}

void Control::SetPos(const Rect& r) {
    Rect relative = r;
    if (parent_ != nullptr) {
        relative = r.Offset(-parent_->pos_.left, -parent_->pos_.top);
    }
    SetAttribute("pos", attr::FromRect(relative));
}

Control* Control::GetItemAt(std::size_t index) const {
    return index < children_.size() ? children_[index].get() : nullptr;
}

bool Control::IsLayout() const {
    return className_ == "HorizontalLayout" || className_ == "VerticalLayout";
}

bool Control::IsFloat() const {
    return attr::ToBool(GetAttribute("float"), false);
}

void Control::Invalidate() {
    if (manager_ != nullptr) {
        manager_->Invalidate(pos_);
    }
}

void Control::AddChild(std::unique_ptr<Control> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
}

void Control::Attach(PaintManager* manager) {
    manager_ = manager;
    for (auto& child : children_) {
        child->Attach(manager);
    }
}

}  // namespace orv::kit

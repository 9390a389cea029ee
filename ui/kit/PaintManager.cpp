#include "ui/kit/PaintManager.h"

#include <QCoreApplication>
#include <array>

#include "context/UserCopies.h"
#include "ui/kit/LayoutEngine.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit {

namespace {

std::string& InstancePath() {
    static std::string path;
    return path;
}

std::string& ResourcePath() {
    static std::string path;
    return path;
}

std::string& MenuPath() {
    static std::string path;
    return path;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (const std::string_view n : names) {
        if (name == n) {
            return true;
        }
    }
    return false;
}

Control* FindByName(Control* c, std::string_view name) {
    if (c == nullptr) {
        return nullptr;
    }
    if (c->GetName() == name) {
        return c;
    }
    for (std::size_t i = 0; i < c->GetCount(); ++i) {
        if (Control* found = FindByName(c->GetItemAt(i), name)) {
            return found;
        }
    }
    return nullptr;
}

Control* FindAt(Control* c, Point p) {
    if (c == nullptr || !c->IsVisible() || !c->GetPos().Contains(p)) {
        return nullptr;
    }
    // Later children lie on top of earlier ones.
    for (std::size_t i = c->GetCount(); i-- > 0;) {
        if (Control* found = FindAt(c->GetItemAt(i), p)) {
            return found;
        }
    }
    return c->IsMouseEnabled() ? c : nullptr;
}

void ClearGroup(Control* c, const Control* keep, const std::string& group) {
    if (c == nullptr) {
        return;
    }
    if (c != keep && c->GetClass() == "Option" && c->GetAttribute("group") == group) {
        c->SetSelected(false);
    }
    for (std::size_t i = 0; i < c->GetCount(); ++i) {
        ClearGroup(c->GetItemAt(i), keep, group);
    }
}

}  // namespace

PaintManager::PaintManager() = default;

PaintManager::~PaintManager() {
    for (MenuCommand* record : menuRecords_) {
        delete record;
    }
}

void PaintManager::SetInstancePath(const std::string& folder) {
    InstancePath() = WithSlash(folder);
}

std::string PaintManager::GetInstancePath() {
    if (InstancePath().empty()) {
        if (QCoreApplication::instance() != nullptr) {
            return WithSlash(QCoreApplication::applicationDirPath().toStdString());
        }
        return "./";
    }
    return InstancePath();
}

void PaintManager::SetResourcePath(const std::string& folder) {
    ResourcePath() = WithSlash(folder);
}

std::string PaintManager::GetResourcePath() {
    return ResourcePath().empty() ? GetInstancePath() + "Resources/" : ResourcePath();
}

void PaintManager::SetMenuPath(const std::string& folder) {
    MenuPath() = WithSlash(folder);
}

std::string PaintManager::GetMenuPath() {
    return MenuPath();
}

std::string PaintManager::GetMenuFile(const std::string& menuFile) {
    const std::string shipped = GetResourcePath() + menuFile;
    if (MenuPath().empty()) {
        return shipped;
    }
    const auto copy = paths::freshUserCopy(shipped, MenuPath());
    return copy ? copy->string() : shipped;
}

Control* PaintManager::FindControl(std::string_view name) const {
    return name.empty() ? nullptr : FindByName(root_.get(), name);
}

Control* PaintManager::FindControl(Point clientPoint) const {
    return FindAt(root_.get(), clientPoint);
}

Control* PaintManager::GetRoot() const {
    return root_.get();
}

void PaintManager::DeletePtr(MenuCommand* record) {
    if (const auto it = menuRecords_.find(record); it != menuRecords_.end()) {
        menuRecords_.erase(it);
        delete record;
    }
}

void PaintManager::DeletePtr(void* record) {
    DeletePtr(static_cast<MenuCommand*>(record));
}

void PaintManager::AdoptMenuRecord(MenuCommand* record) {
    menuRecords_.insert(record);
}

WindowHandle PaintManager::GetPaintWindow() const {
    return window_ == nullptr ? kNoWindow : window_->GetHWND();
}

void PaintManager::SetTree(SkinDocument document) {
    info_ = std::move(document.info);
    root_ = std::move(document.root);
    const auto applyDefaults = [this](auto& self, Control* c) -> void {
        if (const auto it = info_.defaults.find(c->GetClass()); it != info_.defaults.end()) {
            c->SetDefaults(&it->second);
        }
        for (std::size_t i = 0; i < c->GetCount(); ++i) {
            self(self, c->GetItemAt(i));
        }
    };
    if (root_) {
        applyDefaults(applyDefaults, root_.get());
        root_->Attach(this);
    }
    layoutDirty_ = true;
}

void PaintManager::Layout(Size clientSize) {
    clientSize_ = clientSize;
    Relayout();
}

void PaintManager::Relayout() {
    if (!root_) {
        return;
    }
    std::vector<LayoutEngine::Change> changed;
    LayoutEngine::Layout(*root_, Rect{0, 0, clientSize_.cx, clientSize_.cy}, changed);
    if (!layoutDirty_) {
        for (const auto& change : changed) {
            Invalidate(change.before);
            change.control->Invalidate();
        }
    }
    layoutDirty_ = false;
}

void PaintManager::OnAttributeChanged(Control* control, std::string_view name) {
    if (IsOneOf(name, {"name", "tag", "userdata", "group", "tooltip"})) {
        return;
    }
    if (name == "selected" && control->GetClass() == "Option" && control->IsSelected()) {
        const std::string group = control->GetAttribute("group");
        if (!group.empty()) {
            ClearGroup(root_.get(), control, group);
        }
    }
    if (IsOneOf(name, {"pos", "width", "height", "visible", "float", "inset", "childpadding",
                       "padding"})) {
        Relayout();
    }
    control->Invalidate();
    WindowWidget* widget = window_ == nullptr ? nullptr : window_->widget_.get();
    if (widget != nullptr) {
        if (control->GetClass() == "Edit") {
            widget->SyncEdit(control);
        }
        if (IsOneOf(name, {"pos", "width", "height", "visible", "float", "inset", "childpadding",
                           "padding", "enabled"})) {
            widget->SyncEdits();
        }
    }
}

void PaintManager::Invalidate(const Rect& r) {
    ++invalidateCount_;
    WindowWidget* widget = window_ == nullptr ? nullptr : window_->widget_.get();
    if (widget != nullptr && !r.IsEmpty()) {
        widget->UpdateLogical(r);
    }
}

void PaintManager::SendNotify(Control* sender, std::string type, Point point, WParam w, LParam l) {
    if (window_ == nullptr) {
        return;
    }
    Notification n{std::move(type), sender, point, w, l};
    window_->DispatchNotify(n);
}

}  // namespace orv::kit

// Owner of one window's control tree: builds it from the skin, lays it out, paints it, finds
// controls by name and by point, and releases records handed out by pop-up menus.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "ui/kit/Control.h"
#include "ui/kit/Notification.h"
#include "ui/kit/SkinDocument.h"
#include "ui/kit/Types.h"

namespace orv::kit {

class WindowImplBase;
struct MenuCommand;

class PaintManager {
public:
    PaintManager();
    ~PaintManager();
    PaintManager(const PaintManager&) = delete;
    PaintManager& operator=(const PaintManager&) = delete;

    // Folder of the shipped data (UTF-8, with trailing '/'): where file='…' images and the
    // databases are found. Defaults to the running executable's folder.
    static void SetInstancePath(const std::string& folder);
    static std::string GetInstancePath();
    // Folder of skins, menus and bare image names (with trailing '/'). Defaults to
    // GetInstancePath() + "Resources/".
    static void SetResourcePath(const std::string& folder);
    static std::string GetResourcePath();
    // Folder of the writable menu copies (with trailing '/'); "" (the default) opens menus from
    // the resource folder itself. When set, menus are opened and rewritten there: each one is
    // copied from the resource folder first when its copy is missing or older.
    static void SetMenuPath(const std::string& folder);
    static std::string GetMenuPath();
    // The file to open (and to rewrite) for the menu file `menuFile` of the resource folder:
    // the fresh copy in the menu folder, or the resource file itself when no menu folder is set
    // or the copy cannot be made.
    static std::string GetMenuFile(const std::string& menuFile);

    // First control in tree order whose "name" is name; nullptr when none.
    Control* FindControl(std::string_view name) const;
    // Innermost visible control at a client point that takes the mouse; nullptr when none.
    Control* FindControl(Point clientPoint) const;
    Control* GetRoot() const;

    // Releases a record that a menu posted with msg::MenuClick. A pointer this manager did not
    // hand out, or one already released, is ignored.
    void DeletePtr(MenuCommand* record);
    void DeletePtr(void* record);

    WindowImplBase* GetWindow() const { return window_; }
    WindowHandle GetPaintWindow() const;
    const SkinWindowInfo& GetSkinInfo() const { return info_; }

    // Test aids: how often anything was invalidated and painted since the window showed.
    int InvalidateCount() const { return invalidateCount_; }
    int PaintCount() const { return paintCount_; }

    // --- used by the toolkit itself ---
    void Attach(WindowImplBase* window) { window_ = window; }
    void SetTree(SkinDocument document);
    void OnAttributeChanged(Control* control, std::string_view name);
    void Invalidate(const Rect& r);
    void Relayout();
    void Layout(Size clientSize);
    void AdoptMenuRecord(MenuCommand* record);
    void SendNotify(Control* sender, std::string type, Point point = {}, WParam w = 0,
                    LParam l = 0);
    void NotePainted() { ++paintCount_; }

private:
    SkinWindowInfo info_;
    std::unique_ptr<Control> root_;
    WindowImplBase* window_ = nullptr;
    std::unordered_set<MenuCommand*> menuRecords_;
    Size clientSize_;
    int invalidateCount_ = 0;
    int paintCount_ = 0;
    bool layoutDirty_ = true;
};

}  // namespace orv::kit

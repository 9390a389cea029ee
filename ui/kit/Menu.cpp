#include "ui/kit/Menu.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdio>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/DisplayScale.h"
#include "ui/kit/MenuWidget.h"
#include "ui/kit/PaintManager.h"

namespace orv::kit {

namespace {

bool ReadMenuFile(const std::string& path, std::vector<MenuItem>& items, MenuLook& look,
                  std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + ":0: cannot read: " + file.errorString().toStdString();
        return false;
    }
    QXmlStreamReader reader(&file);
    const auto value = [&](const char* name) {
        return reader.attributes().value(QString::fromLatin1(name)).toString().toStdString();
    };
    bool sawWindow = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == u"Window") {
            sawWindow = true;
            look.width = attr::ToInt(value("width")).value_or(look.width);
            look.itemHeight = attr::ToInt(value("itemheight")).value_or(look.itemHeight);
            look.fontSize = attr::ToInt(value("fontsize")).value_or(look.fontSize);
            for (const char* colour : {"bkcolor", "textcolor", "hotbkcolor", "disabledtextcolor"}) {
                const std::string v = value(colour);
                if (v.empty()) {
                    continue;
                }
                if (std::string_view(colour) == "bkcolor") {
                    look.bkcolor = v;
                } else if (std::string_view(colour) == "textcolor") {
                    look.textcolor = v;
                } else if (std::string_view(colour) == "hotbkcolor") {
                    look.hotbkcolor = v;
                } else {
                    look.disabledtextcolor = v;
                }
            }
            if (const std::string f = value("font"); !f.empty()) {
                look.font = f;
            }
        } else if (reader.name() == u"MenuElement") {
            MenuItem item;
            item.name = value("name");
            item.text = value("text");
            item.userData = value("userdata");
            item.enabled = attr::ToBool(value("enabled"), true);
            item.separator = attr::ToBool(value("separator"), false);
            items.push_back(std::move(item));
        }
    }
    if (reader.hasError()) {
        error = path + ":" + std::to_string(reader.lineNumber()) +
                ": malformed XML: " + reader.errorString().toStdString();
        return false;
    }
    if (!sawWindow) {
        error = path + ":1: root element must be <Window>";
        return false;
    }
    return true;
}

}  // namespace

Rect PlaceMenu(Size size, Point anchor, unsigned align, const Rect& available) {
    int x = (align & menu_align::RightEdge) != 0 ? anchor.x - size.cx : anchor.x;
    int y = (align & menu_align::BottomEdge) != 0 ? anchor.y - size.cy : anchor.y;
    if (x + size.cx > available.right) {
        x = available.right - size.cx;
    }
    x = std::max(x, available.left);
    if (y + size.cy > available.bottom) {
        // Open upwards from the anchor when that fits, else as low as the area allows.
        y = anchor.y - size.cy >= available.top ? anchor.y - size.cy : available.bottom - size.cy;
    }
    y = std::max(y, available.top);
    return Rect{x, y, x + size.cx, y + size.cy};
}

Rect MenuHandle::GetRect() const {
    const auto state = state_.lock();
    if (!state || state->widget == nullptr) {
        return {};
    }
    const QPoint origin = state->widget->pos();
    const Point topLeft = ToLogical(Point{origin.x(), origin.y()});
    const Size size = state->widget->LogicalSize();
    return Rect{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy};
}

bool MenuHandle::IsOpen() const {
    const auto state = state_.lock();
    return state && state->widget != nullptr;
}

void MenuHandle::Close() {
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        state->widget->Finish(false);
    }
}

std::vector<std::string> MenuHandle::ItemNames() const {
    std::vector<std::string> names;
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        for (const MenuItem& item : state->widget->Items()) {
            if (!item.separator) {
                names.push_back(item.name);
            }
        }
    }
    return names;
}

void MenuHandle::OnClosed(std::function<void(bool chosen)> callback) {
    if (const auto state = state_.lock(); state && state->widget != nullptr) {
        state->onClosed.push_back(std::move(callback));
    }
}

MenuHandle Menu::CreateMenu(Control* /*ownerElement*/, const std::string& menuFile,
                            Point screenPoint, PaintManager* owner, MenuCheckMap* checks,
                            unsigned align) {
    MenuHandle handle;
    std::vector<MenuItem> items;
    MenuLook look;
    std::string error;
    const std::string path = PaintManager::GetMenuFile(menuFile);
    if (!ReadMenuFile(path, items, look, error)) {
        std::fprintf(stderr, "menu error: %s\n", error.c_str());
        return handle;
    }
    const WindowHandle ownerWindow = owner == nullptr ? kNoWindow : owner->GetPaintWindow();
    auto* widget = new MenuWidget(std::move(items), std::move(look), ownerWindow, checks);
    // Named after its file, so the desktop (and a test looking from outside) can tell menus apart.
    widget->setWindowTitle(QString::fromStdString(menuFile));
    const Point anchor = ToDevice(screenPoint);
    const QScreen* screen = QGuiApplication::screenAt(QPoint(anchor.x, anchor.y));
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    Rect available{-100000, -100000, 100000, 100000};
    if (screen != nullptr) {
        const QRect a = screen->availableGeometry();
        available = Rect{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    }
    const Rect place =
        PlaceMenu(Size{widget->width(), widget->height()}, anchor, align, available);
    widget->move(place.left, place.top);
    widget->show();
    widget->activateWindow();
    handle.state_ = widget->State();
    return handle;
}

std::vector<MenuHandle> Menu::OpenMenus() {
    std::vector<MenuHandle> out;
    for (MenuWidget* widget : OpenMenuWidgets()) {
        MenuHandle h;
        h.state_ = widget->State();
        out.push_back(h);
    }
    return out;
}

void Menu::CloseAll() {
    const std::vector<MenuWidget*> open = OpenMenuWidgets();
    for (MenuWidget* widget : open) {
        widget->Finish(false);
    }
}

}  // namespace orv::kit

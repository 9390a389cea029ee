// The pop-up window of one open menu. Internal.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/kit/Menu.h"
#include "ui/kit/Types.h"

namespace orv::kit {

struct MenuItem {
    std::string name;
    std::string text;
    std::string userData;
    bool enabled = true;
    bool separator = false;
};

struct MenuLook {
    int width = 180;
    int itemHeight = 30;
    std::string bkcolor = "#FF2A2F3C";
    std::string textcolor = "#FFFFFFFF";
    std::string hotbkcolor = "#FF3F8CFF";
    std::string disabledtextcolor = "#FF808080";
    std::string font;
    int fontSize = 14;
};

struct MenuState {
    class MenuWidget* widget = nullptr;
    std::vector<std::function<void(bool)>> onClosed;
};

class MenuWidget : public QWidget {
public:
    MenuWidget(std::vector<MenuItem> items, MenuLook look, WindowHandle owner,
               MenuCheckMap* checks);
    ~MenuWidget() override;

    std::shared_ptr<MenuState> State() const { return state_; }
    const std::vector<MenuItem>& Items() const { return items_; }
    // Rectangle of an item in widget (desktop) pixels; empty for an unknown name.
    QRect ItemRect(const std::string& name) const;
    // Size in logical pixels.
    Size LogicalSize() const;
    // Index of the highlighted item, -1 when none.
    int HotIndex() const { return hot_; }
    // Closes without a choice (chosen=false) or after one.
    void Finish(bool chosen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The item under a point in widget (desktop) pixels, -1 for none or a separator.
    int ItemAt(QPoint p) const;
    // Moves the highlight to the next enabled item in direction step (+1/-1), wrapping.
    void MoveHot(int step);
    void Choose(int index);
    void Cleanup(bool chosen);

    std::vector<MenuItem> items_;
    MenuLook look_;
    WindowHandle owner_;
    MenuCheckMap* checks_;
    std::shared_ptr<MenuState> state_;
    int hot_ = -1;
    bool finished_ = false;
};

// Every open menu widget, oldest first.
std::vector<MenuWidget*>& OpenMenuWidgets();

}  // namespace orv::kit

// The message box drawn in the tool's dark skin: caption band, icon, text, one OK button.
// Internal; MessageBox() shows it.
#pragma once

#include <QEventLoop>
#include <QWidget>

#include "ui/kit/MessageBox.h"

namespace orv::kit {

class MessageBoxWidget : public QWidget {
public:
    // owner: the widget of the owning window, or nullptr.
    MessageBoxWidget(const MessageBoxRequest& request, QWidget* owner, const QFont& font);

    // Shows the box modally over its owner and returns once it is dismissed (OK, Enter,
    // Escape, Space, the window system's close) or a quit message ends the loop.
    int Exec();

    // Rectangle of the OK button in logical coordinates.
    QRect OkRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QRect TextRect() const;
    void Dismiss();

    MessageBoxRequest request_;
    QFont font_;
    QSize logicalSize_;
    bool okPressed_ = false;
    bool okHot_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    bool done_ = false;
    QEventLoop* loop_ = nullptr;
};

}  // namespace orv::kit

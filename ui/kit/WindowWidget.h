// The Qt top-level widget behind a WindowImplBase: paints the control tree, turns mouse and
// key input into control states, notifications and messages, hosts the line edits and the
// timers. Internal.
#pragma once

#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "ui/kit/Types.h"

namespace orv::kit {

class Control;
class WindowImplBase;

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(WindowImplBase* owner);
    ~WindowWidget() override;

    // The window object is going away: from now on events are ignored.
    void Detach();
    WindowImplBase* Owner() const { return owner_; }

    void SyncEdits();
    void SyncEdit(Control* edit);
    QLineEdit* EditFor(const Control* edit) const;
    // The Edit whose line edit is this window's focus child, or nullptr.
    const Control* FocusedEdit() const;
    void ForgetControls();

    bool SetTimer(unsigned id, unsigned periodMs);
    void KillTimer(unsigned id);
    void KillAllTimers();
    bool HasTimer(unsigned id) const;

    void BlockInput(bool block) { inputBlocked_ += block ? 1 : -1; }
    bool InputBlocked() const { return inputBlocked_ > 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetHot(Control* control);
    bool Reacts(const Control* control) const;

    WindowImplBase* owner_;
    std::map<const Control*, QLineEdit*> edits_;
    std::map<unsigned, QTimer*> timers_;
    Control* hot_ = nullptr;
    Control* captured_ = nullptr;
    Control* rightCaptured_ = nullptr;
    Control* lastPressed_ = nullptr;
    std::int64_t lastPressMs_ = 0;
    bool pendingDoubleClick_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    int inputBlocked_ = 0;
};

// Maps a Qt key to the vk:: / ASCII code used in messages; 0 when it has none.
unsigned VirtualKeyFromQt(int qtKey);
int QtKeyFromVirtualKey(unsigned vk);

}  // namespace orv::kit

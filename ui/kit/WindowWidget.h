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
    // A window with a parent is a dialog to the window system, so it can be transient for
    // (kept above) that parent.
    WindowWidget(WindowImplBase* owner, bool dialog);
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

    // Geometry in logical pixels (DisplayScale.h); the widget itself is sized in desktop pixels.
    void SetLogicalGeometry(const Rect& screenRect);
    Rect LogicalGeometry() const;
    Size LogicalSize() const { return logicalSize_; }
    // Repaints a rectangle given in logical client coordinates.
    void UpdateLogical(const Rect& clientRect);

    // Keyboard: the control the Tab order has reached (a button or an Edit), or nullptr.
    Control* FocusedControl() const;
    // Moves the keyboard focus along the Tab order (tree order of visible, enabled Edits and
    // buttons); false when the window has none.
    bool MoveFocus(bool forward);
    // Gives a button or an Edit the keyboard focus with a visible mark; nullptr clears it.
    void FocusControl(Control* control);
    // Acts as a full click on a button, option or check box that can react (the same
    // notifications in the same order); false when it cannot.
    bool Activate(Control* control);

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
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void NotifyActivation(WindowImplBase* owner, Control* c, Point point);
    void SetHot(Control* control);
    // This window is blocked by a modal child: bring the innermost one to the front.
    void RaiseModalChild();
    // A mouse position in logical client coordinates.
    static Point LogicalPoint(const QMouseEvent* event);
    bool Reacts(const Control* control) const;

    WindowImplBase* owner_;
    std::map<const Control*, QLineEdit*> edits_;
    std::map<unsigned, QTimer*> timers_;
    Control* hot_ = nullptr;
    Control* captured_ = nullptr;
    Control* rightCaptured_ = nullptr;
    Control* lastPressed_ = nullptr;
    Control* focused_ = nullptr;
    std::int64_t lastPressMs_ = 0;
    bool pendingDoubleClick_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
    int inputBlocked_ = 0;
    Size logicalSize_;
    // The logical origin last set and where it landed, so it reads back exactly while the
    // window has not moved.
    Point logicalOrigin_;
    QPoint deviceOrigin_{-1000000, -1000000};
};

// Maps a Qt key to the vk:: / ASCII code used in messages; 0 when it has none.
unsigned VirtualKeyFromQt(int qtKey);
int QtKeyFromVirtualKey(unsigned vk);

}  // namespace orv::kit

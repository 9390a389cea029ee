// What the test driver may see of a window beyond its public interface. Internal.
#pragma once

class QWidget;
class QLineEdit;

namespace orv::kit {

class WindowImplBase;
class Control;

class DriverAccess {
public:
    static QWidget* Widget(WindowImplBase* w);
    static QLineEdit* Edit(WindowImplBase* w, const Control* c);
    // Keeps a window's input away while a box owned by it is up (or gives it back).
    static void BlockInput(WindowImplBase* w, bool block);
};

}  // namespace orv::kit

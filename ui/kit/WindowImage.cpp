#include "ui/kit/WindowImage.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "ui/kit/DriverAccess.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

bool SaveWindowImage(WindowHandle window, const std::string& pngPath) {
    WindowImplBase* w = WindowFromHandle(window);
    QWidget* widget = w == nullptr ? nullptr : DriverAccess::Widget(w);
    if (widget == nullptr) {
        return false;
    }
    const QPixmap shot = widget->grab();
    return !shot.isNull() && shot.save(QString::fromStdString(pngPath), "PNG");
}

bool SetApplicationIcon(const std::string& imagePath) {
    const QPixmap picture(QString::fromStdString(imagePath));
    if (picture.isNull()) {
        return false;
    }
    QApplication::setWindowIcon(QIcon(picture));
    return true;
}

}  // namespace orv::kit

#include "ui/kit/MessageBox.h"

#include <QMessageBox>
#include <mutex>

#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit {

namespace {

std::mutex g_mutex;
MessageBoxPresenter g_presenter;

int ShowRealBox(const MessageBoxRequest& request) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
        case MessageBoxIcon::Information:
            icon = QMessageBox::Information;
            break;
        case MessageBoxIcon::Warning:
        case MessageBoxIcon::Exclamation:
            icon = QMessageBox::Warning;
            break;
        case MessageBoxIcon::Error:
            icon = QMessageBox::Critical;
            break;
        case MessageBoxIcon::Question:
            icon = QMessageBox::Question;
            break;
        case MessageBoxIcon::None:
            break;
    }
    QMessageBox box(icon, QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok);
    box.exec();
    return kIdOk;
}

}  // namespace

int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               MessageBoxIcon icon) {
    const MessageBoxRequest request{owner, text, caption, icon};
    MessageBoxPresenter presenter;
    {
        std::lock_guard lock(g_mutex);
        presenter = g_presenter;
    }
    return presenter ? presenter(request) : ShowRealBox(request);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
    std::lock_guard lock(g_mutex);
    std::swap(g_presenter, presenter);
    return presenter;
}

}  // namespace orv::kit

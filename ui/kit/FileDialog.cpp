#include "ui/kit/FileDialog.h"

#include <QFileDialog>
#include <QStringList>
#include <mutex>

#include "ui/kit/DriverAccess.h"
#include "ui/kit/PortalFileChooser.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

namespace {

std::mutex g_mutex;
FileDialogPresenter g_presenter;

// Qt's own dialog, a child of its owner so the window manager keeps it above the owner.
std::optional<std::string> ShowQtDialog(const FileDialogRequest& request, QWidget* owner) {
    QFileDialog dialog(owner, QString::fromStdString(request.title),
                       QString::fromStdString(request.initialFolder));
    dialog.setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    QStringList filters;
    for (const FileFilter& f : request.filters) {
        QStringList patterns;
        for (const std::string& p : f.patterns) {
            patterns << QString::fromStdString(p);
        }
        filters << QString::fromStdString(f.description) + " (" + patterns.join(' ') + ")";
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    const bool save = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(
        save ? QFileDialog::AnyFile
             : (request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    }
    if (!request.initialFileName.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialFileName));
    }
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

// The desktop's chooser through its portal when one runs, Qt's dialog otherwise; the owner
// takes no input meanwhile, as with every box it owns.
std::optional<std::string> ShowRealDialog(const FileDialogRequest& request) {
    WindowImplBase* owner = WindowFromHandle(request.owner);
    QWidget* ownerWidget = owner != nullptr ? DriverAccess::Widget(owner) : nullptr;
    if (owner != nullptr) {
        DriverAccess::BlockInput(owner, true);
    }
    std::optional<std::string> chosen;
    const PortalAnswer portal = AskPortalFileChooser(request, ownerWidget);
    if (portal.portalAnswered) {
        chosen = portal.path;
    } else {
        // The owner may have gone while the portal was asked.
        WindowImplBase* still = WindowFromHandle(request.owner);
        chosen = ShowQtDialog(request, still != nullptr ? DriverAccess::Widget(still) : nullptr);
    }
    if (WindowImplBase* still = WindowFromHandle(request.owner); still != nullptr) {
        DriverAccess::BlockInput(still, false);
    }
    return chosen;
}

}  // namespace

std::optional<std::string> ShowFileDialog(const FileDialogRequest& request) {
    FileDialogPresenter presenter;
    {
        std::lock_guard lock(g_mutex);
        presenter = g_presenter;
    }
    return presenter ? presenter(request) : ShowRealDialog(request);
}

FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter) {
    std::lock_guard lock(g_mutex);
    std::swap(g_presenter, presenter);
    return presenter;
}

}  // namespace orv::kit

#include "ui/kit/FileDialog.h"

#include <QFileDialog>
#include <QStringList>
#include <mutex>

namespace orv::kit {

namespace {

std::mutex g_mutex;
FileDialogPresenter g_presenter;

std::optional<std::string> ShowRealDialog(const FileDialogRequest& request) {
    QFileDialog dialog(nullptr, QString::fromStdString(request.title),
                       QString::fromStdString(request.initialFolder));
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

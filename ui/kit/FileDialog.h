// The open and save file dialogs. Tests replace the presenter to answer them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/Types.h"

namespace orv::kit {

struct FileFilter {
    std::string description;            // "Settings database"
    std::vector<std::string> patterns;  // {"*.db"}
};

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    WindowHandle owner = kNoWindow;
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension;  // "db": appended to a typed name without an extension
    std::string initialFolder;     // UTF-8; created folders are not implied
    std::string initialFileName;
    bool overwritePrompt = true;  // Save: ask before replacing an existing file
    bool fileMustExist = true;    // Open: only existing files can be chosen
};

// The chosen file (absolute UTF-8 path), or nothing when cancelled.
std::optional<std::string> ShowFileDialog(const FileDialogRequest& request);

using FileDialogPresenter = std::function<std::optional<std::string>(const FileDialogRequest&)>;
// Replaces how dialogs are shown; an empty function restores the real dialog.
FileDialogPresenter SetFileDialogPresenter(FileDialogPresenter presenter);

}  // namespace orv::kit

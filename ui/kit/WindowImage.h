// A window as a picture, and the picture that stands for the application.
#pragma once

#include <string>

#include "ui/kit/Types.h"

namespace orv::kit {

// Renders a live window as it shows on screen into a PNG file (UI thread only). False for a
// dead handle or when the file cannot be written.
bool SaveWindowImage(WindowHandle window, const std::string& pngPath);

// The icon of every window of the process, from an image file. False when it cannot be read
// (the windows keep the platform's default icon).
bool SetApplicationIcon(const std::string& imagePath);

}  // namespace orv::kit

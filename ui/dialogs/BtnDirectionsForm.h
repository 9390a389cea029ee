#pragma once
// The directions pop-up of the editors' small "?" buttons: one skin per topic and language
// carries the whole explanation; the window only shows it. Nothing is centred or filled in; the
// position is the system's and the skin's. "closebtn" closes it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/kit/WindowImplBase.h"

namespace orv {

// Topics as carried in lParam of MainWindowMessage code 10.
inline constexpr std::intptr_t kFirstDirectionsTopic = 1000;
inline constexpr std::intptr_t kLastDirectionsTopic = 1008;

// The skin of `topic` (1000..1008) in `language` (a text-store language column): the topic's
// base name + "_japanese.xml" for "japanese", + "_english.xml" for every other language.
// Nothing for a topic outside 1000..1008.
std::optional<std::string> directionsSkinFor(std::intptr_t topic, std::string_view language);

class BtnDirectionsForm : public kit::WindowImplBase {
public:
    explicit BtnDirectionsForm(std::string skinFile) : skinFile_(std::move(skinFile)) {}

    // Opens the pop-up of `topic` over `parent` modally, titled title::BtnDirectionsForm, and
    // returns when it is closed: the result given to Close, or -1 when the topic is unknown
    // (nothing opens), the skin cannot be loaded or a quit ended the loop.
    static int Show(kit::WindowHandle parent, std::intptr_t topic, std::string_view language);

protected:
    std::string GetWindowClassName() const override { return "BtnDirectionsFormWnd"; }
    std::string GetSkinFile() override { return skinFile_; }
    void Notify(kit::Notification& notification) override;

private:
    std::string skinFile_;
};

}  // namespace orv

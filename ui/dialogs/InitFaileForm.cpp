#include "ui/dialogs/InitFaileForm.h"

namespace orv {

namespace {
constexpr int kInitFailureText = 76;
}  // namespace

InitFaileForm::InitFaileForm(const TextStore& texts)
    : ConnectionWindow(texts, "InitFaileForm.xml", kInitFailureText) {}

}  // namespace orv

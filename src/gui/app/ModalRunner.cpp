#include "gui/app/ModalRunner.h"

#include <QDialog>

namespace varelo {

namespace {
ModalRunner::Hook& CurrentHook() {
    static ModalRunner::Hook hook;
    return hook;
}
}  // namespace

int ModalRunner::Exec(QDialog& dialog) {
    if (CurrentHook()) return CurrentHook()(dialog);
    return dialog.exec();
}

void ModalRunner::SetHook(Hook hook) {
    CurrentHook() = std::move(hook);
}

}  // namespace varelo

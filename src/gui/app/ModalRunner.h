#pragma once

#include <functional>

class QDialog;

namespace varelo {

// Every modal dialog of the program runs through here, so tests can fill in and close a
// dialog without a nested event loop.
class ModalRunner {
public:
    using Hook = std::function<int(QDialog&)>;

    // The dialog's result: QDialog::Accepted or Rejected, or the button of a message box.
    static int Exec(QDialog& dialog);
    // Replaces exec() while set; an empty hook restores it.
    static void SetHook(Hook hook);
};

}  // namespace varelo

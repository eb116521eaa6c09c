#pragma once

#include <QDialog>

class QLabel;

namespace varelo {

// The modeless "Print document" window: the printout's title, the document, the page being
// printed and the printer. Cancel stops the printout after the current page.
class PrintStatusDialog : public QDialog {
    Q_OBJECT

public:
    PrintStatusDialog(const QString& title, const QString& documentName, const QString& printer,
                      QWidget* parent = nullptr);

    void SetPage(int page);
    bool Cancelled() const { return cancelled_; }

private:
    QLabel* page_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace varelo

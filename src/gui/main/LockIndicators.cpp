#include "gui/main/LockIndicators.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

#include "gui/app/QtText.h"

namespace varelo {

namespace {
constexpr int kTexts[] = {59137, 59138, 59139};  // CAP, NUM, SCRL
constexpr int kKeys[] = {Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock};
}  // namespace

LockIndicators::LockIndicators(QStatusBar* bar) : QObject(bar) {
    for (int i = 0; i < 3; ++i) {
        panes_[i] = new QLabel(bar);
        panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panes_[i]->setAlignment(Qt::AlignCenter);
        panes_[i]->setMinimumWidth(panes_[i]->fontMetrics().horizontalAdvance(QStr(kTexts[i])) +
                                   12);
        bar->addPermanentWidget(panes_[i]);
        Show(i);
    }
    qApp->installEventFilter(this);
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event) {
    // A key reaches its window first and then the widgets; count it once, at the window.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (int i = 0; i < 3; ++i) {
            if (key->key() == kKeys[i] && !key->isAutoRepeat()) {
                on_[i] = !on_[i];
                Show(i);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void LockIndicators::Show(int pane) {
    panes_[pane]->setText(on_[pane] ? QStr(kTexts[pane]) : QString());
}

}  // namespace varelo

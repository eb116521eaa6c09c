#include "gui/main/StartupScreen.h"

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

#include "app/ProductVersion.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr int kShowMs = 5000;
constexpr int kWidth = 480;
constexpr int kHeight = 280;

// One mains period per 60 px with a dip in the middle: what the program looks for.
void DrawWave(QPainter& painter, const QRectF& band) {
    QPainterPath path;
    const double mid = band.center().y();
    for (int x = 0; x <= band.width(); ++x) {
        const double t = x / 60.0 * 2 * M_PI;
        const double dip = (x > 180 && x < 300) ? 0.45 : 1.0;  // from one zero crossing to another
        const double y = mid - std::sin(t) * band.height() / 2 * dip;
        if (x == 0)
            path.moveTo(band.left() + x, y);
        else
            path.lineTo(band.left() + x, y);
    }
    painter.setPen(QPen(QColor(255, 196, 64), 2.2));
    painter.drawPath(path);
}

}  // namespace

QPixmap StartupScreen::Picture() {
    QPixmap pixmap(kWidth, kHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(18, 52, 96));
    sky.setColorAt(1, QColor(6, 22, 44));
    painter.fillRect(pixmap.rect(), sky);
    painter.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int x = 20; x < kWidth; x += 20)
        painter.drawLine(x, 150, x, 230);
    for (int y = 150; y <= 230; y += 20)
        painter.drawLine(20, y, kWidth - 20, y);
    DrawWave(painter, QRectF(20, 160, kWidth - 40, 60));

    QFont title("Arial");
    title.setBold(true);
    title.setPixelSize(52);
    painter.setFont(title);
    painter.setPen(Qt::white);
    painter.drawText(QRect(28, 28, kWidth - 56, 64), Qt::AlignLeft | Qt::AlignVCenter, QStr(174));
    QFont subtitle("Arial");
    subtitle.setPixelSize(17);
    painter.setFont(subtitle);
    painter.setPen(QColor(190, 210, 235));
    painter.drawText(QRect(30, 92, kWidth - 60, 26), Qt::AlignLeft,
                     QTxt(txt::gui_startupScreen_softwareForLogger));
    QFont small("Arial");
    small.setPixelSize(11);
    painter.setFont(small);
    painter.drawText(QRect(30, kHeight - 34, kWidth - 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStr(1379) + " " + kProductVersion);
    painter.drawText(QRect(30, kHeight - 34, kWidth - 60, 20), Qt::AlignRight | Qt::AlignVCenter,
                     "Orbant");
    painter.setPen(QColor(255, 196, 64));
    painter.drawLine(30, 124, 150, 124);
    return pixmap;
}

StartupScreen::StartupScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(Picture()) {
    setFixedSize(picture_.size());
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &StartupScreen::Finish);
}

StartupScreen::~StartupScreen() {
    if (showing_) qApp->removeEventFilter(this);
}

void StartupScreen::Start() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    showing_ = true;
    qApp->installEventFilter(this);
    timer_.start(kShowMs);
    show();
    raise();
}

void StartupScreen::Finish() {
    if (!showing_) return;
    showing_ = false;
    timer_.stop();
    qApp->removeEventFilter(this);
    hide();
    emit Closed();
}

bool StartupScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::NonClientAreaMouseButtonPress:
            Finish();
            return true;  // the key or click that closed the screen does nothing else
        default: return QObject::eventFilter(watched, event);
    }
}

void StartupScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace varelo

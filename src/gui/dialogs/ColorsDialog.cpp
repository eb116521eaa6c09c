#include "gui/dialogs/ColorsDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

struct Group {
    TextKey title;
    const char* section;
    int columns;
};

constexpr Group kGroups[] = {
    {txt::dlg_colors_timeplot, "Level-Time Diagram", 3},
    {txt::dlg_colors_graphicalSummary, "Graphical Summary", 2},
    {txt::dlg_colors_cumulativeFrequency, "Cumulativ frequency", 3},
};

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(36, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

std::optional<QColor> PlatformChooser(const QColor& initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace

QColor ToQColor(unsigned color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

unsigned FromQColor(const QColor& color) {
    return Rgb(color.red(), color.green(), color.blue());
}

ColorsDialog::ColorsDialog(const ColorSet& colors, QWidget* parent)
    : QDialog(parent),
      colors_(colors),
      standard_(new QPushButton(QTxt(txt::dlg_colors_standard))),
      chooser_(PlatformChooser) {
    setWindowTitle(QTxt(txt::dlg_colors_title));
    auto* groups = new QHBoxLayout;
    const auto all = ColorSlots();
    for (const Group& group : kGroups) {
        auto* box = new QGroupBox(QTxt(group.title));
        auto* grid = new QGridLayout(box);
        int inGroup = 0;
        for (size_t slot = 0; slot < all.size(); ++slot) {
            if (all[slot].button == 0 || std::strcmp(all[slot].section, group.section) != 0)
                continue;
            auto* button = new QPushButton(Q(ColorButtonLabel(all[slot])));
            button->setIconSize(QSize(36, 14));
            connect(button, &QPushButton::clicked, this, [this, slot] { Choose(slot); });
            grid->addWidget(button, inGroup / group.columns, inGroup % group.columns);
            ++inGroup;
            buttons_.push_back(button);
            slotOfButton_.push_back(slot);
        }
        groups->addWidget(box, group.columns);
    }
    connect(standard_, &QPushButton::clicked, this, [this] {
        colors_ = DefaultColors();
        Redraw();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->addButton(standard_, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    Redraw();
}

void ColorsDialog::Choose(size_t slot) {
    if (auto chosen = chooser_(ToQColor(colors_[slot]), this)) {
        colors_[slot] = FromQColor(*chosen);
        Redraw();
    }
}

void ColorsDialog::Redraw() {
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setIcon(Swatch(ToQColor(colors_[slotOfButton_[i]])));
}

}  // namespace varelo

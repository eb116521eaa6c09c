#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <optional>

#include "app/ColorSlots.h"

class QPushButton;

namespace varelo {

// Dialog 115 "Set Colors": the 14 colour buttons of the timeplot, the graphical summary and
// the cumulative frequency; OK stores all 17 colours, Cancel nothing.
class ColorsDialog : public QDialog {
    Q_OBJECT

public:
    using Chooser = std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    ColorsDialog(const ColorSet& colors, QWidget* parent = nullptr);

    const ColorSet& Colors() const { return colors_; }
    // The button of "Color n" (1..14).
    QPushButton* ColorButton(int button) const { return buttons_.at(button - 1); }
    QPushButton* StandardButton() const { return standard_; }
    // The colour chooser; the platform's unless replaced.
    void SetChooser(Chooser chooser) { chooser_ = std::move(chooser); }

private:
    void Choose(size_t slot);
    void Redraw();

    ColorSet colors_;
    std::vector<QPushButton*> buttons_;
    std::vector<size_t> slotOfButton_;
    QPushButton* standard_;
    Chooser chooser_;
};

// A colour value of the settings (red in the low byte) as a QColor and back.
QColor ToQColor(unsigned color);
unsigned FromQColor(const QColor& color);

}  // namespace varelo

#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "timeplot/YAxisScaling.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace varelo {

class CVamor800Doc;
class Settings;
class UserInterface;

// Dialog 156 "Timeplot - Scaling Y-axis": per curve its group, recorded extremes, unit, the
// "0 %" and "100 %" values and the axis it labels; OK hands the ranges back to the diagram.
class YAxisScalingDialog : public QDialog {
    Q_OBJECT

public:
    // sources: where the diagram takes its ranges from; the recorded extremes and the names
    // come from the document.
    YAxisScalingDialog(DiagramState& diagram, ScaleSources sources, const CVamor800Doc& doc,
                       Settings& settings, UserInterface& ui, QWidget* parent = nullptr);
    ~YAxisScalingDialog() override;

    const YAxisScaling& Scaling() const { return *scaling_; }
    QRadioButton* ModeButton(int mode) const { return modes_[size_t(mode - 1)]; }
    QCheckBox* ZoomBox() const { return zoom_; }
    QCheckBox* GroupScalingBox() const { return groupScaling_; }
    QComboBox* GroupBox(int row) const { return rows_[size_t(row)].group; }
    QLineEdit* BottomEdit(int row) const { return rows_[size_t(row)].bottom; }
    QLineEdit* TopEdit(int row) const { return rows_[size_t(row)].top; }
    QRadioButton* LeftButton(int row) const { return rows_[size_t(row)].left; }
    QRadioButton* RightButton(int row) const { return rows_[size_t(row)].right; }
    QRadioButton* NoRightButton() const { return noRight_; }

    // OK: the zoom question and the checks of the manual fields may keep the dialog open.
    void accept() override;

private:
    struct Row {
        QComboBox* group;
        QLineEdit* bottom;
        QLineEdit* top;
        QRadioButton* left;
        QRadioButton* right;
        int decimals;  // of the channel's values
    };

    QWidget* BuildRows(const CVamor800Doc& doc);
    void Refresh();

    std::unique_ptr<YAxisScaling> scaling_;
    DiagramState& diagram_;
    Settings& settings_;
    UserInterface& ui_;
    std::array<QRadioButton*, 3> modes_{};
    QCheckBox* zoom_;
    QCheckBox* groupScaling_;
    QButtonGroup* leftGroup_;
    QButtonGroup* rightGroup_;
    QRadioButton* noRight_;
    std::vector<Row> rows_;
};

}  // namespace varelo

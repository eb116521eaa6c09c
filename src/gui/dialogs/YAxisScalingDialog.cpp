#include "gui/dialogs/YAxisScalingDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/AppOptions.h"
#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelFormat.h"

namespace varelo {

namespace {

QString Format(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return QString::fromLatin1(text);
}

// What a field holds: a number as written here or in the regional format; NaN for anything
// else, which the check refuses as out of range.
double Parse(const QString& text) {
    bool ok = false;
    double value = text.trimmed().toDouble(&ok);
    if (!ok) value = QLocale::system().toDouble(text.trimmed(), &ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

bool SameValue(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

YAxisScaling::RecordedExtremes RecordedOf(const CVamor800Doc& doc) {
    return [&doc](int channelId, double& minimum, double& maximum) {
        return doc.ChannelExtremes(channelId, minimum, maximum);
    };
}

QLabel* Header(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

YAxisScalingDialog::YAxisScalingDialog(DiagramState& diagram, ScaleSources sources,
                                       const CVamor800Doc& doc, Settings& settings,
                                       UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      scaling_(std::make_unique<YAxisScaling>(diagram, std::move(sources), RecordedOf(doc))),
      diagram_(diagram),
      settings_(settings),
      ui_(ui),
      modes_{new QRadioButton(QTxt(txt::dlg_yAxisScaling_measurementRange)),
             new QRadioButton(QTxt(txt::dlg_yAxisScaling_extremeValue)),
             new QRadioButton(QTxt(txt::dlg_yAxisScaling_manual))},
      zoom_(new QCheckBox(QTxt(txt::dlg_yAxisScaling_accordingToZoom))),
      groupScaling_(new QCheckBox(QTxt(txt::dlg_yAxisScaling_groupScaling))),
      leftGroup_(new QButtonGroup(this)),
      rightGroup_(new QButtonGroup(this)),
      noRight_(new QRadioButton(QTxt(txt::dlg_yAxisScaling_none))) {
    setWindowTitle(QTxt(txt::dlg_yAxisScaling_title));
    auto* modeBox = new QGroupBox(QTxt(txt::dlg_yAxisScaling_scaling));
    auto* modeLayout = new QHBoxLayout(modeBox);
    auto* modeGroup = new QButtonGroup(this);
    for (int mode = kScaleMeasuringRange; mode <= kScaleManual; ++mode) {
        QRadioButton* button = modes_[size_t(mode - 1)];
        modeGroup->addButton(button, mode);
        modeLayout->addWidget(button);
    }
    modeLayout->addStretch(1);
    modeLayout->addWidget(zoom_);
    modeLayout->addWidget(groupScaling_);
    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        scaling_->SetMode(mode);
        Refresh();
    });
    connect(zoom_, &QCheckBox::toggled, this, [this](bool on) {
        scaling_->SetFromZoom(on);
        Refresh();
    });
    connect(groupScaling_, &QCheckBox::toggled, this, [this](bool on) {
        scaling_->SetGroupScaling(on);
        Refresh();
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeBox);
    layout->addWidget(BuildRows(doc));
    layout->addWidget(buttons);
    Refresh();
}

YAxisScalingDialog::~YAxisScalingDialog() = default;

QWidget* YAxisScalingDialog::BuildRows(const CVamor800Doc& doc) {
    auto* box = new QGroupBox;
    auto* grid = new QGridLayout(box);
    const QStringList headers = {QTxt(txt::dlg_yAxisScaling_group),
                                 QTxt(txt::dlg_yAxisScaling_channel),
                                 QTxt(txt::dlg_yAxisScaling_minimum),
                                 QTxt(txt::dlg_yAxisScaling_maximum),
                                 QStr(1277),
                                 QStringLiteral("0 %"),
                                 QStringLiteral("100 %"),
                                 QTxt(txt::dlg_yAxisScaling_left),
                                 QTxt(txt::dlg_yAxisScaling_right)};
    for (int column = 0; column < headers.size(); ++column)
        grid->addWidget(Header(headers[column]), 0, column);
    const QuantitySettings units = QuantitySettings::Current();
    const PhaseLabels labels = AppOptions::Instance().PhaseLabeling();
    for (int row = 0; row < scaling_->Rows(); ++row) {
        const int channelId = scaling_->ChannelId(row);
        CMeasurementChannel channel;
        channel.SetupChannel(channelId);
        double minimum = 0, maximum = 0;
        const bool recorded = scaling_->Recorded(row, minimum, maximum);
        double begin = 0, end = 0;
        doc.MeasuringRange(channelId, begin, end);
        Row r{new QComboBox,    new QLineEdit,    new QLineEdit,
              new QRadioButton, new QRadioButton, ChannelDecimals(channelId, doc.Data().job, end)};
        const int line = row + 1;
        grid->addWidget(r.group, line, 0);
        grid->addWidget(new QLabel(Q(channel.ChannelName(doc.Data().job, labels))), line, 1);
        grid->addWidget(new QLabel(recorded ? Format(minimum, r.decimals) : "-"), line, 2,
                        Qt::AlignRight);
        grid->addWidget(new QLabel(recorded ? Format(maximum, r.decimals) : "-"), line, 3,
                        Qt::AlignRight);
        grid->addWidget(new QLabel(Q(ChannelUnit(channelId, units))), line, 4);
        grid->addWidget(r.bottom, line, 5);
        grid->addWidget(r.top, line, 6);
        grid->addWidget(r.left, line, 7, Qt::AlignCenter);
        grid->addWidget(r.right, line, 8, Qt::AlignCenter);
        r.bottom->setMaximumWidth(100);
        r.top->setMaximumWidth(100);
        leftGroup_->addButton(r.left, row);
        rightGroup_->addButton(r.right, row);
        connect(r.group, &QComboBox::activated, this, [this, row](int index) {
            scaling_->SetGroup(row, index + 1);  // a refused number shows the old one again
            Refresh();
        });
        connect(r.bottom, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { scaling_->SetBottom(row, Parse(text)); });
        connect(r.top, &QLineEdit::textEdited, this,
                [this, row](const QString& text) { scaling_->SetTop(row, Parse(text)); });
        rows_.push_back(r);
    }
    rightGroup_->addButton(noRight_, -1);
    grid->addWidget(noRight_, scaling_->Rows() + 1, 8, Qt::AlignCenter);
    connect(leftGroup_, &QButtonGroup::idClicked, this, [this](int row) {
        scaling_->SetLeftCurve(row);
        Refresh();
    });
    connect(rightGroup_, &QButtonGroup::idClicked, this, [this](int row) {
        scaling_->SetRightCurve(row);
        Refresh();
    });
    return box;
}

// Shows the model; a field keeps what was typed while it stands for the same value.
void YAxisScalingDialog::Refresh() {
    const YAxisScaling& s = *scaling_;
    for (QRadioButton* button : modes_)
        button->setEnabled(s.ModesEnabled());
    modes_[size_t(s.Mode() - 1)]->setChecked(true);
    {
        const QSignalBlocker block(zoom_);
        zoom_->setChecked(s.FromZoom());
        zoom_->setEnabled(s.ZoomAvailable());
    }
    {
        const QSignalBlocker block(groupScaling_);
        groupScaling_->setChecked(s.GroupScaling());
        groupScaling_->setVisible(s.GroupScalingVisible());
        groupScaling_->setEnabled(s.GroupScalingEnabled());
    }
    for (int row = 0; row < s.Rows(); ++row) {
        const Row& r = rows_[size_t(row)];
        const QSignalBlocker block(r.group);
        r.group->clear();
        for (int group = 1; group <= s.GroupChoices(); ++group)
            r.group->addItem(QString::number(group));
        r.group->setCurrentIndex(s.Group(row) - 1);
        r.group->setEnabled(s.GroupsEnabled());
        const std::pair<QLineEdit*, double> fields[] = {{r.bottom, s.Bottom(row)},
                                                        {r.top, s.Top(row)}};
        for (auto [edit, value] : fields) {
            if (!SameValue(Parse(edit->text()), value)) edit->setText(Format(value, r.decimals));
            edit->setEnabled(s.FieldsEditable());
        }
        r.left->setChecked(s.LeftCurve() == row);
        r.right->setChecked(s.RightCurve() == row);
    }
    if (s.RightCurve() < 0) noRight_->setChecked(true);
}

void YAxisScalingDialog::accept() {
    YAxisScaling::Refusal refusal;
    if (scaling_->Accept(ui_, settings_, diagram_, &refusal)) {
        QDialog::accept();
        return;
    }
    if (refusal.row < 0 || refusal.row >= int(rows_.size())) return;
    QLineEdit* field = refusal.top ? TopEdit(refusal.row) : BottomEdit(refusal.row);
    field->setFocus();
    field->selectAll();
}

}  // namespace varelo

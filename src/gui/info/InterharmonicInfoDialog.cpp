#include "gui/info/InterharmonicInfoDialog.h"

#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextOption>
#include <QVBoxLayout>
#include <algorithm>

#include "document/MeasurementInformation.h"
#include "gui/app/QtText.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

// Tab stops in dialog units: a quarter of the average character width each.
constexpr int kTabStops[] = {13, 21, 35, 70};
constexpr int kLineCharacters = 90;

}  // namespace

InterharmonicInfoDialog::InterharmonicInfoDialog(const CMeasurementJob& job, QWidget* parent)
    : QDialog(parent), list_(new QPlainTextEdit) {
    setWindowTitle(QTxt(txt::dlg_interharmonicInfo_title));
    list_->setReadOnly(true);
    list_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const double unit = QFontMetricsF(list_->font()).averageCharWidth() / 4.0;
    QTextOption option = list_->document()->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    // A field longer than its column moves the next one on to the following stop.
    for (int stop : kTabStops)
        tabs.append(QTextOption::Tab(stop * unit, QTextOption::LeftTab));
    option.setTabs(tabs);
    list_->document()->setDefaultTextOption(option);
    const int count = std::clamp<int>(job.NrInterHarm, 0, kInterharmonicCount);
    QStringList lines;
    for (int n = 0; n < count; ++n)
        lines << Q(InterharmonicChannelLine(job, n, job.PowSysNomFreq, "\t"));
    list_->setPlainText(lines.join(QLatin1Char('\n')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // Room for the four fields and a channel text of 30 characters.
    list_->setMinimumWidth(int(unit * 4 * kLineCharacters));
}

QStringList InterharmonicInfoDialog::Lines() const {
    const QString text = list_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

}  // namespace varelo

#include "gui/job/JobSummaryDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/job/JobProtocolPrintout.h"
#include "gui/print/PrintJob.h"
#include "gui/print/SharedPrinter.h"
#include "job/JobEditor.h"
#include "job/JobSummary.h"
#include "logger/LoggerOperations.h"

namespace varelo {

JobSummaryDialog::JobSummaryDialog(JobEditor& editor, UserInterface& ui, Settings& settings,
                                   CLoggerOperations* operations, QWidget* parent)
    : QDialog(parent), editor_(editor), ui_(ui), settings_(settings), operations_(operations) {
    setWindowTitle(Q(editor_.Title()));
    lines_ = new QTreeWidget;
    lines_->setColumnCount(3);
    lines_->setHeaderHidden(true);
    lines_->setRootIsDecorated(false);
    lines_->setSelectionMode(QAbstractItemView::NoSelection);
    lines_->setFocusPolicy(Qt::NoFocus);
    const JobSummaryColumns shown = SummaryColumns(editor_.Job());
    const std::vector<JobSummaryLine> summary = JobSummary(editor_.Job());
    for (size_t n = 0; n < summary.size(); ++n) {
        const JobSummaryLine& line = summary[n];
        auto* item = new QTreeWidgetItem(lines_, {Q((line.indented ? "    " : "") + line.label),
                                                  Q(line.value), Q(line.neutralValue)});
        if (IsSummaryHeading(summary, n)) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
        }
    }
    lines_->setColumnHidden(2, !shown.neutral);
    for (int column = 0; column < 3; ++column)
        lines_->resizeColumnToContents(column);
    lines_->setMinimumSize(640, 420);

    close_ = new QPushButton(QTxt(txt::dlg_jobSummary_close));
    print_ = new QPushButton(QStr(57607));
    saveLogger_ = new QPushButton(QTxt(txt::dlg_jobSummary_save));
    saveLogger_->setEnabled(operations_ != nullptr);
    savePc_ = new QPushButton(QTxt(txt::dlg_jobSummary_save));
    saveAs_ = new QPushButton(QTxt(txt::dlg_jobSummary_saveAs));
    auto* logger = new QGroupBox(QStr(235));
    (new QHBoxLayout(logger))->addWidget(saveLogger_);
    auto* pc = new QGroupBox(QTxt(txt::dlg_jobSummary_pc));
    auto* p = new QHBoxLayout(pc);
    p->addWidget(savePc_);
    p->addWidget(saveAs_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(logger);
    buttons->addWidget(pc);
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lines_);
    layout->addLayout(buttons);

    connect(close_, &QPushButton::clicked, this, [this] { done(kClose); });
    connect(print_, &QPushButton::clicked, this, &JobSummaryDialog::Print);
    connect(saveLogger_, &QPushButton::clicked, this, &JobSummaryDialog::SaveToLogger);
    auto retitle = [this] { setWindowTitle(Q(editor_.Title())); };
    connect(savePc_, &QPushButton::clicked, this, [this, retitle] {
        editor_.Save();
        retitle();
    });
    connect(saveAs_, &QPushButton::clicked, this, [this, retitle] {
        editor_.SaveAs();
        retitle();
    });
}

void JobSummaryDialog::Print() {
    QPrinter& printer = SharedPrinter();
    QPrintDialog dialog(&printer, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    JobProtocolPrintout printout(editor_.Job());
    PrintRequest request{printout, Q(editor_.FilePath()), nullptr, settings_, ui_, window()};
    RunPrintJob(printer, request);
}

void JobSummaryDialog::SaveToLogger() {
    if (operations_) operations_->WriteJobToLogger(editor_.Job(), editor_.WriteState());
}

}  // namespace varelo

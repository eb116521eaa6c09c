#include "gui/dialogs/LimitValueDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QVBoxLayout>
#include <algorithm>

#include "document/Vamor800Doc.h"
#include "gui/app/QtText.h"
#include "timeplot/DiagramState.h"

namespace varelo {

namespace {

std::vector<int> ChannelsOf(const DiagramState& diagram) {
    std::vector<int> channels;
    for (const Curve& curve : diagram.Curves())
        channels.push_back(curve.channelId);
    return channels;
}

// Entries are drawn with tab stops at 30 and 40 dialog units (a quarter of the average
// character width each), moved right together as far as the longest channel name needs, so
// that the limits form a column.
class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(const QStringList& texts, const QFont& font, QObject* parent)
        : QStyledItemDelegate(parent) {
        const QFontMetrics metrics(font);
        const double unit = metrics.averageCharWidth() / 4.0;
        double widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, double(metrics.horizontalAdvance(text.section('\t', 0, 0))));
        const double first = std::max(30 * unit, widest + 8 * unit);
        stops_ = {first, first + 10 * unit};
        width_ = 0;
        for (const QString& text : texts)
            width_ =
                std::max(width_, int(first) + metrics.horizontalAdvance(text.section('\t', 1)));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString text = plain.text;
        plain.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter,
                                            option.widget);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setTabArray(stops_);
        layout.setWrapMode(QTextOption::NoWrap);
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(option.rect.adjusted(kMargin, 0, -kMargin, 0)), text, layout);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(width_ + 2 * kMargin);
        return size;
    }

private:
    static constexpr int kMargin = 4;
    QList<qreal> stops_;
    int width_;
};

}  // namespace

LimitValueDialog::LimitValueDialog(const DiagramState& diagram, const CVamor800Doc& doc,
                                   QWidget* parent)
    : QDialog(parent),
      choice_(std::make_unique<LimitValueChoice>(
          ChannelsOf(diagram),
          LimitLineInputs{doc.Limits(), doc.Data().job, QuantitySettings::Current()},
          AppOptions::Instance().PhaseLabeling(), diagram.LimitCurve(), diagram.LimitBand())),
      list_(new QListWidget),
      without_(new QPushButton(QTxt(txt::dlg_limitValue_without))) {
    setWindowTitle(QTxt(txt::dlg_limitValue_title));
    QStringList texts;
    for (const LimitValueChoice::Entry& entry : choice_->Entries())
        texts << Q(entry.text);
    list_->setItemDelegate(new TabStopDelegate(texts, list_->font(), list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->addItems(texts);
    list_->setMinimumWidth(std::max(340, list_->sizeHintForColumn(0) + 30));
    list_->setCurrentRow(choice_->Selection());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(choice_->CanAccept());
    buttons->addButton(without_, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(without_, &QPushButton::clicked, this, [this] {
        choice_->ChooseNone();
        list_->setCurrentRow(-1);
        QDialog::accept();
    });
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { choice_->Select(row); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
}

LimitValueDialog::~LimitValueDialog() = default;

}  // namespace varelo

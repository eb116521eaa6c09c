#include "gui/views/ShfgView.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ClassLimitsDialog.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelFormat.h"

namespace varelo {

namespace {

constexpr int kLimitScaling = 33143, kNominalScaling = 33146, kClassLimits = 33144,
              kNewPagePerPhase = 33076, kTimeplot = 33023;
constexpr const char* kColorSection = "Cumulativ frequency";
constexpr int kVoltageParameters[] = {11, 13, 12, 18, 1, 2};
constexpr int kCurrentParameters[] = {31, 32, 33, 37, 41, 42, 43, 47};

bool IsSingle(int channelId) {
    const QuantityRow* row = FindQuantity(channelId % 1000);
    return row && row->single;
}

// Pages of the table; with a page per phase, each phase starts a page of its own.
class ShfgPrintout : public Printout {
public:
    ShfgPrintout(int kind, ShfgPicture picture) : kind_(kind), picture_(std::move(picture)) {}
    int Kind() const override { return kind_; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions& options,
                   int page) override {
        if (page == 1) next_ = 0;
        next_ = ShfgPainter(picture_, options)
                    .Paint(painter, area, next_, picture_.settings.newPageForPhase);
        return next_ < picture_.lines.size();
    }

private:
    int kind_;
    ShfgPicture picture_;
    size_t next_ = 0;
};

}  // namespace

CShfgView::CShfgView(const ViewContext& context, CumulativeView kind, QWidget* parent)
    : PaintedResultView(context, parent), kind_(kind) {
    menu_ = new QMenu(QTxt(txt::menu_cumulativeFrequency), this);
    for (int id : {kLimitScaling, kNominalScaling, kClassLimits, kNewPagePerPhase, kTimeplot}) {
        QAction* action = MakeCommandAction(id);
        action->setCheckable(id == kLimitScaling || id == kNominalScaling ||
                             id == kNewPagePerPhase);
        menu_->addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        actions_.insert(id, action);
    }
    picture_.settings = CumulativeSettings::Read(*context_.settings, kind_);
    Rebuild();
}

int CShfgView::TemplateId() const {
    return kind_ == CumulativeView::kVoltage ? kTemplate : CShfgViewCurrent::kTemplate;
}

QString CShfgView::ViewName() const {
    return Q(Str(kind_ == CumulativeView::kVoltage ? 1230 : 1231));
}

void CShfgView::OnDocumentUpdate() {
    Rebuild();
}

void CShfgView::Rebuild() {
    const CVamor800Doc& doc = *context_.doc;
    const auto colors = LoadSectionColors(*context_.settings, kColorSection);
    for (size_t i = 0; i < picture_.colors.size() && i < colors.size(); ++i)
        picture_.colors[i] = ColorOf(colors[i]);
    picture_.channels = ComputeCumulativeFrequency(kind_, doc.CumulativeFrequencyInput(),
                                                   picture_.settings.lowerClassLimit,
                                                   picture_.settings.upperClassLimit);
    picture_.captions.clear();
    picture_.units.clear();
    picture_.decimals.clear();
    const QuantitySettings quantity = QuantitySettings::Current();
    for (const CumulativeChannel& c : picture_.channels) {
        picture_.captions.push_back(Q(CumulativeCaption(c.channelId, doc.Data().job)));
        picture_.units.push_back(Q(ChannelUnit(c.channelId, quantity)));
        double begin = 0, end = 0;
        doc.MeasuringRange(c.channelId, begin, end);
        picture_.decimals.push_back(ChannelDecimals(c.channelId, doc.Data().job, end));
    }
    // A selection outlives an update only where its channels are still there.
    std::erase_if(picture_.selection, [&](int i) { return i >= int(picture_.channels.size()); });
    if (picture_.detail >= int(picture_.channels.size())) picture_.detail = -1;
    BuildLines();
    UpdateActions();
    UpdateScrollRange();
    update();
}

// A heading for every phase, and one where its parameters begin.
void CShfgView::BuildLines() {
    picture_.lines.clear();
    const PhaseLabels labels = AppOptions::Instance().PhaseLabeling();
    const auto& parameters =
        kind_ == CumulativeView::kVoltage
            ? std::vector<int>(std::begin(kVoltageParameters), std::end(kVoltageParameters))
            : std::vector<int>(std::begin(kCurrentParameters), std::end(kCurrentParameters));
    const QString group = kind_ == CumulativeView::kVoltage
                              ? QTxt(txt::view_shfg_voltageParameters)
                              : QTxt(txt::view_shfg_currentParameters);
    int phase = -1;
    bool inParameters = false;
    for (int i = 0; i < int(picture_.channels.size()); ++i) {
        const int id = picture_.channels[size_t(i)].channelId;
        if (!IsSingle(id) && id / 1000 - 1 != phase) {
            phase = id / 1000 - 1;
            inParameters = false;
            picture_.lines.push_back({Q(PhaseLabel(1, phase, labels)), -1, true});
        }
        const bool parameter =
            std::find(parameters.begin(), parameters.end(), id % 1000) != parameters.end();
        if (parameter && !inParameters) {
            inParameters = true;
            picture_.lines.push_back({group, -1, false});
        }
        picture_.lines.push_back({QString(), i, false});
    }
}

bool CShfgView::IsCommandEnabled(int commandId) const {
    if (commandId == kTimeplot) return !picture_.selection.empty();
    return actions_.contains(commandId);
}

bool CShfgView::IsCommandChecked(int commandId) const {
    switch (commandId) {
        case kLimitScaling: return picture_.settings.scaleMode == 0;
        case kNominalScaling: return picture_.settings.scaleMode == 1;
        case kNewPagePerPhase: return picture_.settings.newPageForPhase;
        default: return false;
    }
}

void CShfgView::UpdateActions() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
        it.value()->setChecked(IsCommandChecked(it.key()));
    }
}

bool CShfgView::RunCommand(int commandId) {
    if (!IsCommandEnabled(commandId)) return false;
    Settings& settings = *context_.settings;
    switch (commandId) {
        case kLimitScaling:
        case kNominalScaling:
            picture_.settings.scaleMode = commandId == kNominalScaling ? 1 : 0;
            picture_.settings.WriteScaleMode(settings, kind_);
            break;
        case kNewPagePerPhase:
            picture_.settings.newPageForPhase = !picture_.settings.newPageForPhase;
            picture_.settings.WriteNewPageForPhase(settings);
            break;
        case kClassLimits: ChooseClassLimits(); return true;
        case kTimeplot: {
            std::vector<int> channels;
            for (int i : picture_.selection)
                channels.push_back(picture_.channels[size_t(i)].channelId);
            context_.doc->HandOverChannels(channels, {}, true);
            emit DocumentCommandRequested(cmd::kTimeplotManual);
            return true;
        }
        default: return false;
    }
    UpdateActions();
    update();
    return true;
}

void CShfgView::ChooseClassLimits() {
    ClassLimitsDialog dialog(picture_.settings.upperClassLimit, picture_.settings.lowerClassLimit,
                             *context_.ui, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    picture_.settings.upperClassLimit = dialog.Upper();
    picture_.settings.lowerClassLimit = dialog.Lower();
    picture_.settings.WriteClassLimits(*context_.settings);
    Rebuild();  // the class values follow the limits at once
}

void CShfgView::ClickChannel(int channel) {
    if (channel < 0 || channel >= int(picture_.channels.size())) return;
    auto& selection = picture_.selection;
    if (auto at = std::find(selection.begin(), selection.end(), channel); at != selection.end())
        selection.erase(at);
    else if (int(selection.size()) < kMaxSelection)
        selection.push_back(channel);
    picture_.detail = channel;
    UpdateActions();
    update();
}

void CShfgView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const PaintOptions options = ScreenOptions();
    const QRectF area = ContentArea();
    const QPointF at = event->position() + QPointF(0, ScrollOffset());
    ClickChannel(ShfgPainter(picture_, options).ChannelAt(at, area, this));
}

bool CShfgView::PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) {
    if (area.width() < options.Mm(ShfgPainter::kMinimumWidthMm)) return false;
    ShfgPainter(picture_, options).Paint(painter, area, 0, false);
    return true;
}

double CShfgView::ContentHeight(const PaintOptions& options, double) const {
    return ShfgPainter(picture_, options).ContentHeight(this);
}

std::unique_ptr<Printout> CShfgView::MakePrintout() const {
    ShfgPicture printed = picture_;
    return std::make_unique<ShfgPrintout>(
        kind_ == CumulativeView::kVoltage ? kPrintVoltageCumulative : kPrintCurrentCumulative,
        std::move(printed));
}

}  // namespace varelo

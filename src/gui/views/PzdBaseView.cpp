#include "gui/views/PzdBaseView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "app/AppOptions.h"
#include "app/ColorSlots.h"
#include "app/CommandTable.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/dialogs/LimitValueDialog.h"
#include "gui/dialogs/XAxisScalingDialog.h"
#include "gui/dialogs/YAxisScalingDialog.h"
#include "gui/views/PaintedResultView.h"
#include "gui/views/ViewPrinting.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelFormat.h"
#include "timeplot/LimitLine.h"
#include "timeplot/NiceScale.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {

constexpr int kTitle = 1101;
constexpr int kTooSmallText = 1434;
constexpr const char* kColorSection = "Level-Time Diagram";

namespace id {
constexpr int kMeasurementPeriod = 33145, kDays28 = 33140, kDays7 = 33141, kDay1 = 33139;
constexpr int kEnlarge = 33149, kReduce = 33153, kZoomUndo = 33151;
constexpr int kNextSegment = 33159, kPreviousSegment = 33161, kToBeginning = 33157, kToEnd = 33158;
constexpr int kScalingLeft = 33147, kScalingRight = 33148;
constexpr int kEnergy = 33044;
constexpr int kWidthThin = 33093, kWidthMedium = 33094, kWidthLarge = 33092;
constexpr int kXAxis = 33156, kYAxis = 33154, kLimitValue = 33045, kChannelSelection = 33046;
constexpr int kValueList = 33021;
constexpr int kApplication = 33138;
}  // namespace id

constexpr int kNoLimitForParameter = 1162;

struct PeriodCommand {
    int command;
    int period;
};
constexpr PeriodCommand kPeriodCommands[] = {{id::kMeasurementPeriod, kMeasurementPeriod},
                                             {id::kDays28, kTwentyEightDaysPeriod},
                                             {id::kDays7, kSevenDaysPeriod},
                                             {id::kDay1, kOneDayPeriod}};
constexpr int kWidthCommands[3] = {id::kWidthThin, id::kWidthMedium, id::kWidthLarge};

int PeriodOfCommand(int command) {
    for (const PeriodCommand& c : kPeriodCommands) {
        if (c.command == command) return c.period;
    }
    return 0;
}

int WidthOfCommand(int command) {
    const auto* at = std::find(std::begin(kWidthCommands), std::end(kWidthCommands), command);
    return at == std::end(kWidthCommands) ? -1 : int(at - std::begin(kWidthCommands));
}

}  // namespace

CPzdBaseView::CPzdBaseView(const ViewContext& context, TimeAxis axis, QWidget* parent)
    : ResultView(context, parent), state_(std::move(axis)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(160, 120);
    scroll_ = new QScrollBar(Qt::Horizontal, this);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int position) {
        if (state_.Axis().ScrollTo(position)) Changed();
    });
    settings_ = DiagramSettings::Read(*context_.settings);
    state_.SetScalingMode(settings_.scalingMode);
    BuildMenus();
    OnDocumentUpdate();
}

QString CPzdBaseView::ViewName() const {
    return Q(Str(kTitle));
}

void CPzdBaseView::BuildMenus() {
    QMenu* data = new QMenu(QTxt(txt::menu_data), this);
    for (int command : {id::kChannelSelection, id::kApplication, id::kLimitValue, id::kValueList})
        AddCommandAction(data, command);
    AddCommandAction(data, id::kEnergy, true);
    QMenu* scaling = new QMenu(QTxt(txt::menu_scaling), this);
    for (const PeriodCommand& c : kPeriodCommands)
        AddCommandAction(scaling, c.command, true);
    scaling->addSeparator();
    for (int command : {id::kEnlarge, id::kReduce, id::kZoomUndo, id::kXAxis})
        AddCommandAction(scaling, command);
    scaling->addSeparator();
    for (int command : {id::kPreviousSegment, id::kNextSegment, id::kToBeginning, id::kToEnd})
        AddCommandAction(scaling, command);
    scaling->addSeparator();
    AddCommandAction(scaling, id::kScalingLeft, true);
    AddCommandAction(scaling, id::kScalingRight, true);
    AddCommandAction(scaling, id::kYAxis);
    scaling->addSeparator();
    for (int command : kWidthCommands)
        AddCommandAction(scaling, command, true);
    menus_ = {data, scaling};
}

QAction* CPzdBaseView::AddCommandAction(QMenu* menu, int commandId, bool checkable) {
    QAction* action = MakeCommandAction(commandId);
    action->setCheckable(checkable);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, commandId] { RunCommand(commandId); });
    actions_.insert(commandId, action);
    return action;
}

QAction* CPzdBaseView::CommandAction(int commandId) const {
    return actions_.value(commandId);
}

QList<QMenu*> CPzdBaseView::WindowMenus() {
    return menus_;
}

void CPzdBaseView::OnDocumentUpdate() {
    const auto colors = LoadSectionColors(*context_.settings, kColorSection);
    for (size_t i = 0; i < colors_.size() && i < colors.size(); ++i)
        colors_[i] = ColorOf(colors[i]);
    RebuildCurveData();
    // The limit file may have changed under the limit line.
    if (state_.LimitCurve() >= 0 && !Limit().defined) {
        state_.SetLimitLine(-1, 0);
        context_.ui->ShowMessage(kNoLimitForParameter, Str(kNoLimitForParameter),
                                 MessageIcon::Information);
    }
    Changed();
}

LimitLine CPzdBaseView::Limit() const {
    const int curve = state_.LimitCurve();
    if (curve < 0) return {};
    const CVamor800Doc& doc = *context_.doc;
    return LimitLine::For(state_.Curves()[size_t(curve)].channelId, state_.LimitBand(),
                          {doc.Limits(), doc.Data().job, QuantitySettings::Current()});
}

void CPzdBaseView::ChooseChannels() {
    ChannelSelectionDialog dialog(*context_.doc, ChannelLayout::kTimeplot, *context_.settings,
                                  *context_.ui, &state_, false, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    state_.DiscardZoomHistory();
    SetCurves(dialog.Channels(), false);
}

void CPzdBaseView::ScaleYAxis() {
    YAxisScalingDialog dialog(state_, Sources(), *context_.doc, *context_.settings, *context_.ui,
                              this);
    ModalRunner::Exec(dialog);  // OK hands the ranges back itself
}

void CPzdBaseView::ScaleXAxis() {
    XAxisScalingDialog dialog(state_.Axis(), this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    state_.Axis().SetWindowStart(dialog.Start());
    state_.Axis().SetPeriod(dialog.Period(), false);
}

void CPzdBaseView::ChooseLimitLine() {
    LimitValueDialog dialog(state_, *context_.doc, this);
    if (ModalRunner::Exec(dialog) != QDialog::Accepted) return;
    state_.SetLimitLine(dialog.Curve(), dialog.Band());
}

void CPzdBaseView::SetCurves(const std::vector<int>& channelIds, bool freshAxisCurves) {
    state_.SetCurves(channelIds);
    if (state_.GroupScaling()) state_.AssignGroups();
    if (freshAxisCurves)
        state_.ChooseAxisCurvesAfresh();
    else
        state_.KeepAxisCurves();
    RebuildCurveData();
    state_.ComputeRanges(Sources());
    Changed();
}

void CPzdBaseView::RebuildCurveData() {
    const CVamor800Doc& doc = *context_.doc;
    const QuantitySettings quantity = QuantitySettings::Current();
    std::vector<CMeasurementChannel> channels;
    texts_.clear();
    for (const Curve& curve : state_.Curves()) {
        CMeasurementChannel channel;
        channel.SetupChannel(curve.channelId);
        channel.plt = doc.Plt();
        double begin = 0, end = 0;
        doc.MeasuringRange(curve.channelId, begin, end);
        texts_.push_back({Q(channel.ChannelName(doc.Data().job)),
                          Q(ChannelUnit(curve.channelId, quantity)),
                          ChannelDecimals(curve.channelId, doc.Data().job, end),
                          IsRangeLimited(channel.QuantityId())});
        channels.push_back(std::move(channel));
    }
    data_.Build(doc.Data().intervals, channels, quantity, doc.GetIntervalLength());
}

ScaleSources CPzdBaseView::Sources() const {
    const CVamor800Doc* doc = context_.doc;
    return {[doc](int channelId, double& begin, double& end) {
                doc->MeasuringRange(channelId, begin, end);
            },
            [this](int channelId, double& minimum, double& maximum) {
                for (int i = 0; i < state_.CurveCount(); ++i) {
                    if (state_.Curves()[size_t(i)].channelId == channelId)
                        return data_.Extremes(i, minimum, maximum);
                }
                return false;
            }};
}

void CPzdBaseView::Changed() {
    UpdateScrollBar();
    UpdateActions();
    update();
}

PzdPicture CPzdBaseView::Picture(bool decimate) const {
    PzdPicture p;
    p.state = &state_;
    p.data = &data_;
    p.texts = texts_;
    p.colors = colors_;
    p.widthChoice = settings_.widthChoice;
    p.mediumTenthsMm = settings_.mediumTenthsMm;
    p.thickTenthsMm = settings_.thickTenthsMm;
    p.energy = energy_;
    p.decimate = decimate;
    if (const LimitLine limit = Limit(); limit.defined) {
        p.limitLine = true;
        p.upperLimit = limit.upper;
        p.hasLowerLimit = limit.twoSided;
        p.lowerLimit = limit.lower;
    }
    if (energy_) {
        const TimeAxis& axis = state_.Axis();
        const int64_t start = axis.WindowStart().SecondsSince(data_.Origin());
        const int64_t end = axis.WindowEnd().SecondsSince(data_.Origin());
        for (int i = 0; i < state_.CurveCount(); ++i) {
            double negative = 0, positive = 0;
            if (state_.Curves()[size_t(i)].power)
                WindowEnergy(data_, i, start, end, negative, positive);
            p.energies.emplace_back(negative, positive);
        }
    }
    return p;
}

bool CPzdBaseView::PaintDiagram(QPainter& painter, const QRectF& area, const PaintOptions& options,
                                bool decimate) const {
    const PzdPicture picture = Picture(decimate);
    return PzdPainter(picture, options).Paint(painter, area);
}

PaintOptions CPzdBaseView::ScreenOptions() const {
    PaintOptions options;
    options.pxPerMm = logicalDpiY() / 25.4;
    return options;
}

QRectF CPzdBaseView::ClientArea() const {
    const int bar = scroll_->isVisible() ? scroll_->height() : 0;
    return QRectF(0, 0, width(), height() - bar);
}

QRect CPzdBaseView::DiagramPixels() const {
    const PzdPicture picture = Picture(true);
    return PzdPainter(picture, ScreenOptions()).DiagramRect(ClientArea(), this).toRect();
}

void CPzdBaseView::paintEvent(QPaintEvent*) {
    if (recalculate_) {
        recalculate_ = false;
        state_.ComputeRanges(Sources());
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!PaintDiagram(painter, ClientArea(), ScreenOptions())) {
        painter.setPen(Qt::black);
        painter.drawText(rect().adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                         Q(Str(kTooSmallText)));
        scroll_->hide();
        return;
    }
    if (!band_.isNull()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 0, Qt::DashLine));
        painter.drawRect(band_.intersected(DiagramPixels()));
    }
}

void CPzdBaseView::resizeEvent(QResizeEvent*) {
    UpdateScrollBar();
}

void CPzdBaseView::UpdateScrollBar() {
    const TimeAxis& axis = state_.Axis();
    const bool fits = width() >= PzdPainter::kMinimumWidth &&
                      height() >= PzdPainter::kMinimumHeight + scroll_->sizeHint().height();
    if (!axis.Scrolls() || !fits) {
        scroll_->hide();
        return;
    }
    const PzdPicture picture = Picture(true);
    const QRectF diagram = PzdPainter(picture, ScreenOptions()).DiagramRect(rect(), this);
    const int barHeight = scroll_->sizeHint().height();
    scroll_->setGeometry(int(diagram.left()), height() - barHeight, int(diagram.width()),
                         barHeight);
    const QSignalBlocker block(scroll_);
    scroll_->setRange(0, int(std::clamp<int64_t>(axis.ScrollMax(), 0, INT32_MAX)));
    scroll_->setPageStep(int(axis.PageSteps()));
    scroll_->setSingleStep(1);
    scroll_->setValue(int(std::clamp<int64_t>(axis.ScrollPosition(), 0, INT32_MAX)));
    scroll_->show();
}

void CPzdBaseView::Scroll(int64_t steps) {
    if (state_.Axis().ScrollTo(state_.Axis().ScrollPosition() + steps)) Changed();
}

// As many whole pages as possible towards one end.
void CPzdBaseView::PageToEnd(bool forward) {
    TimeAxis& axis = state_.Axis();
    const int64_t page = axis.PageSteps();
    if (page <= 0) return;
    const int64_t position = axis.ScrollPosition();
    const int64_t pages = forward ? (axis.ScrollMax() - position) / page : position / page;
    Scroll((forward ? 1 : -1) * pages * page);
}

bool CPzdBaseView::IsCommandEnabled(int commandId) const {
    const TimeAxis& axis = state_.Axis();
    if (const int period = PeriodOfCommand(commandId)) return axis.Period() != period;
    switch (commandId) {
        case id::kEnlarge: return axis.CanEnlarge();
        case id::kReduce: return axis.CanReduce();
        case id::kZoomUndo: return state_.HasZoomHistory();
        case id::kNextSegment:
        case id::kToEnd: return axis.CanPageForward();
        case id::kPreviousSegment:
        case id::kToBeginning: return axis.CanPageBack();
        case id::kScalingLeft:
        case id::kScalingRight:
        case id::kXAxis:
        case id::kYAxis:
        case id::kLimitValue:
        case id::kValueList:
        case id::kApplication:
        case id::kChannelSelection: return true;
        case id::kEnergy:
            return std::any_of(state_.Curves().begin(), state_.Curves().end(),
                               [](const Curve& c) { return c.power; });
        default: return WidthOfCommand(commandId) >= 0;
    }
}

bool CPzdBaseView::IsCommandChecked(int commandId) const {
    if (const int period = PeriodOfCommand(commandId)) return state_.Axis().Period() == period;
    switch (commandId) {
        case id::kScalingLeft: return scalingLeft_;
        case id::kScalingRight: return !scalingLeft_;
        case id::kEnergy: return energy_;
        default: return WidthOfCommand(commandId) == settings_.widthChoice;
    }
}

void CPzdBaseView::UpdateActions() {
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
        it.value()->setChecked(IsCommandChecked(it.key()));
    }
}

// The list starts at the diagram's window, or at the measurement's start when the window
// begins before it.
void CPzdBaseView::OpenValueList() {
    std::vector<int> channels;
    for (const Curve& curve : state_.Curves())
        channels.push_back(curve.channelId);
    const CTimeStamp& windowStart = state_.Axis().WindowStart();
    const CTimeStamp& measured = context_.doc->Data().job.MeasStartMeasured;
    context_.doc->SetValueListChannels(channels, std::max(windowStart, measured));
    emit DocumentCommandRequested(cmd::kValueList);
}

bool CPzdBaseView::RunCommand(int commandId) {
    if (!IsCommandEnabled(commandId)) return false;
    TimeAxis& axis = state_.Axis();
    if (const int period = PeriodOfCommand(commandId)) {
        ChoosePeriod(period);
    } else if (const int width = WidthOfCommand(commandId); width >= 0) {
        settings_.widthChoice = width;
        DiagramSettings::WriteWidthChoice(*context_.settings, width);
    } else {
        switch (commandId) {
            case id::kEnlarge: axis.SetPeriod(axis.Period() - 1, true); break;
            case id::kReduce: axis.SetPeriod(axis.Period() + 1, true); break;
            case id::kZoomUndo: state_.UndoZoom(); break;
            case id::kNextSegment: Scroll(axis.PageSteps()); break;
            case id::kPreviousSegment: Scroll(-axis.PageSteps()); break;
            case id::kToBeginning: PageToEnd(false); break;
            case id::kToEnd: PageToEnd(true); break;
            case id::kScalingLeft: scalingLeft_ = true; break;
            case id::kScalingRight: scalingLeft_ = false; break;
            case id::kEnergy: energy_ = !energy_; break;
            case id::kChannelSelection: ChooseChannels(); break;
            case id::kYAxis: ScaleYAxis(); break;
            case id::kXAxis: ScaleXAxis(); break;
            case id::kLimitValue: ChooseLimitLine(); break;
            case id::kValueList: OpenValueList(); return true;
            // A new diagram window of the same document, its curves from an application.
            case id::kApplication: emit DocumentCommandRequested(cmd::kTimeplotAoa); return true;
            default: return false;
        }
    }
    Changed();
    return true;
}

void CPzdBaseView::keyPressEvent(QKeyEvent* event) {
    const TimeAxis& axis = state_.Axis();
    switch (event->key()) {
        case Qt::Key_PageUp: Scroll(-axis.PageSteps()); break;
        case Qt::Key_PageDown: Scroll(axis.PageSteps()); break;
        case Qt::Key_Home: PageToEnd(false); break;
        case Qt::Key_End: PageToEnd(true); break;
        case Qt::Key_Left: Scroll(-1); break;
        case Qt::Key_Right: Scroll(1); break;
        default: ResultView::keyPressEvent(event); return;
    }
}

int CPzdBaseView::LegendEntryAt(const QPoint& position) const {
    const PzdPicture picture = Picture(true);
    const auto rects = PzdPainter(picture, ScreenOptions()).LegendRects(ClientArea(), this);
    for (size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].contains(position)) return int(i);
    }
    return -1;
}

void CPzdBaseView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (const int curve = LegendEntryAt(at); curve >= 0) {
        if (scalingLeft_)
            state_.SetLeftCurve(curve);
        else
            state_.SetRightCurve(curve);
        if (event->modifiers() & Qt::ShiftModifier) state_.DrawLast(curve);
        Changed();
        return;
    }
    if (state_.Axis().Period() != kFirstPeriod && DiagramPixels().contains(at)) dragStart_ = at;
}

void CPzdBaseView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (dragStart_) {
        band_ = QRect(*dragStart_, at).normalized();
        update();
        return;
    }
    // Over a legend entry the cursor tells which axis a click chooses.
    if (LegendEntryAt(at) >= 0)
        setCursor(scalingLeft_ ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
    else
        unsetCursor();
}

void CPzdBaseView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragStart_ || event->button() != Qt::LeftButton) return;
    const QRect diagram = DiagramPixels();
    const QRect band = QRect(*dragStart_, event->position().toPoint()).normalized() & diagram;
    dragStart_.reset();
    band_ = QRect();
    state_.Zoom({band.left(), band.top(), band.width(), band.height()},
                {diagram.left(), diagram.top(), diagram.width(), diagram.height()});
    Changed();
}

std::unique_ptr<Printout> CPzdBaseView::MakePrintout() const {
    // The printout draws what the window shows now, from its own copy.
    auto copy = std::make_shared<const PzdPicture>(Picture(true));
    auto state = std::make_shared<const DiagramState>(state_);
    auto data = std::make_shared<const CurveData>(data_);
    return std::make_unique<SinglePagePrintout>(
        kPrintTimeplot,
        [copy, state, data](QPainter& painter, const QRectF& area, const PaintOptions& options) {
            PzdPicture picture = *copy;
            picture.state = state.get();
            picture.data = data.get();
            return PzdPainter(picture, options).Paint(painter, area);
        });
}

void CPzdBaseView::Print(bool askPrinter) {
    PrintView(*this, context_, *MakePrintout(), askPrinter);
}

}  // namespace varelo

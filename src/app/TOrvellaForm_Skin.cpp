// Skin mode: the pie or the timeline alone in a small borderless, optionally
// translucent window that stays on top, shows the time and is dragged with the mouse.
#include "app/TOrvellaForm.h"

#include "graphs/KMainGraphSetup.h"
#include "graphs/KTSchedulePie.h"
#include "graphs/KTScheduleTimeline.h"
#include "platform/core/KClock.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

namespace {
const char *const SizeActions[5] = {"SkinModeSize_ORG", "SkinModeSize_L", "SkinModeSize_M1",
                                    "SkinModeSize_M2", "SkinModeSize_S"};
const char *const TranspActions[6] = {"SkinModeTransp_0", "SkinModeTransp_1", "SkinModeTransp_2",
                                      "SkinModeTransp_3", "SkinModeTransp_4", "SkinModeTransp_5"};
} // namespace

int TOrvellaForm::SkinAlpha(int level)
{
    static const int alpha[6] = {255, 220, 180, 140, 100, 60};
    return (level >= 0 && level <= 5) ? alpha[level] : 220;
}

TOrvellaForm::SkinSizeFactors TOrvellaForm::SkinFactors(int viewType, int size)
{
    // {height, width, mark} per size: ORG, L, M1, M2, S. The timeline keeps half its width at M2 and S.
    static const SkinSizeFactors pie[5] = {
        {1.0, 1.0, 13}, {0.8, 0.8, 15}, {0.5, 0.5, 10}, {0.4, 0.4, 8}, {0.3, 0.3, 6}};
    static const SkinSizeFactors timeline[5] = {
        {1.0, 1.0, 13}, {0.8, 0.8, 15}, {0.5, 0.5, 10}, {0.4, 0.5, 8}, {0.3, 0.5, 6}};
    if (size < 0 || size > 4)
        size = 0;
    return viewType == vtTimeline ? timeline[size] : pie[size];
}

void TOrvellaForm::SetClientArea(QSize size)
{
    PanelMainView_1->setFixedSize(size);
    if (layout())
        layout()->activate();
    adjustSize();
}

void TOrvellaForm::ReshowAfterFlagChange(bool wasVisible)
{
    // Changing the window's flags hides it.
    if (wasVisible && !isVisible())
        show();
}

void TOrvellaForm::BindSkinCommands()
{
    connect(Action("ViewSkinMode"), &QAction::triggered, this, &TOrvellaForm::ViewSkinModeExecute);
    connect(EnterSkinModeButton, &QToolButton::clicked, this, [this] {
        if (!SkinMode)
            EnterSkinMode();
    });
    connect(ExitSkinModeButton, &QToolButton::clicked, this, [this] {
        if (SkinMode)
            ExitSkinMode();
    });
    connect(Action("SkinModeExit"), &QAction::triggered, this, &TOrvellaForm::ExitSkinMode);
    connect(Action("SkinModeStayOnTop"), &QAction::triggered, this,
            [this] { SetSkinStayOnTop(!SkinStayOnTop); });
    const int sizes[5] = {0, 1, 2, 3, 4};
    for (int size : sizes)
        connect(Action(SizeActions[size]), &QAction::triggered, this, [this, size] { SetSkinSize(size); });
    for (int level = 0; level < 6; ++level)
        connect(Action(TranspActions[level]), &QAction::triggered, this,
                [this, level] { SetSkinTransparency(level); });
}

void TOrvellaForm::ViewSkinModeExecute()
{
    if (SkinMode)
        ExitSkinMode();
    else
        EnterSkinMode();
}

void TOrvellaForm::EnterSkinMode()
{
    if (SkinMode || (ViewType != vtPie && ViewType != vtTimeline))
        return;
    const bool wasVisible = isVisible();
    SkinMode = true;
    NormalPos = pos();
    RememberFrameMargins();

    setWindowFlag(Qt::FramelessWindowHint, true);
    menuBar()->hide();
    SchListPanel->move(SchListPanel->x(), 0);
    for (QWidget *w : {static_cast<QWidget *>(ControlPanel1), static_cast<QWidget *>(ControlPanel2),
                       static_cast<QWidget *>(SchTitlePanel), static_cast<QWidget *>(WeekPanel),
                       static_cast<QWidget *>(SchModDispBarPanel)})
        w->hide();
    SetClientArea(SchListPanel->size());

    SetSkinTransparency(SkinTransparency);

    EnterSkinModeButton->hide();
    ExitSkinModeButton->show();
    SkinModeClockLabel->show();

    AttachSkinHandlers(true);

    SetSkinStayOnTop(SkinStayOnTop);
    SetSkinSize(SkinSize);
    move(SkinPos);
    ReshowAfterFlagChange(wasVisible);
    // The clock shows the time at once, not only at the next tick.
    SkinModeClockLabel->setText(
        QString::fromStdU16String(FormatTime(ToClockTime(platform_.Clock->Now().Time), true)));
}

void TOrvellaForm::ExitSkinMode()
{
    if (!SkinMode)
        return;
    const bool wasVisible = isVisible();
    SkinMode = false;
    Dragging = false;
    SkinPos = pos();

    menuBar()->show();
    const int size = SkinSize;
    SetSkinSize(0);
    SkinSize = size;

    SchListPanel->move(SchListPanel->x(), SchTitlePanel->y() + SchTitlePanel->height());
    for (QWidget *w : {static_cast<QWidget *>(ControlPanel1), static_cast<QWidget *>(ControlPanel2),
                       static_cast<QWidget *>(SchTitlePanel), static_cast<QWidget *>(WeekPanel),
                       static_cast<QWidget *>(SchModDispBarPanel)})
        w->show();

    setWindowOpacity(1.0);
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    setWindowFlag(Qt::FramelessWindowHint, false);

    const QSize windowSize = ComputeWindowSize(screenSize_);
    ApplyWindowSize(windowSize.height(), windowSize.width());
    if (layout())
        layout()->activate();
    adjustSize();
    // Back where it was, the whole frame inside the screen's available area.
    PlaceFrameOnScreen(NormalPos);

    EnterSkinModeButton->show();
    ExitSkinModeButton->hide();
    SkinModeClockLabel->hide();
    PlaceSkinButtons();

    AttachSkinHandlers(false);
    ReshowAfterFlagChange(wasVisible);
}

void TOrvellaForm::AttachSkinHandlers(bool on)
{
    // The graph drags the window, opens the skin menu and repaints the panel when its frame popup goes.
    auto attach = [this, on](auto *graph) {
        if (!graph)
            return;
        using Handler = std::function<void(QMouseEvent *)>;
        graph->SetOnMouseDown(on ? Handler([this](QMouseEvent *e) { SkinMouseDown(e); }) : Handler());
        graph->SetOnMouseUp(on ? Handler([this](QMouseEvent *e) { SkinMouseUp(e); }) : Handler());
        graph->SetOnMouseMoveUser(on ? Handler([this](QMouseEvent *e) { SkinMouseMove(e); }) : Handler());
        graph->SetPopupMenu(on ? SkinModePopupMenu : nullptr, on);
        graph->SetOnPopupHidden(on ? std::function<void()>([this] { SchListPanel->update(); })
                                   : std::function<void()>());
    };
    if (on) {
        if (SchPie)
            attach(SchPie);
        else
            attach(SchTimeline);
    } else {
        attach(SchPie);
        attach(SchTimeline);
    }
    // The panel's own mouse handling is in FilterSkinPanelEvent, active while SkinMode is on.
    QPalette white = SchListPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    SchListPanel->setPalette(white);
}

void TOrvellaForm::LayOutShownGraph()
{
    if (SchPie) {
        KMainGraphSetup::LayOutPie(SchPie, SchListPanel->size());
        SchPie->SetSchedule(&ShownSchedule);
        SchPie->Clear();
        SchPie->Draw();
    } else if (SchTimeline) {
        KMainGraphSetup::LayOutTimeline(SchTimeline, SchListPanel->size());
        SchTimeline->SetSchedule(&ShownSchedule);
        SchTimeline->Clear();
        SchTimeline->Draw();
    }
}

void TOrvellaForm::SetSkinSize(int size)
{
    SkinSize = size;
    for (int i = 0; i < 5; ++i)
        Action(SizeActions[i])->setChecked(i == size);

    const SkinSizeFactors f = SkinFactors(ViewType, size);
    SchListPanel->resize(int(f.Width * BaseListWidth), int(f.Height * BaseListHeight));

    LayOutShownGraph();
    if (SchPie)
        SchPie->SetTimeMarkSize(f.MarkSize);
    else if (SchTimeline)
        SchTimeline->SetTimeMarkSize(f.MarkSize);
    // The redraw removed the mark; put it back at the current time.
    if (CurTimeMark)
        MoveTimeMark(ToClockTime(platform_.Clock->Now().Time));

    // Outside skin mode (leaving it, or the saved state applied before entering) the
    // window keeps its normal layout.
    if (SkinMode) {
        SetClientArea(SchListPanel->size());
        ClampToScreen();
    }
    PlaceSkinButtons();
}

void TOrvellaForm::SetSkinTransparency(int level)
{
    SkinTransparency = level;
    for (int i = 0; i < 6; ++i)
        Action(TranspActions[i])->setChecked(i == level);
    setWindowOpacity(SkinAlpha(level) / 255.0);
}

void TOrvellaForm::SetSkinStayOnTop(bool value)
{
    SkinStayOnTop = value;
    const bool wasVisible = isVisible();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != value) {
        setWindowFlag(Qt::WindowStaysOnTopHint, value);
        ReshowAfterFlagChange(wasVisible);
    }
    Action("SkinModeStayOnTop")->setChecked(value);
}

void TOrvellaForm::ClampToScreen()
{
    int top = y(), left = x();
    if (top < 0)
        top = 0;
    else if (top + height() > screenSize_.height())
        top = screenSize_.height() - height();
    if (left < 0)
        left = 0;
    else if (left + width() > screenSize_.width())
        left = screenSize_.width() - width();
    if (QPoint(left, top) != pos())
        move(left, top);
}

void TOrvellaForm::PlaceSkinButtons()
{
    const int panelW = SchListPanel->width();
    const int panelH = SchListPanel->height();
    EnterSkinModeButton->setGeometry(panelW - 24 - 2, panelH - 24 - 2, 24, 24);
    ExitSkinModeButton->setGeometry(EnterSkinModeButton->geometry());
    // The clock is sized for its text while it shows; a hidden one keeps its place (sizing it
    // would load its font at start-up for nothing).
    if (!SkinModeClockLabel->isHidden())
        SkinModeClockLabel->adjustSize();
    const int left = SkinSize == 4 ? 10 : EnterSkinModeButton->x() - SkinModeClockLabel->width() - 10;
    SkinModeClockLabel->move(left, panelH - SkinModeClockLabel->height() - 4);
    SkinModeClockLabel->raise();
}

void TOrvellaForm::SkinMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    DragMousePos = event->globalPosition().toPoint();
    DragFormPos = pos();
    Dragging = true;
}

void TOrvellaForm::SkinMouseMove(QMouseEvent *event)
{
    if (!Dragging)
        return;
    const QPoint mouse = event->globalPosition().toPoint();
    move(DragFormPos + (mouse - DragMousePos));
}

void TOrvellaForm::SkinMouseUp(QMouseEvent *event)
{
    Dragging = false;
    if (event->button() == Qt::LeftButton)
        SkinPos = pos();
}

bool TOrvellaForm::FilterSkinPanelEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        SkinMouseDown(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        SkinMouseMove(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        SkinMouseUp(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::ContextMenu:
        // The white margin around the graph offers the same menu as the graph.
        SkinModePopupMenu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

void TOrvellaForm::OpenSkinPopupFromKeyboard()
{
    if (SchPie && SchPie->PopupMenu())
        SchPie->PopupMenu()->popup(SchPie->mapToGlobal(QPoint(0, 0)));
    if (SchTimeline && SchTimeline->PopupMenu())
        SchTimeline->PopupMenu()->popup(SchTimeline->mapToGlobal(QPoint(0, 0)));
}

void TOrvellaForm::PackSkinState()
{
    SkinState.Flags = uint8_t((SkinMode ? 1 : 0) | (SkinStayOnTop ? 2 : 0));
    SkinState.Size = uint8_t(SkinSize);
    SkinState.Transparency = uint8_t(SkinTransparency);
    SkinState.Top = SkinPos.y();
    SkinState.Left = SkinPos.x();
}

void TOrvellaForm::UnpackSkinState()
{
    SkinStayOnTop = (SkinState.Flags & 2) != 0;
    // A settings file from elsewhere may hold any byte: unknown sizes and levels become the defaults.
    SkinSize = SkinState.Size <= 4 ? SkinState.Size : 2;
    SkinTransparency = SkinState.Transparency <= 5 ? SkinState.Transparency : 1;
    SkinPos = QPoint(SkinState.Left, SkinState.Top);
}

void TOrvellaForm::ApplySkinState()
{
    SetSkinStayOnTop((SkinState.Flags & 2) != 0);
    SetSkinSize(SkinSize);
    SetSkinTransparency(SkinTransparency);
    int top = SkinState.Top, left = SkinState.Left;
    const int panelH = SchListPanel->height(), panelW = SchListPanel->width();
    if (screenSize_.height() < panelH + top)
        top = screenSize_.height() - panelH;
    if (screenSize_.width() < panelW + left)
        left = screenSize_.width() - panelW;
    // Nor above or left of the screen, where the window could not be reached.
    top = std::max(top, 0);
    left = std::max(left, 0);
    SkinPos = QPoint(left, top);
}

// Scheduling mode of the list: the working copy, typing, the time entry, colours and item
// choice, adding and deleting frames, undo, and the check on leaving.
#include "listedit/KScheduleList.h"

#include "listedit/KTMemoPanel.h"
#include "listedit/KTScheduleItemPool.h"
#include "listedit/KTTimeEntryComb.h"
#include "listedit/KTTimeVIndicator.h"
#include "listedit/TKSchConfSimpleDialog.h"
#include "platform/qt/KColorConv.h"
#include "platform/qt/KQtText.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int BlinkInterval = 500;
} // namespace

void KScheduleList::SetOpeLog(KDaySchOpeLog *log)
{
    opeLog_ = log;
    if (edit_)
        edit_->OpeLog = log;
}

void KScheduleList::SetEditMode(bool on)
{
    if (on == editMode_)
        return;
    if (on)
        EnterEditMode();
    else
        LeaveEditMode();
    RefreshRows(editMode_);
}

void KScheduleList::EnterEditMode()
{
    editMode_ = true;
    if (schedule_) {
        edit_ = std::make_unique<KScheduleEditCore>(*schedule_);
        edit_->OpeLog = opeLog_;
        edit_->Pool = pool_ ? &pool_->Core() : nullptr;
        edit_->DefaultItemName = U(defaultItemName_);
        edit_->DefaultColor = DefaultColor;
        edit_->ChangeHandler = [this](int32_t index, int kind) {
            if (ChangeHandler)
                ChangeHandler(this, index, kind);
        };
    }
    timeEntry_ = new KTTimeEntryComb(this);
    timeEntry_->hide();
    timeEntry_->SetParent(this);
    timeEntry_->SetKeyHandler([this](KTTimeEntryComb *, int key) {
        // The entry acts on the cell it was opened for, before the cursor moves anywhere.
        if (key != Qt::Key_Escape)
            CommitTimeEntry(timeEntryRow_, timeEntryCol_);
        HideTimeEntry();
        setFocus();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            QKeyEvent move(QEvent::KeyPress, key, Qt::NoModifier);
            keyPressEvent(&move);
        }
    });
    timeEntry_->SetDoubleClickHandler([this](KTTimeEntryComb *) {
        CommitTimeEntry(timeEntryRow_, timeEntryCol_);
        HideTimeEntry();
        setFocus();
    });
    DestroyTimeMark();
    ApplyMemoPanelMode();
    HideMemoPanel();
    if (pool_)
        pool_->SetChoiceHandler([this](KTScheduleItemPool *) { ItemChosen(); });
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
}

void KScheduleList::ApplyMemoPanelMode()
{
    if (!memoPanel_)
        return;
    memoPanel_->SetEditable(editMode_);
    if (editMode_) {
        memoPanel_->SetCommitHandler([this](KTMemoPanel *) {
            CommitMemoPanel();
            setFocus();
        });
    } else {
        memoPanel_->SetCommitHandler(nullptr);
    }
}

void KScheduleList::LeaveEditMode()
{
    CommitPendingEdits();
    const int r = CheckBeforeLeave();
    lastLeave_ = r;
    if (r == KScheduleEditCore::LeaveStay)
        return;
    editMode_ = false;
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    ApplyMemoPanelMode();
    if (r == KScheduleEditCore::LeaveClean && edit_ && schedule_)
        edit_->ApplyTo(*schedule_);
    HidePopups();
    if (pool_)
        pool_->SetChoiceHandler(nullptr);
    delete timeEntry_;
    timeEntry_ = nullptr;
    timeEntryRow_ = timeEntryCol_ = -1;
    edit_.reset();
    if (timeMarkOption_ != 0)
        CreateTimeMark();
    HideMemoPanel();
}

int KScheduleList::CheckBeforeLeave()
{
    if (!edit_)
        return KScheduleEditCore::LeaveClean;
    const int r =
        edit_->CheckBeforeLeave([this](const KCheckReport &report) { return ShowConflict(report); });
    // The re-schedule answer gave the working copy back its first contents.
    RefreshRows(true);
    AfterFrameCountChange(false);
    return r;
}

QPoint KScheduleList::ListPointOnScreen(int x) const
{
    const QPoint inParent(geometry().left() + x, geometry().top());
    return parentWidget() ? parentWidget()->mapToGlobal(inParent) : mapToGlobal(QPoint(x, 0));
}

int KScheduleList::ShowConflict(const KCheckReport &report)
{
    if (report.Index >= 0)
        StartBlink(report);
    conflictDialog_ = new TKSchConfSimpleDialog(window());
    conflictDialog_->Language = language_;
    const int memoLeft = columnViewportPosition(ColMemo) + viewport()->geometry().left();
    const QPoint at = ListPointOnScreen(report.Index >= 0 ? memoLeft + 10 : 10);
    const int choice = conflictDialog_->ShowCheckResult(report.Code, at.x(), at.y());
    delete conflictDialog_;
    conflictDialog_ = nullptr;
    StopBlink();
    return choice;
}

void KScheduleList::StartBlink(const KCheckReport &report)
{
    StopBlink();
    for (const auto &[frame, col] : report.BlinkCells)
        blinkCells_.push_back({frame + 1, col, CellText(frame + 1, col)});
    blinkHidden_ = false;
    blinkTimer_ = new QTimer(this);
    blinkTimer_->setInterval(BlinkInterval);
    connect(blinkTimer_, &QTimer::timeout, this, [this] {
        blinkHidden_ = !blinkHidden_;
        for (const BlinkCell &c : blinkCells_)
            SetCellText(c.Row, c.Col, blinkHidden_ ? QString() : c.Text);
    });
    blinkTimer_->start();
}

void KScheduleList::StopBlink()
{
    if (!blinkTimer_)
        return;
    delete blinkTimer_;
    blinkTimer_ = nullptr;
    for (const BlinkCell &c : blinkCells_)
        SetCellText(c.Row, c.Col, c.Text);
    blinkCells_.clear();
}

void KScheduleList::AfterFrameCountChange(bool refresh)
{
    const KDaySchedule *s = ShownSchedule();
    SetRowCount(RowCountFor(s ? s->GetCount() : 0, height()));
    ShowScrollBarForFrames();
    if (refresh)
        RefreshRows(editMode_);
}

bool KScheduleList::AddSch(bool refresh, bool log)
{
    if (!edit_)
        return false;
    if (edit_->AddSch(log))
        return true;
    AfterFrameCountChange(refresh);
    return false;
}

bool KScheduleList::InsSch(int index, const KScheduleFrame &frame, bool log, bool refresh)
{
    if (!edit_)
        return false;
    if (edit_->InsSch(index, frame, log))
        return true;
    AfterFrameCountChange(refresh);
    return false;
}

void KScheduleList::DeleteSch(int index, bool refresh, bool log)
{
    if (edit_ && edit_->DeleteSch(index, log))
        AfterFrameCountChange(refresh);
}

void KScheduleList::CancelSch(bool refresh, const std::function<bool()> &asker)
{
    if (!editMode_ || !edit_)
        return;
    if (edit_->Modified && asker && !asker())
        return;
    HideTimeEntry();
    edit_->Restore();
    AfterFrameCountChange(refresh);
}

void KScheduleList::UndoLastOperation()
{
    if (edit_ && edit_->UndoLastOperation())
        AfterFrameCountChange(true);
}

void KScheduleList::SetChronoTime(int index, int mode, bool refresh)
{
    if (editMode_ && edit_ && edit_->SetChronoTime(index, mode) && refresh)
        RefreshRows(true);
}

bool KScheduleList::ApplyForSave()
{
    if (!editMode_ || !edit_ || !schedule_)
        return false;
    CommitPendingEdits();
    if (CheckBeforeLeave() != KScheduleEditCore::LeaveClean)
        return false;
    edit_->ApplyTo(*schedule_);
    edit_->NotifyChange(false, KScheduleEditCore::AllFrames, false);
    return true;
}

void KScheduleList::DiscardEditSchedule()
{
    HideTimeEntry();
    if (QWidget *editor = activeEditor_.data())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    HideMemoPanel();
    edit_.reset();
    RefreshRows(editMode_);
}

void KScheduleList::PutAside()
{
    CommitPendingEdits();
    HidePopups();
    HideMemoPanel();
}

void KScheduleList::EditItemCell(int row)
{
    SetCursor(row, ColItem);
    if (CursorRow() != row || !TypingAllowed(row, ColItem))
        return;
    setFocus();
    savedCellText_ = CellText(row, ColItem);
    edit(currentIndex(), QAbstractItemView::EditKeyPressed, nullptr);
}

bool KScheduleList::TextEditPending() const
{
    return state() == QAbstractItemView::EditingState;
}

void KScheduleList::CommitPendingEdits()
{
    if (QWidget *editor = activeEditor_.data(); editor && TextEditPending()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    if (timeEntry_ && timeEntry_->isVisible()) {
        CommitTimeEntry(timeEntryRow_, timeEntryCol_);
        HideTimeEntry();
    }
    if (memoPanel_ && memoPanel_->isVisible())
        CommitMemoPanel();
}

bool KScheduleList::TypingAllowed(int row, int col) const
{
    return editMode_ && edit_ && (col == ColItem || col == ColMemo) && FrameOfRow(row) &&
           !(memoPanel_ && memoPanel_->isVisible());
}

int KScheduleList::EditorLimit(int row, int col) const
{
    const int limit = col == ColItem ? ItemTextLimit : col == ColMemo ? MemoTextLimit : 0;
    // A longer text read from a file stays whole; only typing is held to the limit.
    return limit > 0 ? std::max<int>(limit, int(CellText(row, col).size())) : 0;
}

bool KScheduleList::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (trigger != QAbstractItemView::NoEditTriggers && !TypingAllowed(index.row() + 1, index.column()))
        return false;
    return QTableWidget::edit(index, trigger, event);
}

void KScheduleList::CommitEditorText(int row, int col, const QString &text)
{
    if (!edit_)
        return;
    if (col == ColItem)
        edit_->CommitItem(row - 1, U(text));
    else if (col == ColMemo)
        edit_->CommitMemo(row - 1, U(text));
    RefreshRows(true);
}

void KScheduleList::CommitMemoPanel()
{
    const int row = memoPanelRow_, col = memoPanelCol_;
    const QString text = memoPanel_ ? memoPanel_->PanelText() : QString();
    HideMemoPanel();
    if (editMode_ && row >= 1 && (col == ColItem || col == ColMemo) && text != CellText(row, col))
        CommitEditorText(row, col, text);
}

// --- time entry, colour, item choice --------------------------------------------------

void KScheduleList::OpenTimeEntry(int col, int digit)
{
    const int row = CursorRow();
    if (!editMode_ || !timeEntry_ || row < 1)
        return;
    const bool allowed = col == ColStart ||
                         (col == ColEnd && (timeEditColumns_ == 0 || timeEditColumns_ == 2)) ||
                         (col == ColTime && (timeEditColumns_ == 1 || timeEditColumns_ == 2));
    const QRect cell = CellRect(row, col);
    if (!allowed || cell.isEmpty())
        return;
    int top = cell.bottom() + 1;
    if (top + timeEntry_->height() > height())
        top = cell.bottom() + 1 - timeEntry_->height() - RowHeight;
    timeEntry_->move(cell.left(), top);
    // The preset: the cell's time (a duration keeps its 24 hours), or the typed hour.
    KSchTime preset;
    ParseTime(U(CellText(row, col)), false, true, preset);
    if (digit >= 0)
        preset.Hour = uint8_t(digit);
    QComboBox *hours = timeEntry_->HourBox();
    const bool has24 = hours->count() > 24;
    if (col == ColTime && !has24)
        hours->addItem(QStringLiteral("24"));
    else if (col != ColTime && has24)
        hours->removeItem(24);
    timeEntry_->SetEntryValue(preset);
    timeEntryRow_ = row;
    timeEntryCol_ = col;
    timeEntry_->show();
    timeEntry_->raise();
    hours->setFocus();
    if (digit >= 0)
        hours->lineEdit()->setCursorPosition(1);
    else
        hours->lineEdit()->selectAll();
}

void KScheduleList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // However the cursor moves, an open time entry first goes into the cell it belongs to.
    if (timeEntry_ && timeEntry_->isVisible()) {
        const int row = timeEntryRow_, col = timeEntryCol_;
        HideTimeEntry();
        CommitTimeEntry(row, col);
    }
    QTableWidget::currentChanged(current, previous);
}

void KScheduleList::HideTimeEntry()
{
    // The focus comes back to the list first: hiding the focused entry would pass it on
    // along the Tab chain, which in the list moves the cursor.
    if (timeEntry_ && timeEntry_->isAncestorOf(QApplication::focusWidget()))
        setFocus();
    if (timeEntry_)
        timeEntry_->hide();
    timeEntryRow_ = timeEntryCol_ = -1;
}

void KScheduleList::CommitTimeEntry(int row, int col)
{
    if (!edit_ || !timeEntry_ || row < 1)
        return;
    edit_->CommitTime(row - 1, col, timeEntry_->GetEntryValue());
    RefreshRows(true);
    setFocus();
}

QColorDialog *KScheduleList::ColorDialog()
{
    if (!colorDialog_)
        colorDialog_ = colorDialogProvider_ ? colorDialogProvider_() : nullptr;
    if (!colorDialog_)
        colorDialog_ = new QColorDialog(this);
    return colorDialog_;
}

void KScheduleList::ChooseFrameColor(int row)
{
    const KScheduleFrame *frame = FrameOfRow(row);
    if (!editMode_ || !edit_ || !frame)
        return;
    QColorDialog *dialog = ColorDialog();
    dialog->setCurrentColor(KColorConv::ToQColor(frame->Color));
    if (dialog->exec() != QDialog::Accepted)
        return;
    edit_->ChooseColor(row - 1, KColorConv::FromQColor(dialog->selectedColor()));
    RefreshRows(true);
}

void KScheduleList::ItemChosen()
{
    const int row = CursorRow();
    if (row >= 1 && pool_ && editMode_ && edit_ && CursorCol() == ColItem)
        edit_->ChooseItem(row - 1, U(pool_->SelectedName()), pool_->SelectedColor());
    RefreshRows(editMode_);
    setFocus();
}

// --- mouse and keys of scheduling mode --------------------------------------------------

void KScheduleList::mousePressEvent(QMouseEvent *event)
{
    if (timeEntry_ && timeEntry_->isVisible()) {
        CommitTimeEntry(timeEntryRow_, timeEntryCol_);
        HideTimeEntry();
    }
    HidePopups();
    if (editMode_ && memoPanel_ && memoPanel_->isVisible())
        CommitMemoPanel();
    QTableWidget::mousePressEvent(event);
}

void KScheduleList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    HidePopups();
    if (!editMode_ || !index.isValid())
        return;
    const int row = index.row() + 1, col = index.column();
    if (!FrameOfRow(row))
        return;
    if (col == ColColor) {
        ChooseFrameColor(row);
    } else if (col == ColStart || col == ColEnd || col == ColTime) {
        OpenTimeEntry(col);
    } else if (col == ColItem && pool_ && poolHost_) {
        savedCellText_ = CellText(row, col);
        HideMemoPanel();
        const QRect cell = CellRect(row, col);
        const QPoint at = mapTo(poolHost_, cell.bottomLeft() + QPoint(0, 1));
        pool_->ShowPopup(poolHost_, at.x(), at.y());
    }
}

void KScheduleList::focusOutEvent(QFocusEvent *event)
{
    QTableWidget::focusOutEvent(event);
}

bool KScheduleList::EditKey(QKeyEvent *event)
{
    const int key = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int row = CursorRow(), col = CursorCol();
    if (!editMode_ || !edit_) {
        if (ctrl && key == Qt::Key_C && !TextEditPending())
            CopyCell(row, col);
        return ctrl && key == Qt::Key_C;
    }
    if (ctrl && !TextEditPending()) {
        switch (key) {
        case Qt::Key_C:
            CopyCell(row, col);
            return true;
        case Qt::Key_V:
            PasteCell(row, col);
            return true;
        case Qt::Key_Z:
            UndoLastOperation();
            return true;
        case Qt::Key_X:
            ClearCell(row, col, true);
            return true;
        case Qt::Key_D:
            ClearCell(row, col, false);
            return true;
        default:
            return false;
        }
    }
    if (key == Qt::Key_Delete && !ctrl) {
        ClearCell(row, col, false);
        return true;
    }
    if (row < 1 || ctrl)
        return false;
    const bool timeColumn = col == ColStart || col == ColEnd || col == ColTime;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (memoPanel_ && memoPanel_->isVisible())
            return false;
        if (col == ColColor) {
            ChooseFrameColor(row);
            return true;
        }
        if (timeColumn) {
            OpenTimeEntry(col);
            return true;
        }
        if (TypingAllowed(row, col)) {
            edit(currentIndex(), QAbstractItemView::EditKeyPressed, event);
            return true;
        }
        return false;
    }
    if (timeColumn && key >= Qt::Key_0 && key <= Qt::Key_9) {
        OpenTimeEntry(col, key - Qt::Key_0);
        return true;
    }
    return false;
}

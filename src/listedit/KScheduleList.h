#pragma once

#include "model/KDaySchedule.h"
#include "model/KScheduleEditCore.h"

#include <QColorDialog>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <memory>

class KClipboard;
class KDaySchOpeLog;
class KTMemoPanel;
class QPrinter;
class KTScheduleItemPool;
class KTTimeEntryComb;
class KTTimeVIndicator;
class QTimer;
class TKSchConfSimpleDialog;

// The list view of a day schedule: a six-column grid with one row per frame under a
// title row. Rows and columns here count the title row as row 0, as the user sees it;
// frame i is shown in row i + 1.
class KScheduleList : public QTableWidget {
public:
    static constexpr int ColumnCount = 6;
    static constexpr int RowHeight = 24;
    enum Column { ColColor = 0, ColStart, ColItem, ColEnd, ColTime, ColMemo };

    explicit KScheduleList(QWidget *owner = nullptr);
    ~KScheduleList() override;

    // First set-up: options, n rows (title row included), columns, font, titles.
    void SetupColumns(int rowCount);
    // The first parent given is also the host of the item pool's pick list.
    void SetParent(QWidget *parent);
    void SetWidth(int w);
    void SetHeight(int h);
    // Row count with the title row; never below 2.
    void SetRowCount(int n);
    int RowCount() const { return rowCount() + 1; }
    // max(frame count + 1, height / row height + 1).
    static int RowCountFor(int frameCount, int height);
    void SetFontSize(int points);
    void SetTabNavigation(bool on) { setTabKeyNavigation(on); }

    void SetSchedule(KDaySchedule *schedule);
    KDaySchedule *Schedule() const { return schedule_; }
    // The schedule in force: the working copy while EditMode is on.
    KDaySchedule *ShownSchedule() const;
    void RefreshRows(bool useWorkingCopy);

    void SetItemPool(KTScheduleItemPool *pool);
    KTScheduleItemPool *ItemPool() const { return pool_; }
    // Where the colour dialog comes from when a colour is first chosen; without one the list
    // makes its own.
    void SetColorDialog(std::function<QColorDialog *()> provider)
    {
        colorDialogProvider_ = std::move(provider);
    }
    QColorDialog *ColorDialog();
    void SetPopupMenu(QMenu *menu);
    QMenu *PopupMenu() const { return popupMenu_; }

    // Scheduling mode in the list: the list edits a working copy of the schedule. Leaving
    // runs the check, which may keep the mode on: read EditMode afterwards.
    void SetEditMode(bool on);
    bool EditMode() const { return editMode_; }
    KDaySchedule *EditSchedule() const { return edit_ ? &edit_->Edit() : nullptr; }
    KScheduleEditCore *EditCore() const { return edit_.get(); }
    // How the last leaving of the mode ended: 0 the working copy was applied (or there was
    // none), 1 the edits were dropped, 2 the mode stayed on.
    int LastLeaveResult() const { return lastLeave_; }
    bool Modified() const { return edit_ && edit_->Modified; }
    // Told of every change of the working copy: frame index (0xFFFF for all) and kind
    // (0 changed, 1 the change mark was cleared).
    std::function<void(KScheduleList *, int index, int kind)> ChangeHandler;
    void SetOpeLog(KDaySchOpeLog *log);
    KDaySchOpeLog *OpeLog() const { return opeLog_; }
    void SetClipboard(KClipboard *clipboard) { clipboard_ = clipboard; }

    // Editing commands of scheduling mode (frame indexes are row - 1). Add and insert answer
    // true when the schedule is full.
    bool AddSch(bool refresh = true, bool log = true);
    bool InsSch(int index, const KScheduleFrame &frame, bool log = true, bool refresh = true);
    void DeleteSch(int index, bool refresh = true, bool log = true);
    // Resets the working copy from the shown schedule, asking first (through asker) when there
    // are changes; asker answers whether to go on.
    void CancelSch(bool refresh, const std::function<bool()> &asker);
    void UndoLastOperation();
    void SetChronoTime(int index, int mode, bool refresh = true);
    // Checks and copies the working copy into the shown schedule, staying in the mode.
    bool ApplyForSave();
    // Drops the working copy without looking at it; leaving the mode then copies nothing.
    void DiscardEditSchedule();
    // Commits typing, an open time entry and an edited long-text panel.
    void CommitPendingEdits();
    // Before the list is hidden for another view: pending edits committed, pick list and
    // long-text panel hidden.
    void PutAside();
    // Scheduling mode: the cursor on the Item cell of a row and the cell's editor open.
    void EditItemCell(int row);

    // Cell clipboard operations (row, column as shown).
    bool CopyCell(int row, int col);
    bool ClearCell(int row, int col, bool copyFirst);
    bool PasteCell(int row, int col);

    // Editing widgets of scheduling mode.
    KTTimeEntryComb *TimeEntry() const { return timeEntry_; }
    int TimeEntryRow() const { return timeEntryRow_; }
    int TimeEntryCol() const { return timeEntryCol_; }
    void OpenTimeEntry(int col, int digit = -1);
    void CommitTimeEntry(int row, int col);
    void HideTimeEntry();
    void ChooseFrameColor(int row);
    // The check dialog while it is shown, and the cells blinking meanwhile.
    TKSchConfSimpleDialog *ConflictDialog() const { return conflictDialog_; }
    bool Blinking() const { return blinkTimer_ != nullptr; }
    bool TextEditPending() const;

    // Long-text panel.
    void SetMemoPanelEnabled(bool on);
    bool MemoPanelEnabled() const { return memoEnabled_; }
    // The long-text panel, made on first use; null when it is off.
    KTMemoPanel *MemoPanel();
    void SetMemoPanelTrigger(int trigger) { memoPanelTrigger_ = trigger; }
    int MemoPanelTrigger() const { return memoPanelTrigger_; }
    void ShowMemoPanel(int row, int col);
    void HideMemoPanel();
    int MemoPanelRow() const { return memoPanelRow_; }
    int MemoPanelCol() const { return memoPanelCol_; }

    // Current-time mark.
    void SetTimeMarkSize(int size);
    void SetTimeMarkOffset(int offset);
    int TimeMarkSize() const { return timeMarkSize_; }
    int TimeMarkOffset() const { return timeMarkOffset_; }
    void SetTimeMarkOption(int option);
    int TimeMarkOption() const { return timeMarkOption_; }
    void SetCurrentFrame(int index);
    void UpdateTimeMark(KSchTime now);
    int MarkedFrame() const { return markedFrame_; }
    KTTimeVIndicator *TimeMark() const { return timeMark_; }

    void SetTimeEditColumns(int v) { timeEditColumns_ = v; }
    int TimeEditColumns() const { return timeEditColumns_; }
    void SetShowTotalTime(bool on) { showTotalTime_ = on; }
    bool ShowTotalTime() const { return showTotalTime_; }
    void SetListLanguage(int language);
    int ListLanguage() const { return language_; }
    QString DefaultItemName() const { return defaultItemName_; }
    uint32_t DefaultColor = 0xFFFFFF;
    int ItemTextLimit = 16;
    int MemoTextLimit = 128;

    // Cursor, as row (title row 0) and column.
    int CursorRow() const;
    int CursorCol() const;
    void SetCursor(int row, int col);
    // Text of a cell; row 0 is the title row.
    QString CellText(int row, int col) const;
    // The cell in the list's own coordinates; empty when the row is out of view.
    QRect CellRect(int row, int col) const;
    // The cell font: every cell text is painted with it.
    QFont CellFont() const { return cellFont_; }
    // Sum of the durations of the frames with an item name, hours not reduced.
    static KSchTime TotalTime(const KDaySchedule &schedule);
    QString TitleText(int col) const;

    // Printing: the title, the column titles, a rule and one line per frame on one page.
    // Margins in inches from the paper's edges. False when the printer cannot be opened.
    bool PrintList(QPrinter &printer, const QString &title, double leftInches, double rightInches,
                   double topInches) const;

    // Used by the cell painter.
    void PaintCell(QPainter *p, const QRect &rect, int row, int col) const;

    // The in-place editor's text for a cell: committed to the working copy.
    void CommitEditorText(int row, int col, const QString &text);
    // The in-place editor opens only for Item and Memo cells of frames in scheduling mode.
    bool TypingAllowed(int row, int col) const;
    int EditorLimit(int row, int col) const;
    void SetActiveEditor(QWidget *editor) { activeEditor_ = editor; }

    using QTableWidget::edit;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    const KScheduleFrame *FrameOfRow(int row) const;
    void ApplyMemoWidth();
    void ShowScrollBarForFrames();
    void WriteTitles();
    void CreateTimeMark();
    void DestroyTimeMark();
    void PlaceMark(int frame);
    bool RowHidden(int row) const;
    void HidePopups();
    QTableWidgetItem *Cell(int row, int col) const;
    void SetCellText(int row, int col, const QString &text);
    // Scheduling mode (KScheduleList_Edit.cpp).
    void EnterEditMode();
    void LeaveEditMode();
    // The long-text panel edits in scheduling mode and only shows otherwise.
    void ApplyMemoPanelMode();
    int CheckBeforeLeave();
    int ShowConflict(const KCheckReport &report);
    void StartBlink(const KCheckReport &report);
    void StopBlink();
    void AfterFrameCountChange(bool refresh);
    void ItemChosen();
    void CommitMemoPanel();
    bool EditKey(QKeyEvent *event);
    QPoint ListPointOnScreen(int x) const;

    KDaySchOpeLog *opeLog_ = nullptr;
    KClipboard *clipboard_ = nullptr;
    std::unique_ptr<KScheduleEditCore> edit_;
    KTTimeEntryComb *timeEntry_ = nullptr;
    int timeEntryRow_ = -1, timeEntryCol_ = -1;
    QString savedCellText_;
    TKSchConfSimpleDialog *conflictDialog_ = nullptr;
    QTimer *blinkTimer_ = nullptr;
    struct BlinkCell {
        int Row, Col;
        QString Text;
    };
    std::vector<BlinkCell> blinkCells_;
    bool blinkHidden_ = false;
    int lastLeave_ = 0;
    QPointer<QWidget> activeEditor_;

    KDaySchedule *schedule_ = nullptr;
    bool editMode_ = false;
    KTScheduleItemPool *pool_ = nullptr;
    QPointer<QColorDialog> colorDialog_;
    std::function<QColorDialog *()> colorDialogProvider_;
    QPointer<QMenu> popupMenu_;
    QPointer<QWidget> poolHost_;
    KTMemoPanel *memoPanel_ = nullptr;
    bool memoEnabled_ = false;
    KTTimeVIndicator *timeMark_ = nullptr;
    int memoPanelTrigger_ = 1;
    int memoPanelRow_ = -1, memoPanelCol_ = -1;
    int timeMarkOption_ = 0;
    int timeMarkOffset_ = 0;
    int timeMarkSize_ = 20;
    int markedFrame_ = -1;
    int timeEditColumns_ = 0;
    bool showTotalTime_ = false;
    bool totalShown_ = false;
    int language_ = 0;
    QString defaultItemName_;
    QFont cellFont_;
};

#pragma once

#include "model/KDaySchedule.h"

#include <QColorDialog>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <memory>

class KTMemoPanel;
class QPrinter;
class KTScheduleItemPool;
class KTTimeVIndicator;

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
    void SetColorDialog(QColorDialog *dialog) { colorDialog_ = dialog; }
    QColorDialog *ColorDialog() const { return colorDialog_; }
    void SetPopupMenu(QMenu *menu);
    QMenu *PopupMenu() const { return popupMenu_; }

    // Scheduling mode in the list: the list shows (and later edits) a working copy.
    void SetEditMode(bool on);
    bool EditMode() const { return editMode_; }
    KDaySchedule *EditSchedule() const { return editSchedule_.get(); }
    bool Modified = false;
    std::function<void(KScheduleList *)> ChangeHandler;

    // Long-text panel.
    void SetMemoPanelEnabled(bool on);
    bool MemoPanelEnabled() const { return memoPanel_ != nullptr; }
    KTMemoPanel *MemoPanel() const { return memoPanel_; }
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    const KScheduleFrame *FrameOfRow(int row) const;
    void ApplyMemoWidth();
    void WriteTitles();
    void CreateTimeMark();
    void DestroyTimeMark();
    void PlaceMark(int frame);
    bool RowHidden(int row) const;
    void HidePopups();
    QTableWidgetItem *Cell(int row, int col) const;
    void SetCellText(int row, int col, const QString &text);

    KDaySchedule *schedule_ = nullptr;
    std::unique_ptr<KDaySchedule> editSchedule_;
    bool editMode_ = false;
    KTScheduleItemPool *pool_ = nullptr;
    QPointer<QColorDialog> colorDialog_;
    QPointer<QMenu> popupMenu_;
    QPointer<QWidget> poolHost_;
    KTMemoPanel *memoPanel_ = nullptr;
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

#include "listedit/KScheduleList.h"

#include "listedit/KTMemoPanel.h"
#include "listedit/KTScheduleItemPool.h"
#include "listedit/KTTimeVIndicator.h"
#include "platform/qt/KColorConv.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextEdit>

namespace {
const char16_t *const Titles[2][6] = {
    {u"色", u"開始時刻", u"項目", u"終了時刻", u"時間", u" メモ"},
    {u"Color", u"Start Time", u"Item", u"End Time", u"Time", u" Memo"},
};
const int FixedWidths[5] = {KScheduleList::RowHeight, 70, 120, 70, 60};
constexpr int MinWidth = 380;
constexpr int MinMemoWidth = 100;
// Room left of a left-justified cell text and on either side of a title.
constexpr int TitlePadding = 2;
const QColor CurrentCellColor(150, 200, 255);
const QColor PanelEditColor(255, 202, 255);

QColor ButtonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

// Paints every cell through the list.
class CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(KScheduleList *list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        list_->PaintCell(p, option.rect, index.row() + 1, index.column());
    }
    // Typing in an Item or Memo cell: the line editor takes at most the cell's limit of
    // characters however they arrive (keys, an input method, paste or drop).
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            const int limit = list_->EditorLimit(index.row() + 1, index.column());
            if (limit > 0)
                line->setMaxLength(limit);
            line->setFrame(false);
            line->setFont(list_->CellFont());
        }
        list_->SetActiveEditor(editor);
        return editor;
    }
    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            list_->CommitEditorText(index.row() + 1, index.column(), line->text());
    }

private:
    KScheduleList *list_;
};

// The fixed title row.
class TitleRow : public QHeaderView {
public:
    explicit TitleRow(KScheduleList *list) : QHeaderView(Qt::Horizontal, list), list_(list) {}

protected:
    void paintSection(QPainter *p, const QRect &rect, int logicalIndex) const override
    {
        if (!rect.isValid())
            return;
        list_->PaintCell(p, rect, 0, logicalIndex);
    }

private:
    KScheduleList *list_;
};
} // namespace

KScheduleList::KScheduleList(QWidget *owner) : QTableWidget(owner)
{
    defaultItemName_ = QStringLiteral("自由");
    cellFont_ = KFontMap::PixelFont(QStringLiteral("MS UI Gothic"), 12);
    cellFont_.setWeight(QFont::Normal);
    cellFont_.setStyleStrategy(QFont::PreferQuality);
    setHorizontalHeader(new TitleRow(this));
    setItemDelegate(new CellPainter(this));
    setColumnCount(ColumnCount);
    resize(550, 300);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int, int, int, int) { viewport()->update(); });
}

KScheduleList::~KScheduleList()
{
    // The pool may already be gone when the window closes: leave it alone here.
    DestroyTimeMark();
}

void KScheduleList::SetupColumns(int rowCount)
{
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    QHeaderView *title = horizontalHeader();
    title->setSectionResizeMode(QHeaderView::Fixed);
    title->setSectionsClickable(false);
    title->setHighlightSections(false);
    title->setStretchLastSection(false);
    title->setMinimumSectionSize(1);
    title->setFixedHeight(RowHeight);
    // The title row has no context menu, nor does it pass one on to the cells.
    title->setContextMenuPolicy(Qt::PreventContextMenu);
    setColumnCount(ColumnCount);
    SetRowCount(rowCount);
    for (int c = 0; c < 5; ++c)
        setColumnWidth(c, FixedWidths[c]);
    ApplyMemoWidth();
    SetHeight(RowCount() * RowHeight);
    setFont(KFontMap::PointFont(QStringLiteral("MS UI Gothic"), 11));
    WriteTitles();
    if (rowCount > 1)
        setCurrentCell(0, 0);
}

void KScheduleList::SetRowCount(int n)
{
    n = std::max(n, 2);
    if (n - 1 == rowCount())
        return;
    const int old = rowCount();
    setRowCount(n - 1);
    for (int r = old; r < n - 1; ++r) {
        setRowHeight(r, RowHeight);
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            setItem(r, c, item);
        }
    }
}

int KScheduleList::RowCountFor(int frameCount, int height)
{
    return std::max(frameCount + 1, height / RowHeight + 1);
}

void KScheduleList::SetParent(QWidget *parent)
{
    if (!poolHost_ && parent)
        poolHost_ = parent;
    setParent(parent);
}

void KScheduleList::ApplyMemoWidth()
{
    int fixed = 0;
    for (int c = 0; c < 5; ++c)
        fixed += columnWidth(c);
    // The memo column ends where the scroll bar begins when there is one.
    const int bar = verticalScrollBar()->isVisibleTo(this) ? verticalScrollBar()->width() : 0;
    const int memo = std::max(MinMemoWidth, width() - bar - fixed - 6);
    if (columnWidth(ColMemo) != memo)
        setColumnWidth(ColMemo, memo);
}

void KScheduleList::ShowScrollBarForFrames()
{
    // Blank rows fill the list below the frames and may run past its bottom unseen; a scroll
    // bar shows when a frame does not fit, so that the user knows rows are hidden.
    const KDaySchedule *s = ShownSchedule();
    const int frames = s ? s->GetCount() : 0;
    const Qt::ScrollBarPolicy policy =
        (frames + 1) * RowHeight > height() ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
    // Every frame fits: the list shows them from the first row, not scrolled part of a row on
    // from a longer schedule.
    if (policy == Qt::ScrollBarAlwaysOff && verticalScrollBar()->value() != 0)
        verticalScrollBar()->setValue(0);
}

void KScheduleList::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    ShowScrollBarForFrames();
}

void KScheduleList::updateGeometries()
{
    QTableWidget::updateGeometries();
    // The scroll bar comes and goes with the row count.
    if (columnCount() == ColumnCount)
        ApplyMemoWidth();
}

void KScheduleList::SetWidth(int w)
{
    if (w == width())
        return;
    resize(std::max(w, MinWidth), height());
    ApplyMemoWidth();
}

void KScheduleList::SetHeight(int h)
{
    if (h == height())
        return;
    h = std::min(h, RowCount() * RowHeight);
    resize(width(), h);
}

void KScheduleList::SetFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
}

void KScheduleList::SetListLanguage(int language)
{
    language_ = language == 1 ? 1 : 0;
    defaultItemName_ = language_ == 1 ? QStringLiteral("Free") : QStringLiteral("自由");
    WriteTitles();
}

QString KScheduleList::TitleText(int col) const
{
    if (col < 0 || col >= ColumnCount)
        return QString();
    return QString::fromUtf16(Titles[language_][col]);
}

void KScheduleList::WriteTitles()
{
    for (int c = 0; c < ColumnCount; ++c) {
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem);
        horizontalHeaderItem(c)->setText(TitleText(c));
    }
    // A fixed column is widened when its title is longer than the column (the colour column
    // is a swatch wide, "Color" is not); the memo column gives up the room.
    if (columnCount() != ColumnCount)
        return;
    const QFontMetrics fm(cellFont_);
    for (int c = 0; c < ColMemo; ++c)
        setColumnWidth(c, std::max(FixedWidths[c], fm.horizontalAdvance(TitleText(c)) + 2 * TitlePadding));
    ApplyMemoWidth();
}

KDaySchedule *KScheduleList::ShownSchedule() const
{
    return editMode_ && edit_ ? &edit_->Edit() : schedule_;
}

void KScheduleList::SetSchedule(KDaySchedule *schedule)
{
    if (schedule == schedule_)
        return;
    schedule_ = schedule;
    markedFrame_ = -1;
    RefreshRows(editMode_);
}

QTableWidgetItem *KScheduleList::Cell(int row, int col) const
{
    return item(row - 1, col);
}

void KScheduleList::SetCellText(int row, int col, const QString &text)
{
    if (QTableWidgetItem *it = Cell(row, col))
        it->setText(text);
}

const KScheduleFrame *KScheduleList::FrameOfRow(int row) const
{
    const KDaySchedule *s = ShownSchedule();
    if (!s || row < 1 || row - 1 >= s->Capacity())
        return nullptr;
    const KScheduleFrame *f = s->GetFrame(row - 1);
    return f && f->HasItemName() ? f : nullptr;
}

KSchTime KScheduleList::TotalTime(const KDaySchedule &schedule)
{
    KSchTime total;
    for (int i = 0; i < schedule.GetCount(); ++i) {
        const KScheduleFrame *f = schedule.GetFrame(i);
        if (f && f->HasItemName() && !(f->Duration == KSchTime{}))
            total = AddTimes(total, f->Duration);
    }
    return total;
}

void KScheduleList::RefreshRows(bool useWorkingCopy)
{
    if (!schedule_)
        return;
    for (int r = 1; r < RowCount(); ++r) {
        const KScheduleFrame *f = FrameOfRow(r);
        if (f) {
            SetCellText(r, ColColor, QString());
            SetCellText(r, ColStart, Q(FormatTime(ToClockTime(f->StartTime), false)));
            SetCellText(r, ColItem, Q(f->ItemName));
            SetCellText(r, ColEnd, Q(FormatTime(ToClockTime(f->EndTime()), false)));
            SetCellText(r, ColTime, Q(FormatTime(f->Duration, false)));
            SetCellText(r, ColMemo, Q(f->Memo));
        } else {
            for (int c = 0; c < ColumnCount; ++c)
                SetCellText(r, c, QString());
        }
    }
    totalShown_ = showTotalTime_ && useWorkingCopy;
    if (QTableWidgetItem *t = horizontalHeaderItem(ColTime)) {
        const KDaySchedule *s = ShownSchedule();
        t->setText(totalShown_ && s ? Q(FormatTime(TotalTime(*s), false)) : TitleText(ColTime));
    }
    ShowScrollBarForFrames();
    // Colour swatches and blank rows follow the schedule, not the texts.
    viewport()->update();
    PlaceMark(markedFrame_);
}

QString KScheduleList::CellText(int row, int col) const
{
    if (row == 0) {
        QTableWidgetItem *t = horizontalHeaderItem(col);
        return t ? t->text() : QString();
    }
    QTableWidgetItem *it = Cell(row, col);
    return it ? it->text() : QString();
}

QRect KScheduleList::CellRect(int row, int col) const
{
    if (col < 0 || col >= ColumnCount || row < 0 || row >= RowCount())
        return QRect();
    const QPoint origin = viewport()->geometry().topLeft();
    if (row == 0) {
        int x = horizontalHeader()->sectionViewportPosition(col);
        return QRect(x, 0, columnWidth(col), RowHeight);
    }
    QRect r = visualRect(model()->index(row - 1, col));
    if (!r.isValid() || !viewport()->rect().intersects(r))
        return QRect();
    return r.translated(origin);
}

void KScheduleList::PaintCell(QPainter *p, const QRect &rect, int row, int col) const
{
    p->save();
    const KScheduleFrame *frame = row >= 1 ? FrameOfRow(row) : nullptr;
    QRect textArea = rect;
    if (row == 0 || !frame) {
        p->fillRect(rect, ButtonFace());
        if (row == 0) {
            // Fixed-row lines along the right and bottom edges.
            p->setPen(QApplication::palette().color(QPalette::Mid));
            p->drawLine(rect.topRight(), rect.bottomRight());
            p->drawLine(rect.bottomLeft(), rect.bottomRight());
        }
    } else if (col == ColColor) {
        p->fillRect(rect, Qt::white);
        p->fillRect(rect.adjusted(1, 1, -1, -1), KColorConv::ToQColor(frame->Color));
    } else if (currentRow() == row - 1 && currentColumn() == col) {
        p->fillRect(rect, Qt::black);
        textArea = rect.adjusted(1, 1, -1, -1);
        p->fillRect(textArea, CurrentCellColor);
    } else {
        p->fillRect(rect, Qt::white);
    }
    const QString text = CellText(row, col);
    if (!text.isEmpty()) {
        p->setFont(cellFont_);
        p->setPen(Qt::black);
        p->setClipRect(textArea);
        int align = Qt::AlignVCenter | Qt::TextSingleLine;
        QRect r = textArea;
        // Centred when it fits; a longer text starts at the left, so its beginning shows.
        if (col == ColMemo ||
            QFontMetrics(cellFont_).horizontalAdvance(text) > r.width() - 2 * TitlePadding) {
            align |= Qt::AlignLeft;
            r.adjust(TitlePadding, 0, 0, 0);
        } else {
            align |= Qt::AlignHCenter;
        }
        p->drawText(r, align, text);
    }
    p->restore();
}

int KScheduleList::CursorRow() const
{
    return currentRow() + 1;
}

int KScheduleList::CursorCol() const
{
    return std::max(0, currentColumn());
}

void KScheduleList::SetCursor(int row, int col)
{
    if (row < 1 || row >= RowCount() || col < 0 || col >= ColumnCount)
        return;
    setCurrentCell(row - 1, col);
}

void KScheduleList::SetItemPool(KTScheduleItemPool *pool)
{
    if (pool == pool_)
        return;
    pool_ = pool;
    // Choosing a name from the pick list is an edit; the edit reaction is installed by scheduling mode.
}

void KScheduleList::SetPopupMenu(QMenu *menu)
{
    if (menu == popupMenu_)
        return;
    popupMenu_ = menu;
    setContextMenuPolicy(menu ? Qt::DefaultContextMenu : Qt::NoContextMenu);
}

void KScheduleList::contextMenuEvent(QContextMenuEvent *event)
{
    if (!popupMenu_ || event->reason() != QContextMenuEvent::Mouse)
        return;
    QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    setCurrentCell(index.row(), index.column());
    QRect r = visualRect(index);
    popupMenu_->popup(viewport()->mapToGlobal(r.bottomLeft() + QPoint(0, 1)));
}

// --- long-text panel -----------------------------------------------------------------

void KScheduleList::SetMemoPanelEnabled(bool on)
{
    memoEnabled_ = on;
    if (!on && memoPanel_) {
        delete memoPanel_;
        memoPanel_ = nullptr;
        memoPanelRow_ = memoPanelCol_ = -1;
    }
}

KTMemoPanel *KScheduleList::MemoPanel()
{
    // Made the first time a long text is shown, not with the list.
    if (memoEnabled_ && !memoPanel_) {
        memoPanel_ = new KTMemoPanel(this, this);
        memoPanel_->hide();
        memoPanel_->SetMemoColor(0xFFFFFF);
        memoPanel_->SetMemoBorder(false);
        memoPanel_->setFont(cellFont_);
        memoPanel_->MemoBox()->setFont(cellFont_);
        ApplyMemoPanelMode();
    }
    return memoPanel_;
}

void KScheduleList::HideMemoPanel()
{
    memoPanelRow_ = memoPanelCol_ = -1;
    if (memoPanel_)
        memoPanel_->hide();
}

void KScheduleList::ShowMemoPanel(int row, int col)
{
    if (!memoEnabled_ || row < 1 || (col != ColItem && col != ColMemo)) {
        HideMemoPanel();
        return;
    }
    const QString text = CellText(row, col);
    const int textWidth = QFontMetrics(cellFont_).horizontalAdvance(text);
    const QRect cell = CellRect(row, col);
    if (text.isEmpty() || cell.isEmpty() || textWidth <= columnWidth(col)) {
        HideMemoPanel();
        return;
    }
    MemoPanel()->SetWidth(columnWidth(col));
    memoPanel_->SetPanelText(text);
    int top = cell.top();
    if (top + memoPanel_->height() > height())
        top = cell.top() + RowHeight - memoPanel_->height();
    const int left = cell.left() - std::max(0, cell.left() + std::min(textWidth, 100) - width());
    memoPanel_->move(left, top);
    memoPanel_->SetMemoColor(editMode_ ? 0xFFCAFF : 0xFFFFFF);
    memoPanel_->SetMaxLength(editMode_ ? (col == ColItem ? ItemTextLimit : MemoTextLimit) : 0);
    memoPanel_->SetEditable(editMode_);
    memoPanelRow_ = row;
    memoPanelCol_ = col;
    memoPanel_->show();
    memoPanel_->raise();
}

void KScheduleList::HidePopups()
{
    if (pool_)
        pool_->HidePopup();
}

void KScheduleList::mouseReleaseEvent(QMouseEvent *event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (memoPanelTrigger_ == 0 || memoPanelTrigger_ == 1)
        ShowMemoPanel(CursorRow(), CursorCol());
}

// --- keys ----------------------------------------------------------------------------

void KScheduleList::keyPressEvent(QKeyEvent *event)
{
    if (EditKey(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    const KDaySchedule *s = ShownSchedule();
    const int frames = s ? s->GetCount() : 0;
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && tabKeyNavigation()) {
        // Tab and Shift+Tab cycle through the cells of frame rows only.
        if (frames <= 0) {
            event->accept();
            return;
        }
        int row = CursorRow(), col = CursorCol();
        const bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        if (!back) {
            if (row > frames || (row == frames && col == ColMemo)) {
                row = 1;
                col = 0;
            } else if (col == ColMemo) {
                ++row;
                col = 0;
            } else {
                ++col;
            }
        } else {
            if (row > frames || (row == 1 && col == 0)) {
                row = frames;
                col = ColMemo;
            } else if (col == 0) {
                --row;
                col = ColMemo;
            } else {
                --col;
            }
        }
        SetCursor(row, col);
        HidePopups();
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape) {
        HidePopups();
        HideTimeEntry();
        HideMemoPanel();
        event->accept();
        return;
    }
    HidePopups();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (memoPanel_ && memoPanel_->isVisible())
            HideMemoPanel();
        else if (memoPanelTrigger_ == 2)
            ShowMemoPanel(CursorRow(), CursorCol());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

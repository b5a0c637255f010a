#include "listedit/KTScheduleItemPool.h"

#include "platform/qt/KColorConv.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {
constexpr int ColorRole = Qt::UserRole + 1;

// Draws one name: the state's background, a small swatch of the name's colour, the name.
class PoolItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &pal = option.palette;
        QRect r = option.rect;
        p->save();
        p->fillRect(r, selected ? pal.color(QPalette::Highlight) : QColor(Qt::white));
        QColor swatch = Qt::white;
        QVariant v = index.data(ColorRole);
        if (v.isValid())
            swatch = KColorConv::ToQColor(v.toUInt());
        QColor pen = selected ? pal.color(QPalette::HighlightedText) : QColor(Qt::black);
        p->setPen(pen);
        p->setBrush(swatch);
        p->drawRect(QRect(QPoint(r.left(), r.top() + 2), QPoint(r.left() + 9, r.bottom() - 2)));
        p->drawText(QRect(r.left() + 14, r.top(), r.width() - 14, r.height()),
                    Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::DisplayRole).toString());
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QFontMetrics fm(option.font);
        return QSize(fm.horizontalAdvance(index.data().toString()) + 14, fm.height() + 2);
    }
};

// Enter chooses, Delete removes the selected name.
class PoolKeyFilter : public QObject {
public:
    PoolKeyFilter(QObject *parent, std::function<void()> choose, std::function<void()> remove)
        : QObject(parent), choose_(std::move(choose)), remove_(std::move(remove))
    {}
    bool eventFilter(QObject *obj, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                choose_();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                remove_();
                return true;
            }
        }
        return QObject::eventFilter(obj, event);
    }

private:
    std::function<void()> choose_, remove_;
};
} // namespace

KTScheduleItemPool::KTScheduleItemPool(int capacity) : core_(capacity) {}

KTScheduleItemPool::~KTScheduleItemPool()
{
    // The list box reacts through this pool: it must not outlive it, even inside a host.
    delete popup_.data();
}

QString KTScheduleItemPool::NameAt(int index) const
{
    const std::u16string &n = core_.NameAt(index);
    return QString::fromUtf16(n.data(), qsizetype(n.size()));
}

int KTScheduleItemPool::AddItem(const QString &name, uint32_t color)
{
    return core_.AddItem(name.toStdU16String(), color);
}

uint32_t KTScheduleItemPool::GetItemColor(const QString &name, uint32_t fallback) const
{
    return core_.GetItemColor(name.toStdU16String(), fallback);
}

int KTScheduleItemPool::SetItemColor(const QString &name, uint32_t color)
{
    return core_.SetItemColor(name.toStdU16String(), color);
}

int KTScheduleItemPool::ItemHeight() const
{
    QFont font = popup_ ? popup_->font() : (host_ ? host_->font() : QApplication::font());
    return QFontMetrics(font).height() + 2;
}

void KTScheduleItemPool::MakePopup(QWidget *host)
{
    delete popup_.data();
    host_ = host;
    auto *list = new QListWidget(host);
    list->hide();
    list->setItemDelegate(new PoolItemDelegate(list));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setFrameShape(QFrame::Box);
    list->setLineWidth(1);
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this](QListWidgetItem *) { Choose(); });
    list->installEventFilter(new PoolKeyFilter(
        list, [this] { Choose(); }, [this] { DeleteSelected(); }));
    popup_ = list;
}

void KTScheduleItemPool::ShowPopup(QWidget *host, int x, int y)
{
    if (!host)
        return;
    const int shown = std::min(core_.Count(), core_.Capacity());
    if (shown <= 0)
        return;
    if (!popup_ || popup_->parentWidget() != host)
        MakePopup(host);
    QListWidget *list = popup_;
    list->clear();
    QFontMetrics fm(list->font());
    for (int i = 0; i < shown; ++i) {
        QString name = NameAt(i);
        auto *item = new QListWidgetItem(name, list);
        item->setData(ColorRole, uint(core_.ColorAt(i)));
        widestText_ = std::max(widestText_, fm.horizontalAdvance(name));
    }
    const int itemHeight = fm.height() + 2;
    int width = widestText_ <= PopupMaxWidth ? widestText_ + 22 : PopupMaxWidth;
    width = std::min(width, host->width());
    int d = std::min(shown * itemHeight + 8, host->height());
    int height = PopupMaxHeight;
    if (d < PopupMaxHeight)
        height = width < widestText_ ? d + 22 : d;
    list->setHorizontalScrollBarPolicy(width < widestText_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (y + height > host->height())
        y = y - height - itemHeight - 8;
    list->setGeometry(x, y, width, height);
    list->show();
    list->raise();
    list->setFocus();
}

void KTScheduleItemPool::HidePopup()
{
    if (popup_) {
        QListWidget *list = popup_;
        popup_ = nullptr;
        list->hide();
        list->deleteLater();
    }
}

bool KTScheduleItemPool::PopupVisible() const
{
    return popup_ && popup_->isVisible();
}

QString KTScheduleItemPool::SelectedName() const
{
    if (!popup_)
        return QString();
    int row = popup_->currentRow();
    if (row < 0 || row >= core_.Count() || !popup_->currentItem() || !popup_->currentItem()->isSelected())
        return QString();
    return NameAt(row);
}

uint32_t KTScheduleItemPool::SelectedColor() const
{
    QString name = SelectedName();
    if (name.isEmpty())
        return 0xFFFFFF;
    return core_.GetItemColor(name.toStdU16String(), 0xFFFFFF);
}

void KTScheduleItemPool::Choose()
{
    if (choice_ && !SelectedName().isEmpty())
        choice_(this);
    if (popup_)
        popup_->hide();
}

void KTScheduleItemPool::DeleteSelected()
{
    if (!popup_)
        return;
    int row = popup_->currentRow();
    if (row < 0 || row >= core_.Count() || !popup_->currentItem() || !popup_->currentItem()->isSelected())
        return;
    delete popup_->takeItem(row);
    core_.RemoveAt(row);
}

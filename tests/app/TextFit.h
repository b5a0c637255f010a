#pragma once

// Whether every text a window shows can be read whole: for each visible label, button,
// check box, combo box, read-only line and text box the size its text needs in the widget's
// font (with the widget's margins, indent, icon and word wrap) is compared with the room the
// widget gives it, and the place of the text with what the parents, the children on top of
// it and the window's title bar leave visible.
#include "listedit/KScheduleList.h"
#include "platform/qt/KUiText.h"
#include "platform/qt/KWindowCaption.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <optional>

namespace TextFit {

inline QString Describe(const QObject *o)
{
    QString path;
    for (; o; o = o->parent())
        path = QString::fromLatin1(o->metaObject()->className()) + '(' + o->objectName() + ')' +
               (path.isEmpty() ? "" : " > ") + path;
    return path;
}

// One text of a widget: the room it has (widget coordinates), the size it needs there and
// where it lands.
struct Shown {
    QString Text;
    QRect Room;
    QSize Need;
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignVCenter;
    QRect Place() const { return QStyle::alignedRect(Qt::LeftToRight, Align, Need, Room); }
    // Where the glyphs are: blanks at the start of a left-justified text may lie under
    // another control (a caption that continues after an entry box).
    QRect Glyphs(const QFont &font) const
    {
        int blanks = 0;
        while (blanks < Text.size() && Text.at(blanks) == QLatin1Char(' '))
            ++blanks;
        const int lead =
            (Align & Qt::AlignLeft) ? QFontMetrics(font).horizontalAdvance(Text.left(blanks)) : 0;
        return Place().adjusted(lead, 0, 0, 0);
    }
};

inline QSize IconBeside(QSize text, const QIcon &icon, QSize iconSize)
{
    if (icon.isNull())
        return text;
    return QSize(text.width() + iconSize.width() + 4, std::max(text.height(), iconSize.height()));
}

inline std::optional<Shown> LabelText(const QLabel *l)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return std::nullopt;
    const QFontMetrics fm(l->font());
    QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const Qt::Alignment align = l->alignment();
    int indent = l->indent();
    if (indent < 0 && l->frameWidth() > 0)
        indent = fm.horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            room.setLeft(room.left() + indent);
        if (align & Qt::AlignRight)
            room.setRight(room.right() - indent);
        if (align & Qt::AlignTop)
            room.setTop(room.top() + indent);
        if (align & Qt::AlignBottom)
            room.setBottom(room.bottom() - indent);
    }
    Shown s{l->text(), room, {}, align};
    const bool rich = l->textFormat() == Qt::RichText ||
                      (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        if (l->wordWrap())
            doc.setTextWidth(room.width());
        s.Need = QSize(int(std::ceil(l->wordWrap() ? doc.idealWidth() : doc.size().width())),
                       int(std::ceil(doc.size().height())));
    } else {
        const int flags = int(align) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0) |
                          (l->buddy() ? int(Qt::TextShowMnemonic) : 0);
        s.Need = fm.boundingRect(room, flags, l->text()).size();
    }
    return s;
}

inline std::optional<Shown> ButtonText(const QAbstractButton *b)
{
    if (b->text().isEmpty())
        return std::nullopt;
    const QFontMetrics fm(b->font());
    const QSize text = fm.size(Qt::TextShowMnemonic, b->text());
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    Shown s{b->text(), b->rect(), IconBeside(text, b->icon(), b->iconSize()), Qt::AlignCenter};
    if (auto *p = qobject_cast<const QPushButton *>(b)) {
        if (p->isDefault())
            opt.features |= QStyleOptionButton::DefaultButton;
        if (p->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
        if (p->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        s.Room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        if (p->menu())
            s.Room.setRight(s.Room.right() -
                            b->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, &opt, b));
    } else if (qobject_cast<const QCheckBox *>(b)) {
        s.Room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b);
        s.Align = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (qobject_cast<const QRadioButton *>(b)) {
        s.Room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b);
        s.Align = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (auto *t = qobject_cast<const QToolButton *>(b)) {
        if (t->toolButtonStyle() == Qt::ToolButtonIconOnly && !t->icon().isNull())
            return std::nullopt;
        const int fw = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, b);
        s.Room = b->rect().adjusted(fw, fw, -fw, -fw);
        if (t->toolButtonStyle() == Qt::ToolButtonTextOnly)
            s.Need = text;
    }
    return s;
}

inline std::optional<Shown> ComboText(const QComboBox *c)
{
    if (c->isEditable() || c->count() == 0)
        return std::nullopt;
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = false;
    opt.currentText = c->currentText();
    const QRect field =
        c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
    // Any entry of the list may be the chosen one.
    const QFontMetrics fm(c->font());
    Shown s{QString(), field.adjusted(1, 0, -1, 0), {}, Qt::AlignLeft | Qt::AlignVCenter};
    for (int i = 0; i < c->count(); ++i) {
        const QSize need = IconBeside(fm.size(0, c->itemText(i)), c->itemIcon(i), c->iconSize());
        if (need.width() > s.Need.width()) {
            s.Need = need;
            s.Text = c->itemText(i);
        }
    }
    return s;
}

inline std::optional<Shown> LineText(const QLineEdit *e)
{
    // Only lines that show the program's own text: a user's entry scrolls as it is typed.
    if (!e->isReadOnly() || e->text().isEmpty() || e->echoMode() != QLineEdit::Normal)
        return std::nullopt;
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    const QMargins m = e->textMargins();
    QRect room = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(m);
    room.adjust(2, 0, -2, 0); // the line's own margins beside its text
    const QFontMetrics fm(e->font());
    return Shown{e->text(), room, QSize(fm.horizontalAdvance(e->text()), fm.height()), e->alignment()};
}

// The part of w (in its own coordinates) its parents leave visible.
inline QRect VisiblePart(const QWidget *w)
{
    QRect r = w->rect();
    QPoint offset(0, 0);
    for (const QWidget *c = w; !c->isWindow() && c->parentWidget(); c = c->parentWidget()) {
        offset += c->pos();
        r &= c->parentWidget()->rect().translated(-offset);
    }
    return r;
}

// Widgets drawn over the rectangle r of w: its own visible children and the visible
// siblings that come after it (they paint on top).
inline QStringList CoveredBy(const QWidget *w, const QRect &r)
{
    QStringList found;
    for (const QObject *o : w->children()) {
        auto *c = qobject_cast<const QWidget *>(o);
        if (c && !c->isWindow() && c->isVisibleTo(w) && c->geometry().intersects(r))
            found << Describe(c);
    }
    if (const QWidget *parent = w->parentWidget(); parent && !w->isWindow()) {
        const QRect inParent = r.translated(w->pos());
        bool after = false;
        for (const QObject *o : parent->children()) {
            if (o == w) {
                after = true;
                continue;
            }
            auto *c = qobject_cast<const QWidget *>(o);
            if (after && c && !c->isWindow() && c->isVisibleTo(parent) &&
                !c->testAttribute(Qt::WA_TransparentForMouseEvents) && c->geometry().intersects(inParent))
                found << Describe(c);
        }
    }
    return found;
}

inline QString Problem(const QWidget *w, const Shown &s)
{
    const QString what = Describe(w) + " \"" + s.Text + "\": ";
    if (s.Need.width() > s.Room.width() || s.Need.height() > s.Room.height())
        return what + QString("needs %1x%2, has %3x%4")
                          .arg(s.Need.width())
                          .arg(s.Need.height())
                          .arg(s.Room.width())
                          .arg(s.Room.height());
    const QRect place = s.Place();
    if (!VisiblePart(w).contains(place))
        return what + "partly outside what its parents show";
    const QStringList over = CoveredBy(w, s.Glyphs(w->font()));
    if (!over.isEmpty())
        return what + "covered by " + over.join(", ");
    return {};
}

// Texts of the list's title row against their columns, and frames below its bottom.
inline QStringList ListTexts(const KScheduleList *list)
{
    QStringList found;
    const KDaySchedule *s = list->ShownSchedule();
    if (s && (s->GetCount() + 1) * KScheduleList::RowHeight > list->height() &&
        !list->verticalScrollBar()->isVisible())
        found << Describe(list) +
                     QString(": %1 frames, rows below the bottom and no scroll bar").arg(s->GetCount());
    const QFontMetrics fm(list->CellFont());
    for (int c = 0; c < KScheduleList::ColumnCount; ++c) {
        const QString title = list->CellText(0, c);
        if (fm.horizontalAdvance(title) + 2 > list->columnWidth(c))
            found << Describe(list) + QString(" title \"%1\": needs %2, column %3")
                                          .arg(title)
                                          .arg(fm.horizontalAdvance(title) + 2)
                                          .arg(list->columnWidth(c));
    }
    return found;
}

// Content a scroll area hides without a scroll bar to reach it.
inline QStringList HiddenContent(const QAbstractScrollArea *a)
{
    QStringList found;
    if (a->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && a->verticalScrollBar()->maximum() > 0)
        found << Describe(a) + ": content below the bottom and no scroll bar";
    if (a->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff && a->horizontalScrollBar()->maximum() > 0)
        found << Describe(a) + ": content beyond the right edge and no scroll bar";
    return found;
}

// A title bar shows the caption whole when the window is at least as wide as it needs.
inline QString Caption(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    if ((type != Qt::Window && type != Qt::Dialog) || window->windowFlags() & Qt::FramelessWindowHint)
        return {};
    const int need = KWindowCaption::NeededWidth(window);
    if (need <= window->width())
        return {};
    return Describe(window) + QString(" caption \"%1\": needs %2, window %3")
                                  .arg(KWindowCaption::Shown(window))
                                  .arg(need)
                                  .arg(window->width());
}

// Every text under root (root included) that is cut, hidden or covered.
inline QStringList Problems(QWidget *root)
{
    QStringList found;
    QList<QWidget *> widgets{root};
    widgets += root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        if (w->isWindow()) {
            if (!w->isVisible())
                continue;
            if (const QString c = Caption(w); !c.isEmpty())
                found << c;
        }
        if (KUiText::IsUserData(w))
            continue; // the user's own texts may be longer than any box
        if (VisiblePart(w).isEmpty())
            continue; // out of sight altogether (beyond a small window's edge)
        std::optional<Shown> s;
        if (auto *l = qobject_cast<QLabel *>(w))
            s = LabelText(l);
        else if (auto *b = qobject_cast<QAbstractButton *>(w))
            s = ButtonText(b);
        else if (auto *c = qobject_cast<QComboBox *>(w))
            s = ComboText(c);
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            s = LineText(e);
        if (s) {
            if (const QString p = Problem(w, *s); !p.isEmpty())
                found << p;
        }
        // The list fills its bottom with blank rows; only its frames count.
        if (auto *list = dynamic_cast<KScheduleList *>(w))
            found += ListTexts(list);
        else if (auto *area = qobject_cast<QAbstractScrollArea *>(w))
            found += HiddenContent(area);
    }
    return found;
}

} // namespace TextFit

#include "listedit/KToptionPanel_I.h"

#include "app/dialogs/TKCalendarView.h"
#include "app/dialogs/TKClock.h"
#include "graphs/TKCurSchView.h"

#include <QLineEdit>

QFrame *KSidePanelLayout::MakeBox(QWidget *panel)
{
    auto *box = new QFrame(panel);
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    return box;
}

void KSidePanelLayout::Apply(QWidget *panel, const QList<Block> &blocks)
{
    const int left = 4;
    int top = 4;
    const int boxWidth = panel->width() - 8;
    for (const Block &b : blocks) {
        if (!b.Box || !b.Content) {
            top += 5;
            continue;
        }
        QWidget *c = b.Content;
        switch (b.How) {
        case Block::Centred:
            c->move((boxWidth - c->width()) / 2, top + 4);
            break;
        case Block::Inset:
            c->setGeometry(left + 4, top + 4, panel->width() - 16, c->height());
            break;
        case Block::CentredInBox: {
            const int h = b.ContentHeight >= 0 ? b.ContentHeight : c->height();
            const int w = panel->width() - 16;
            c->setGeometry(left + (boxWidth - w) / 2, top + 4, w, h);
            break;
        }
        }
        b.Box->setGeometry(left, top, boxWidth, c->height() + 8);
        b.Box->lower();
        top = b.Box->geometry().bottom() + 1 + 5;
    }
}

KSidePanel::KSidePanel(QWidget *owner, QWidget *host) : QFrame(host ? host : owner) {}

void KSidePanel::BuildTop(QFrame *&thirdBox)
{
    hide();
    ClockBox = KSidePanelLayout::MakeBox(this);
    CurSchBox = KSidePanelLayout::MakeBox(this);
    thirdBox = KSidePanelLayout::MakeBox(this);
    Clock = new TKClock(this);
    CurSchView = new TKCurSchView(this);
    CurSchView->SetBackgroundColor(0xC0DCC0);
    for (QLineEdit *e : {CurSchView->EditSchItem, CurSchView->EditStartTime, CurSchView->EditEndTime,
                         CurSchView->EditRemainTime})
        e->setFocusPolicy(Qt::NoFocus);
}

void KSidePanel::FinishBuild()
{
    resize(280, 500);
    Relayout();
}

void KSidePanel::SetHeight(int h)
{
    if (h == height())
        return;
    resize(width(), h);
    Relayout();
}

void KSidePanel::SetLanguage(int language)
{
    if (CurSchView)
        CurSchView->SetLanguage(language);
}

void KToptionPanel_I::SetLanguage(int language)
{
    KSidePanel::SetLanguage(language);
    if (CalendarView)
        CalendarView->SetLanguage(language);
}

void KSidePanel::SetWidth(int w)
{
    if (w == width())
        return;
    resize(w, height());
    Relayout();
}

KToptionPanel_I::KToptionPanel_I(QWidget *owner) : KSidePanel(owner, nullptr)
{
    Build();
}

KToptionPanel_I::KToptionPanel_I(QWidget *owner, QWidget *host) : KSidePanel(owner, host)
{
    Build();
}

void KToptionPanel_I::Build()
{
    BuildTop(CalendarBox);
    CalendarView = new TKCalendarView(this);
    CalendarView->SetFontSize(10);
    FinishBuild();
}

void KToptionPanel_I::Relayout()
{
    using B = KSidePanelLayout::Block;
    CalendarView->SetMaxWidth(width() - 16);
    CalendarView->Relayout();
    KSidePanelLayout::Apply(this, {B{ClockBox, Clock, B::Centred, -1}, B{CurSchBox, CurSchView, B::Inset, -1},
                                   B{CalendarBox, CalendarView, B::Centred, -1}});
}

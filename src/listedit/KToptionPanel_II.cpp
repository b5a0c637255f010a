#include "listedit/KToptionPanel_II.h"

#include "app/dialogs/TKClock.h"
#include "graphs/TKCurSchView.h"
#include "graphs/TKSchGraphView.h"
#include "listedit/KToptionPanel_I.h"

#include <QLineEdit>

KToptionPanel_II::KToptionPanel_II(QWidget *owner) : QFrame(owner)
{
    Build();
}

KToptionPanel_II::KToptionPanel_II(QWidget *owner, QWidget *host) : QFrame(host ? host : owner)
{
    Build();
}

void KToptionPanel_II::Build()
{
    hide();
    ClockBox = KSidePanelLayout::MakeBox(this);
    CurSchBox = KSidePanelLayout::MakeBox(this);
    GraphBox = KSidePanelLayout::MakeBox(this);
    Clock = new TKClock(this);
    CurSchView = new TKCurSchView(this);
    CurSchView->SetBackgroundColor(0xC0DCC0);
    for (QLineEdit *e : {CurSchView->EditSchItem, CurSchView->EditStartTime, CurSchView->EditEndTime,
                         CurSchView->EditRemainTime})
        e->setFocusPolicy(Qt::NoFocus);
    GraphView = new TKSchGraphView(this);
    GraphView->resize(GraphView->width(), GraphViewHeight);
    resize(280, 500);
    Relayout();
}

void KToptionPanel_II::SetHeight(int h)
{
    if (h == height())
        return;
    resize(width(), h);
    Relayout();
}

void KToptionPanel_II::SetWidth(int w)
{
    if (w == width())
        return;
    resize(w, height());
    Relayout();
}

void KToptionPanel_II::Relayout()
{
    using B = KSidePanelLayout::Block;
    KSidePanelLayout::Apply(this, {B{ClockBox, Clock, B::Centred, -1}, B{CurSchBox, CurSchView, B::Inset, -1},
                                   B{GraphBox, GraphView, B::CentredInBox, GraphViewHeight}});
}

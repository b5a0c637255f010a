#include "listedit/KToptionPanel_II.h"

#include "app/dialogs/TKClock.h"
#include "graphs/TKCurSchView.h"
#include "graphs/TKSchGraphView.h"

KToptionPanel_II::KToptionPanel_II(QWidget *owner) : KSidePanel(owner, nullptr)
{
    Build();
}

KToptionPanel_II::KToptionPanel_II(QWidget *owner, QWidget *host) : KSidePanel(owner, host)
{
    Build();
}

void KToptionPanel_II::Build()
{
    BuildTop(GraphBox);
    GraphView = new TKSchGraphView(this);
    GraphView->resize(GraphView->width(), GraphViewHeight);
    FinishBuild();
}

void KToptionPanel_II::SetLanguage(int language)
{
    KSidePanel::SetLanguage(language);
    if (GraphView)
        GraphView->SetLanguage(language == 1 ? 1 : 0);
}

void KToptionPanel_II::Relayout()
{
    using B = KSidePanelLayout::Block;
    KSidePanelLayout::Apply(this, {B{ClockBox, Clock, B::Centred, -1}, B{CurSchBox, CurSchView, B::Inset, -1},
                                   B{GraphBox, GraphView, B::CentredInBox, GraphViewHeight}});
}

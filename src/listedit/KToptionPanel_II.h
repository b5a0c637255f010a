#pragma once

#include "listedit/KToptionPanel_I.h"

class TKSchGraphView;

// The side panel of scheduling mode: clock, current-schedule view and graph selector.
class KToptionPanel_II : public KSidePanel {
public:
    static constexpr int GraphViewHeight = 260;

    explicit KToptionPanel_II(QWidget *owner = nullptr);
    KToptionPanel_II(QWidget *owner, QWidget *host);

    void Relayout() override;
    void SetLanguage(int language) override;

    TKSchGraphView *GraphView = nullptr;
    QFrame *GraphBox = nullptr;

private:
    void Build();
};

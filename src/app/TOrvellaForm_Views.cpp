// View switching and the view options of the View menu.
#include "app/TOrvellaForm.h"

#include "model/KMessageCatalog.h"

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

void TOrvellaForm::SwitchView(int type)
{
    if (type != vtList && SchedulingMode) {
        platform_.Prompter->Show(KMessageCatalog::Text(KMessageCatalog::CaptionWarning, Language),
                                 KMessageCatalog::Text(KMessageCatalog::ViewSwitchRefused, Language),
                                 KMsgIcon::Warning);
        return;
    }

    switch (type) {
    case vtList:
        EnterSkinModeButton->hide();
        ExitSkinModeButton->hide();
        Action("ViewSkinMode")->setEnabled(false);
        ViewType = vtList;
        SchTitleEdit->setText(SchTitle);
        break;
    default:
        // The graph and count views are not part of this window yet.
        return;
    }

    UpdateViewMenuChecks(ViewType);
    ClockTick();
}

void TOrvellaForm::UpdateViewMenuChecks(int type)
{
    const char *names[] = {"ViewTypeList", "ViewTypePie", "ViewTypeVTimeline", "ViewTypeSchCount"};
    if (type >= 0 && type < 4)
        Action(names[type])->setChecked(true);
}

void TOrvellaForm::SetCurTimeMark(bool value)
{
    CurTimeMark = value;
    Action("OptCTimeMark")->setChecked(value);
}

void TOrvellaForm::SetOneHourGScale(bool value)
{
    OneHourGScale = value;
    Action("ViewOneHourGScale")->setChecked(value);
}

void TOrvellaForm::SetStartWithLastView(bool value)
{
    StartWithLastView = value;
    Action("ViewStartWithLastView")->setChecked(value);
}

void TOrvellaForm::MoveTimeMark(KSchTime now)
{
    (void)now;
}

#include "listedit/TKSchConfSimpleDialog.h"

#include "model/KCheckTexts.h"
#include "platform/qt/KFontMap.h"
#include "platform/qt/KQtText.h"
#include "platform/qt/KWindowCaption.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

TKSchConfSimpleDialog::TKSchConfSimpleDialog(QWidget *owner) : QDialog(owner)
{
    setObjectName("TKSchConfSimpleDialog");
    setFont(KFontMap::PointFont("Tahoma", 9));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(297, 199); // fixed border

    ConflictMsg = new QPlainTextEdit(this);
    ConflictMsg->setObjectName("ConflictMsg");
    ConflictMsg->setGeometry(8, 8, 281, 49);
    ConflictMsg->setFont(KFontMap::PixelFont("Tahoma", 13));
    ConflictMsg->setReadOnly(true);
    ConflictMsg->setFrameShape(QFrame::NoFrame);
    ConflictMsg->setFocusPolicy(Qt::NoFocus);
    ConflictMsg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConflictMsg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConflictMsg->document()->setDocumentMargin(0);
    QPalette pal = ConflictMsg->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Window));
    ConflictMsg->setPalette(pal);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(8, 63, 281, 130);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setLineWidth(1);

    auto radio = [this](const char *name, int top) {
        auto *r = new QRadioButton(Panel1);
        r->setObjectName(name);
        r->setGeometry(26, top, 240, 25);
        return r;
    };
    RadioButtonMAN = radio("RadioButtonMAN", 4);
    RadioButtonRETRIEVE = radio("RadioButtonRETRIEVE", 29);
    RadioButtonCANCEL = radio("RadioButtonCANCEL", 54);

    ButtonOK = new QPushButton(QStringLiteral("OK"), Panel1);
    ButtonOK->setObjectName("ButtonOK");
    ButtonOK->setGeometry(192, 85, 74, 33);
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, [this] {
        ButtonOKClick();
        accept();
    });

    setTabOrder(RadioButtonMAN, RadioButtonCANCEL);
    setTabOrder(RadioButtonCANCEL, RadioButtonRETRIEVE);
    setTabOrder(RadioButtonRETRIEVE, ButtonOK);
    SetChoiceCaptions(Language);
    RadioButtonMAN->setChecked(true);
}

void TKSchConfSimpleDialog::SetChoiceCaptions(int language)
{
    RadioButtonMAN->setText(Q(KCheckTexts::Get(KCheckTexts::ChoiceAdjust, language)));
    RadioButtonCANCEL->setText(Q(KCheckTexts::Get(KCheckTexts::ChoiceCancel, language)));
    RadioButtonRETRIEVE->setText(Q(KCheckTexts::Get(KCheckTexts::ChoiceRetrieve, language)));
}

void TKSchConfSimpleDialog::Prepare(int code, int x, int y)
{
    SetChoiceCaptions(Language);
    RadioButtonMAN->setChecked(true);
    ConflictMsg->setPlainText(Q(KCheckTexts::Message(code, Language)));
    Choice = ChoiceAdjust;
    setWindowTitle(Q(KCheckTexts::Get(KCheckTexts::Caption, Language)));
    FitTexts();
    move(x, y);
    RadioButtonMAN->setFocus();
}

void TKSchConfSimpleDialog::FitTexts()
{
    // The layout is made for the platform's own Japanese face; with a wider face the dialog
    // grows so that no text is cut off, keeping every control's place relative to the others.
    int needWidth = 0;
    for (QRadioButton *r : {RadioButtonMAN, RadioButtonRETRIEVE, RadioButtonCANCEL})
        needWidth = std::max(needWidth, r->sizeHint().width() - BaseRadioWidth);
    // Measured as laid out, so that lines set partly in a fallback face (a taller one, for
    // Japanese) are counted at their real height.
    const QSize text = QFontMetrics(ConflictMsg->font())
                           .boundingRect(QRect(0, 0, 100000, 100000), 0, ConflictMsg->toPlainText())
                           .size();
    needWidth = std::max(needWidth, text.width() + 16 - BaseMessageWidth);
    // The title bar shows the whole caption.
    needWidth = std::max(needWidth, KWindowCaption::NeededWidth(this) - 297);
    const int extraW = std::max(0, needWidth);
    const int extraH = std::max(0, text.height() + 6 - BaseMessageHeight);
    ConflictMsg->setGeometry(8, 8, BaseMessageWidth + extraW, BaseMessageHeight + extraH);
    Panel1->setGeometry(8, 63 + extraH, 281 + extraW, 130);
    for (QRadioButton *r : {RadioButtonMAN, RadioButtonRETRIEVE, RadioButtonCANCEL})
        r->resize(BaseRadioWidth + extraW, 25);
    ButtonOK->move(192 + extraW, 85);
    setFixedSize(297 + extraW, 199 + extraH);
}

int TKSchConfSimpleDialog::ShowCheckResult(int code, int x, int y)
{
    Prepare(code, x, y);
    exec();
    return Choice;
}

void TKSchConfSimpleDialog::ButtonOKClick()
{
    if (RadioButtonMAN->isChecked())
        Choice = ChoiceAdjust;
    else if (RadioButtonRETRIEVE->isChecked())
        Choice = ChoiceRetrieve;
    else if (RadioButtonCANCEL->isChecked())
        Choice = ChoiceCancel;
}

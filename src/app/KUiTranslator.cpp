#include "app/KUiTranslator.h"

#include "platform/qt/KUiText.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>

namespace {

constexpr const char *HookedProperty = "_orvellaTrHooked";

bool HasJapanese(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x3000)
            return true;
    return false;
}

// One translatable text of an object. The object remembers the text's Japanese source and
// the text last written, so that a caption the program changed since is taken as the new
// source, and the English form is never looked up as a source.
template <class Set> void TranslateText(QObject *object, const char *field, const QString &current, Set set)
{
    const QByteArray sourceKey = QByteArray("_orvellaSrc_") + field;
    const QByteArray writtenKey = QByteArray("_orvellaSet_") + field;
    const QVariant written = object->property(writtenKey.constData());
    QString source = current;
    if (written.isValid() && written.toString() == current)
        source = object->property(sourceKey.constData()).toString();
    else if (!HasJapanese(current))
        return; // nothing of ours to translate
    const QString text = KUiText::Tr(source.toUtf8().constData());
    if (text != current)
        set(text);
    object->setProperty(sourceKey.constData(), source);
    object->setProperty(writtenKey.constData(), text);
}

} // namespace

KUiTranslator::KUiTranslator(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
    qtLoaded_ = qtCatalogue_.load(QString::fromLatin1(QtJapaneseCatalogue),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    SetQtTextsJapanese(true);
}

KUiTranslator::~KUiTranslator()
{
    qApp->removeEventFilter(this);
    if (installed_)
        QCoreApplication::removeTranslator(&catalogue_);
    SetQtTextsJapanese(false);
}

void KUiTranslator::SetQtTextsJapanese(bool on)
{
    on = on && qtLoaded_;
    if (on == qtInstalled_)
        return;
    // Qt's dialogs and message boxes made later take the texts at once; the open ones are
    // told by the language-change event Qt sends.
    if (on)
        qtInstalled_ = QCoreApplication::installTranslator(&qtCatalogue_);
    else if (QCoreApplication::removeTranslator(&qtCatalogue_))
        qtInstalled_ = false;
}

bool KUiTranslator::SetLanguage(int language)
{
    language = language == 1 ? 1 : 0;
    bool ok = true;
    if (language == 1 && !installed_) {
        ok = catalogue_.load(QString::fromLatin1(CatalogueFile)) &&
             QCoreApplication::installTranslator(&catalogue_);
        installed_ = ok;
        if (!ok)
            language = 0;
    } else if (language == 0 && installed_) {
        QCoreApplication::removeTranslator(&catalogue_);
        installed_ = false;
    }
    language_ = language;
    SetQtTextsJapanese(language_ == 0);
    for (QWidget *w : QApplication::topLevelWidgets())
        Retranslate(w);
    return ok;
}

void KUiTranslator::Retranslate(QWidget *root)
{
    TranslateWidget(root);
    for (QWidget *w : root->findChildren<QWidget *>())
        TranslateWidget(w);
    for (QAction *a : root->findChildren<QAction *>())
        TranslateAction(a);
}

void KUiTranslator::TranslateAction(QAction *action)
{
    if (!action->property(HookedProperty).isValid()) {
        action->setProperty(HookedProperty, true);
        // A caption set while the program runs is translated as soon as it is set.
        connect(action, &QAction::changed, this, [this, action] { TranslateAction(action); });
    }
    TranslateText(action, "text", action->text(), [action](const QString &t) { action->setText(t); });
    TranslateText(action, "toolTip", action->toolTip(),
                  [action](const QString &t) { action->setToolTip(t); });
    TranslateText(action, "statusTip", action->statusTip(),
                  [action](const QString &t) { action->setStatusTip(t); });
}

void KUiTranslator::TranslateWidget(QWidget *w)
{
    for (QAction *a : w->actions())
        TranslateAction(a);
    if (KUiText::IsUserData(w))
        return;
    if (w->isWindow())
        TranslateText(w, "windowTitle", w->windowTitle(), [w](const QString &t) { w->setWindowTitle(t); });
    TranslateText(w, "toolTip", w->toolTip(), [w](const QString &t) { w->setToolTip(t); });
    TranslateText(w, "statusTip", w->statusTip(), [w](const QString &t) { w->setStatusTip(t); });
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        TranslateText(w, "text", b->text(), [b](const QString &t) { b->setText(t); });
    else if (auto *l = qobject_cast<QLabel *>(w))
        TranslateText(w, "text", l->text(), [l](const QString &t) { l->setText(t); });
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        TranslateText(w, "title", g->title(), [g](const QString &t) { g->setTitle(t); });
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        TranslateText(w, "placeholder", e->placeholderText(),
                      [e](const QString &t) { e->setPlaceholderText(t); });
    else if (auto *c = qobject_cast<QComboBox *>(w)) {
        for (int i = 0; i < c->count(); ++i)
            TranslateText(w, QByteArray("item" + QByteArray::number(i)).constData(), c->itemText(i),
                          [c, i](const QString &t) { c->setItemText(i, t); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            TranslateText(w, QByteArray("tab" + QByteArray::number(i)).constData(), tabs->tabText(i),
                          [tabs, i](const QString &t) { tabs->setTabText(i, t); });
    }
}

bool KUiTranslator::eventFilter(QObject *watched, QEvent *event)
{
    // Windows, panels and menus made after the switch bring their Japanese captions: each
    // widget is translated when it is polished (before it is first shown, hidden children
    // included) and whenever it is shown again.
    if (installed_ && (event->type() == QEvent::Polish || event->type() == QEvent::Show) &&
        watched->isWidgetType())
        TranslateWidget(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}

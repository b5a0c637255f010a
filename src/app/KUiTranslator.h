#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

class QAction;
class QWidget;

// The captions of the interface are written in Japanese; their English forms come from the
// translation catalogue compiled into the program (orvella_en.ts). This class switches the
// catalogue on and off and rewrites the captions of every window, menu and action; windows
// and panels that appear later are translated when they are first shown, and an action that
// is given a new caption is translated again at once.
//
// Each text it rewrites keeps its Japanese source in the object, so switching back restores
// the original texts. Widgets that show the user's own texts are marked
// (KUiText::MarkUserData) and left alone.
class KUiTranslator : public QObject {
    Q_OBJECT

public:
    static constexpr const char *CatalogueFile = ":/i18n/orvella_en.qm";

    explicit KUiTranslator(QObject *parent = nullptr);
    ~KUiTranslator() override;

    // 0 Japanese, 1 English (anything else counts as Japanese). False when the English
    // catalogue cannot be loaded; the interface then stays Japanese.
    bool SetLanguage(int language);
    int Language() const { return language_; }

    // Rewrites the texts of root, its children and their actions in the current language.
    void Retranslate(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TranslateWidget(QWidget *widget);
    void TranslateAction(QAction *action);

    QTranslator catalogue_;
    bool installed_ = false;
    int language_ = 0;
};

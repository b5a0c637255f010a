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
//
// Qt's own texts (the buttons of message boxes, the file, colour, print and page-setup
// dialogs) follow the same language: in Japanese Qt's Japanese catalogue from the system's
// Qt translations is installed, in English none (Qt's own texts are English).
class KUiTranslator : public QObject {
    Q_OBJECT

public:
    static constexpr const char *CatalogueFile = ":/i18n/orvella_en.qm";
    // Qt's catalogue for the Japanese interface, in QLibraryInfo's translations folder.
    static constexpr const char *QtJapaneseCatalogue = "qtbase_ja";

    explicit KUiTranslator(QObject *parent = nullptr);
    ~KUiTranslator() override;

    // 0 Japanese, 1 English (anything else counts as Japanese). False when the English
    // catalogue cannot be loaded; the interface then stays Japanese.
    bool SetLanguage(int language);
    int Language() const { return language_; }
    // Whether Qt's own texts are Japanese now (false also when the system lacks the catalogue).
    bool QtTextsJapanese() const { return qtInstalled_; }

    // Rewrites the texts of root, its children and their actions in the current language.
    void Retranslate(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TranslateWidget(QWidget *widget);
    void TranslateAction(QAction *action);
    void SetQtTextsJapanese(bool on);

    QTranslator catalogue_;
    bool installed_ = false;
    QTranslator qtCatalogue_;
    bool qtLoaded_ = false;
    bool qtInstalled_ = false;
    int language_ = 0;
};

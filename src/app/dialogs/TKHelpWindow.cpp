#include "app/dialogs/TKHelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

static void InitHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace {
QPointer<TKHelpWindow> &TheWindow()
{
    static QPointer<TKHelpWindow> window;
    return window;
}
} // namespace

TKHelpWindow::TKHelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Orvella ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

QString TKHelpWindow::HelpFileName(int language)
{
    return language == 1 ? QStringLiteral("orvella_en.html") : QStringLiteral("orvella_ja.html");
}

QString TKHelpWindow::HelpSource(int language)
{
    InitHelpResources();
    const QString name = HelpFileName(language);
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/") + name);
    if (QFile::exists(beside))
        return beside;
    const QString builtIn = QStringLiteral(":/help/") + name;
    if (QFile::exists(builtIn))
        return builtIn;
    return QString();
}

bool TKHelpWindow::Load(const QString &source)
{
    if (source.isEmpty() || !QFile::exists(source))
        return false;
    const QUrl url = source.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + source)
                                                         : QUrl::fromLocalFile(source);
    browser_->setSource(url);
    return true;
}

TKHelpWindow *TKHelpWindow::Instance()
{
    return TheWindow();
}

bool TKHelpWindow::ShowContents(QWidget *owner, int language)
{
    const QString source = HelpSource(language);
    if (source.isEmpty())
        return false;
    if (!TheWindow())
        TheWindow() = new TKHelpWindow(owner);
    TKHelpWindow *w = TheWindow();
    if (!w->Load(source))
        return false;
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

void TKHelpWindow::CloseHelp()
{
    if (TheWindow())
        TheWindow()->close();
}

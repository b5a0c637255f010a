#include "app/dialogs/TKHelpWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

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
    const bool made = !TheWindow();
    if (made)
        TheWindow() = new TKHelpWindow(owner);
    TKHelpWindow *w = TheWindow();
    if (!w->Load(source))
        return false;
    if (made)
        w->PlaceFirstTime(owner);
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

QRect TKHelpWindow::PlaceBeside(const QRect &owner, QSize outer, const QRect &area)
{
    outer = outer.boundedTo(area.size());
    QRect r(QPoint(0, 0), outer);
    if (owner.right() + outer.width() <= area.right())
        r.moveTopLeft(QPoint(owner.right() + 1, owner.top()));
    else if (owner.left() - outer.width() >= area.left())
        r.moveTopLeft(QPoint(owner.left() - outer.width(), owner.top()));
    else
        r.moveCenter(owner.center());
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() + 1 - r.height()));
    return r;
}

void TKHelpWindow::PlaceFirstTime(QWidget *owner)
{
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame the window manager adds, as it is around the owner (a guess before any
    // window has been shown).
    QMargins frame(4, 28, 4, 4);
    QRect ownerFrame = screen->availableGeometry();
    if (owner && owner->isVisible()) {
        ownerFrame = owner->frameGeometry();
        const QRect inner = owner->geometry();
        if (ownerFrame != inner)
            frame = QMargins(inner.left() - ownerFrame.left(), inner.top() - ownerFrame.top(),
                             ownerFrame.right() - inner.right(), ownerFrame.bottom() - inner.bottom());
    }
    const QRect outer = PlaceBeside(ownerFrame, size().grownBy(frame), screen->availableGeometry());
    resize(outer.size().shrunkBy(frame));
    // A window's position is that of its frame.
    move(outer.topLeft());
}

void TKHelpWindow::CloseHelp()
{
    if (TheWindow())
        TheWindow()->close();
}

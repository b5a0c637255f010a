#pragma once

#include <QString>

class QWidget;

// A window's caption as the desktop's title bar shows it: the window title followed by the
// program's name ("エラー — Orvella"). A window narrower than its title bar needs gets its
// caption cut short by the window manager.
namespace KWindowCaption {

// The text the title bar shows for the window.
QString Shown(const QWidget *window);

// Width the window needs for its title bar to show the whole caption beside the window
// icon and the buttons.
int NeededWidth(const QWidget *window);

} // namespace KWindowCaption

#pragma once

#include <QIcon>

// The small pictures of the tool buttons and menu items, drawn at start.
namespace KToolIcons {
enum Kind {
    FileNew,
    FileOpen,
    FileSave,
    ViewList,
    ViewPie,
    ViewTimeline,
    ViewCount,
    ViewWeekCount,
    EnterScheduling,
    ExitScheduling,
    Add,
    Insert,
    Delete,
    Cancel,
    SkinEnter,
    SkinExit,
};
QIcon Icon(Kind kind);
} // namespace KToolIcons

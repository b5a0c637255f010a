#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QVariant>

// Texts of the interface. Captions are written in Japanese; their English forms come from
// the translation catalogue (context "Orvella") while the interface is English.
namespace KUiText {

constexpr const char *Context = "Orvella";

// The caption in the current interface language, for texts set while the program runs.
inline QString Tr(const char *japanese)
{
    return QCoreApplication::translate(Context, japanese);
}

// Widgets that show the user's own texts (item names, memos, titles) carry this property,
// so that the translation of the interface leaves them as the user wrote them.
constexpr const char *UserDataProperty = "orvellaUserData";

inline void MarkUserData(QObject *widget)
{
    widget->setProperty(UserDataProperty, true);
}

inline bool IsUserData(const QObject *widget)
{
    return widget->property(UserDataProperty).toBool();
}

} // namespace KUiText

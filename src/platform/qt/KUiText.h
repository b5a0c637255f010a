#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTextDocument>
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

// A tooltip that shows the text as written: a tooltip takes a text that looks like markup for
// markup (headings, links), so such a text is handed over escaped. File names, item names and
// memos are shown through this.
inline QString PlainToolTip(const QString &text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

} // namespace KUiText

#pragma once

#include <QString>
#include <string>

// Conversions between the core's UTF-16 texts and Qt strings.
inline QString Q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

inline std::u16string U(const QString &s)
{
    return s.toStdU16String();
}

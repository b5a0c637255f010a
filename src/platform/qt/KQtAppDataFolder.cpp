#include "platform/qt/KQtAppDataFolder.h"

#include <QDir>
#include <QStandardPaths>

std::u16string KQtAppDataFolder::Folder() const
{
#ifdef Q_OS_WIN
    // The roaming application-data folder, where the settings of a Windows user live.
    const QString roaming = qEnvironmentVariable("APPDATA");
    if (!roaming.isEmpty())
        return QDir::fromNativeSeparators(roaming).toStdU16String();
#endif
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdU16String();
}

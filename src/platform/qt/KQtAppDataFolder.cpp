#include "platform/qt/KQtAppDataFolder.h"

#include <QStandardPaths>

std::u16string KQtAppDataFolder::Folder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdU16String();
}

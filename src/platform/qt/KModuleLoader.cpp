#include "platform/qt/KModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

KModuleLoader::KModuleLoader()
{
    const QDir program(QCoreApplication::applicationDirPath());
    folders_ = {QDir::cleanPath(program.filePath(QStringLiteral("../lib/orvella/modules"))),
                program.absolutePath()};
}

KModuleLoader::KModuleLoader(QStringList folders) : folders_(std::move(folders)) {}

QFunctionPointer KModuleLoader::Resolve(const QString &module, const char *symbol, QString *error) const
{
    QStringList reasons;
    for (const QString &folder : folders_) {
        // Always an absolute file name: the loader's search path and the working folder never
        // take part, so no other file of that name is loaded in the module's place.
        QLibrary library(QDir(folder).absoluteFilePath(module));
        if (!library.load()) {
            reasons << library.errorString();
            continue;
        }
        if (const QFunctionPointer found = library.resolve(symbol))
            return found;
        reasons << library.errorString();
        library.unload();
    }
    if (error)
        *error =
            reasons.isEmpty() ? QStringLiteral("no folder to look in") : reasons.join(QStringLiteral("; "));
    return nullptr;
}

#pragma once

#include <QFunctionPointer>
#include <QString>
#include <QStringList>

// Parts of the program that need large libraries of their own (sound output pulls in the
// audio server's client and a dozen codecs) live in module files loaded when first used,
// so that start-up does not wait for libraries a session may never need. By default a
// module is looked for only beside the program: "<program folder>/../lib/orvella/modules" (the
// installed layout and the build tree), then the program folder itself (Windows). A module
// stays loaded until the program ends.
class KModuleLoader {
public:
    // Looks in the folders beside the program.
    KModuleLoader();
    // Looks in these folders, in order (tests).
    explicit KModuleLoader(QStringList folders);

    const QStringList &Folders() const { return folders_; }

    // Loads the module of that base name ("orvella-sound": liborvella-sound.so, orvella-sound.dll)
    // from the first folder that has it and returns the address of the exported function
    // symbol. nullptr when no folder has a module that loads and exports it; error then
    // receives why, naming every file tried.
    QFunctionPointer Resolve(const QString &module, const char *symbol, QString *error = nullptr) const;

private:
    QStringList folders_;
};

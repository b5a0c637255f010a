#pragma once

#include "platform/core/KFileDialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// Open and save dialogs through QFileDialog, owned by a window.
class KQtFileDialogs : public KFileDialogs {
public:
    void SetOwner(QWidget *owner) { owner_ = owner; }

    std::u16string OpenFile(const KFileDialogRequest &request) override;
    std::u16string SaveFile(const KFileDialogRequest &request) override;

    // "Text (*.a, *.b)|*.a;*.b|All (*.*)|*.*" as QFileDialog filters; selected gets the
    // filter at index (from 1).
    static QString ToQtFilter(const std::u16string &filter, int index, QString &selected);

private:
    QPointer<QWidget> owner_;
};

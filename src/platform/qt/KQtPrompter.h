#pragma once

#include "platform/core/KPrompter.h"

#include <QPointer>
#include <QWidget>

// Message boxes through QMessageBox, owned by the given window.
class KQtPrompter : public KPrompter {
public:
    explicit KQtPrompter(QWidget *owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget *owner) { owner_ = owner; }

    KMsgAnswer Ask(const std::u16string &caption, const std::u16string &text, KMsgIcon icon,
                   KMsgButtons buttons) override;

private:
    QPointer<QWidget> owner_;
};

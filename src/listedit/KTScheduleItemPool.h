#pragma once

#include "model/KItemPoolCore.h"

#include <QListWidget>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

// The pool of item names with one colour each, shared by the list and the file reading,
// with an owner-drawn pick list shown under an Item cell.
class KTScheduleItemPool {
public:
    using ChoiceCallback = std::function<void(KTScheduleItemPool *)>;

    explicit KTScheduleItemPool(int capacity);
    ~KTScheduleItemPool();
    KTScheduleItemPool(const KTScheduleItemPool &) = delete;
    KTScheduleItemPool &operator=(const KTScheduleItemPool &) = delete;

    int PoolCapacity() const { return core_.Capacity(); }
    int Count() const { return core_.Count(); }
    QString NameAt(int index) const;
    uint32_t ColorAt(int index) const { return core_.ColorAt(index); }
    const KItemPoolCore &Core() const { return core_; }
    KItemPoolCore &Core() { return core_; }

    int AddItem(const QString &name, uint32_t color);
    int AddItem(const std::u16string &name, uint32_t color) { return core_.AddItem(name, color); }
    uint32_t GetItemColor(const QString &name, uint32_t fallback) const;
    int SetItemColor(const QString &name, uint32_t color);
    void AddDefaultItems() { ::AddDefaultItems(core_); }

    // The pick list: shown in host with its top-left corner at (x, y) of the host, or
    // above the cell whose bottom-left corner (x, y) is when it would not fit below.
    void ShowPopup(QWidget *host, int x, int y);
    void HidePopup();
    bool PopupVisible() const;
    QListWidget *PopupList() const { return popup_; }
    QWidget *PopupHost() const { return host_; }
    QString SelectedName() const;
    uint32_t SelectedColor() const;

    void SetChoiceHandler(ChoiceCallback handler) { choice_ = std::move(handler); }

    int WidestText() const { return widestText_; }
    int PopupMaxWidth = 300;
    int PopupMaxHeight = 300;
    int ItemHeight() const;

private:
    void Choose();
    void DeleteSelected();
    void MakePopup(QWidget *host);

    KItemPoolCore core_;
    QPointer<QListWidget> popup_;
    QPointer<QWidget> host_;
    int widestText_ = 0;
    ChoiceCallback choice_;
};

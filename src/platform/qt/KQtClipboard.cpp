#include "platform/qt/KQtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

const QString KQtClipboard::ColorMimeType = QStringLiteral("application/x-orvella-frame-color");

void KQtClipboard::SetCell(const std::u16string &text, std::optional<uint32_t> color)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    auto *data = new QMimeData;
    data->setText(QString::fromStdU16String(text));
    if (color) {
        const std::string block = ColorBlock(*color);
        data->setData(ColorMimeType, QByteArray(block.data(), qsizetype(block.size())));
    }
    clipboard->setMimeData(data); // the clipboard takes the data
}

bool KQtClipboard::GetColor(uint32_t &color) const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasFormat(ColorMimeType))
        return false;
    const QByteArray block = data->data(ColorMimeType);
    return ColorOfBlock(std::string(block.constData(), size_t(block.size())), color);
}

bool KQtClipboard::GetText(std::u16string &text) const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasText())
        return false;
    text = data->text().toStdU16String();
    return true;
}

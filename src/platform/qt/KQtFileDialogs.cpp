#include "platform/qt/KQtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

QString KQtFileDialogs::ToQtFilter(const std::u16string &filter, int index, QString &selected)
{
    const QStringList parts = QString::fromStdU16String(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
            if (p == "*.*")
                p = "*";
        }
        out << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    selected = out.value(index - 1);
    return out.join(";;");
}

std::u16string KQtFileDialogs::OpenFile(const KFileDialogRequest &request)
{
    QString selected;
    const QString filter = ToQtFilter(request.Filter, request.FilterIndex, selected);
    return QFileDialog::getOpenFileName(owner_, QString(), QString::fromStdU16String(request.FileName),
                                        filter, &selected)
        .toStdU16String();
}

std::u16string KQtFileDialogs::SaveFile(const KFileDialogRequest &request)
{
    QString selected;
    const QString filter = ToQtFilter(request.Filter, request.FilterIndex, selected);
    // The program asks itself before replacing a file, and adds the extension itself.
    return QFileDialog::getSaveFileName(owner_, QString(), QString::fromStdU16String(request.FileName),
                                        filter, &selected, QFileDialog::DontConfirmOverwrite)
        .toStdU16String();
}

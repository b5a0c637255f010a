#include "platform/qt/KQtFileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

QString KQtFileDialogs::ToQtFilter(const std::u16string &filter, int index, QString &selected)
{
    // "Description (*.a, *.b)|*.a;*.b|..." becomes "Description (*.a *.b);;...": the dialog
    // shows the patterns in parentheses itself, so a list already written in the
    // description is dropped rather than shown twice.
    static const QRegularExpression writtenPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = QString::fromStdU16String(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString &p : patterns) {
            p = p.trimmed();
            if (p == "*.*")
                p = "*";
        }
        QString description = parts[i];
        description.remove(writtenPatterns);
        out << QString("%1 (%2)").arg(description, patterns.join(' '));
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

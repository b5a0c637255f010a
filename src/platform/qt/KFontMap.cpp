#include "platform/qt/KFontMap.h"

#include <QFontDatabase>
#include <QHash>

namespace KFontMap {
namespace {
const QStringList &JapaneseFallbacks()
{
    static const QStringList list = {"Noto Sans CJK JP", "IPAGothic", "IPAPGothic",  "VL Gothic",
                                     "Yu Gothic UI",     "Meiryo UI", "MS UI Gothic"};
    return list;
}

QStringList Latin(const QString &face)
{
    const QString f = face.toLower();
    if (f == "tahoma")
        return {"Tahoma", "DejaVu Sans", "Liberation Sans", "Noto Sans"};
    if (f == "calibri")
        return {"Calibri", "Carlito", "Noto Sans", "DejaVu Sans"};
    if (f == "century gothic")
        return {"Century Gothic", "URW Gothic", "TeX Gyre Adventor", "DejaVu Sans"};
    if (f == "ms ui gothic" || f == "ms gothic" || f == "ms pgothic")
        return {face};
    return {face, "DejaVu Sans"};
}
} // namespace

QStringList Families(const QString &windowsFace)
{
    // The installed fonts do not change while the program runs: each face is looked up once.
    static QHash<QString, QStringList> known;
    const auto it = known.constFind(windowsFace);
    if (it != known.constEnd())
        return *it;
    QStringList wanted = Latin(windowsFace) + JapaneseFallbacks();
    QStringList installed;
    const QStringList all = QFontDatabase::families();
    for (const QString &name : wanted) {
        if (all.contains(name, Qt::CaseInsensitive) && !installed.contains(name))
            installed << name;
    }
    if (installed.isEmpty())
        installed << windowsFace;
    known.insert(windowsFace, installed);
    return installed;
}

static QFont Build(const QString &windowsFace, bool bold)
{
    QFont font;
    font.setFamilies(Families(windowsFace));
    font.setBold(bold);
    return font;
}

QFont PointFont(const QString &windowsFace, int points, bool bold)
{
    QFont font = Build(windowsFace, bold);
    font.setPointSize(points > 0 ? points : 9);
    return font;
}

QFont PixelFont(const QString &windowsFace, int pixels, bool bold)
{
    QFont font = Build(windowsFace, bold);
    font.setPixelSize(pixels > 0 ? pixels : 12);
    return font;
}

} // namespace KFontMap

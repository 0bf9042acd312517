#include "kitchen/CuratedFoods.h"

#include <QFile>
#include <QStringList>

std::vector<CuratedFood> readCuratedFoods(const QString& tableText)
{
    std::vector<CuratedFood> foods;
    for (QStringView row : QStringView(tableText).split(u'\n')) {
        row = row.trimmed();
        if (row.isEmpty() || row.startsWith(u'#'))
            continue;
        const auto columns = row.split(u'\t');
        if (columns.size() < 2)
            continue;
        bool number = false;
        const int ndbNo = columns[1].trimmed().toInt(&number);
        if (!number || ndbNo <= 0)
            continue;
        const QString comment = columns.size() > 2 ? columns[2].trimmed().toString() : QString();
        for (QStringView name : columns[0].split(u'|'))
            if (!name.trimmed().isEmpty())
                foods.push_back({name.trimmed().toString(), ndbNo, comment});
    }
    return foods;
}

const std::vector<CuratedFood>& curatedFoods()
{
    static const std::vector<CuratedFood> foods = [] {
        QFile file(QStringLiteral(":/kitchen/curated-foods.tsv"));
        if (!file.open(QIODevice::ReadOnly))
            return std::vector<CuratedFood>{};
        return readCuratedFoods(QString::fromUtf8(file.readAll()));
    }();
    return foods;
}

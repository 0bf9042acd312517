#include "kitchen/CuratedFoods.h"

#include <QFile>
#include <QStringList>

#include <algorithm>

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
        const int weighedAs = columns.size() > 3 ? std::max(columns[3].trimmed().toInt(), 0) : 0;
        for (QStringView name : columns[0].split(u'|'))
            if (!name.trimmed().isEmpty())
                foods.push_back({name.trimmed().toString(), ndbNo, comment, weighedAs});
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

#include "nameorder.h"

#include <QCollator>

#include <algorithm>
#include <vector>

namespace NameOrder {

void sort(QStringList &names)
{
    // The C locale has no collation of its own (Qt would compare code units,
    // case and all); the Unicode default order, which English uses, stands in.
    const QLocale locale;
    QCollator collator(locale.language() == QLocale::C
            ? QLocale(QLocale::English, QLocale::UnitedStates)
            : locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    // A sort key per name is made once; comparing two keys is then a plain
    // byte comparison, several times faster over a large folder than
    // collating each pair of names anew.
    struct Keyed
    {
        QCollatorSortKey key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString &name : names)
        keyed.push_back({collator.sortKey(name), std::move(name)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[size_t(i)].name);
}

} // namespace NameOrder

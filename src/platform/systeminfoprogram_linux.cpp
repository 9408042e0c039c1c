#include "systeminfoprogram.h"

#include <QStandardPaths>
#include <QStringList>

using namespace Qt::StringLiterals;

QString findSystemInfoProgram()
{
    // In order of preference: the fullest hardware and system report first.
    const QStringList candidates{u"kinfocenter"_s, u"hardinfo"_s, u"gnome-system-monitor"_s};
    for (const QString &candidate : candidates) {
        if (QString path = QStandardPaths::findExecutable(candidate); !path.isEmpty())
            return path;
    }
    return {};
}

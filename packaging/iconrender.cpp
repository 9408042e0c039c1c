// Renders the program's icon, which it draws in code, into the files that a
// desktop looks for: one PNG per size and a scalable SVG.
// Usage: iconrender FOLDER SIZE...

#include "programicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("Usage: iconrender FOLDER SIZE...\n", stderr);
        return 2;
    }
    const QDir folder(arguments[1]);
    if (!QDir().mkpath(folder.path()))
        return 1;

    for (const QString &sizeText : arguments.mid(2)) {
        const int size = sizeText.toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            paintProgramIcon(painter, size);
        }
        if (size <= 0 || !image.save(folder.filePath(sizeText + QStringLiteral(".png"))))
            return 1;
    }

    // The drawing's own units: 32 to the side.
    QSvgGenerator svg;
    svg.setFileName(folder.filePath(QStringLiteral("scalable.svg")));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Purlex"));
    {
        QPainter painter(&svg);
        paintProgramIcon(painter, 32);
    }
    return 0;
}

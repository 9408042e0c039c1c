#include "buildinfo.h"
#include "commandline.h"
#include "drives_linux.h"
#include "frmmain.h"
#include "linuxfilesystem.h"
#include "qtuserdialogs.h"
#include "settingsstore.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The application name is the executable's file name, so a renamed copy
    // keeps settings of its own.
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(BuildInfo::Major)
                                            .arg(BuildInfo::Minor)
                                            .arg(BuildInfo::Revision));
    // Window managers and the desktop entry's StartupWMClass match on this.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Purlex"));

    // Qt's own texts (standard buttons, the edit menu) and the program's,
    // in the user's language where there is a translation; English
    // otherwise.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QTranslator programTexts;
    if (programTexts.load(
            QLocale(), QStringLiteral("purlex"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QApplication::installTranslator(&programTexts);

    const CommandLine commandLine = CommandLine::parse(QApplication::arguments());
    if (commandLine.outcome != CommandLine::Outcome::OpenWindow) {
        const bool failed = commandLine.outcome == CommandLine::Outcome::Fail;
        std::fputs(commandLine.text.toLocal8Bit().constData(), failed ? stderr : stdout);
        return failed ? 1 : 0;
    }

    LinuxFileSystem fileSystem;
    LinuxDrives drives;
    SettingsStore store;
    QtUserDialogs dialogs;
    frmMain window(fileSystem, drives, store, dialogs);
    dialogs.setParent(&window);
    window.Form_Load();
    if (!commandLine.folder.isEmpty())
        window.openFolder(commandLine.folder);
    window.show();
    return app.exec();
}

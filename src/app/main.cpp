#include "drives_linux.h"
#include "frmmain.h"
#include "linuxfilesystem.h"
#include "qtuserdialogs.h"
#include "settingsstore.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The application name is the executable's file name, so a renamed copy
    // keeps settings of its own.
    QApplication app(argc, argv);

    LinuxFileSystem fileSystem;
    LinuxDrives drives;
    SettingsStore store;
    QtUserDialogs dialogs;
    frmMain window(fileSystem, drives, store, dialogs);
    dialogs.setParent(&window);
    window.Form_Load();
    window.show();
    return app.exec();
}

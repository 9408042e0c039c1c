#include <QApplication>
#include <QMainWindow>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(u"Purlex"_s);
    window.resize(730, 633);
    window.show();
    return app.exec();
}

#include "desktopapp.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    // Relative "-d" folders are taken from where the program was started,
    // before the start-up makes the program folder the working directory.
    const QString startFolder = QDir::currentPath();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane 009"));
    QApplication::setOrganizationName(QStringLiteral("Korvath"));

    DesktopApp desktop(app.arguments().mid(1), startFolder);
    if (!desktop.start())
        return desktop.exitCode();
    return app.exec();
}

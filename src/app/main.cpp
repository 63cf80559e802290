// sweepora: the desktop program.

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sweepora"));
    QApplication::setApplicationVersion(QStringLiteral(SWEEPORA_VERSION));

    // Stand-in until the main window lands.
    QLabel window(QStringLiteral("Sweepora"));
    window.setWindowTitle(QStringLiteral("Sweepora"));
    window.resize(400, 200);
    window.show();
    return app.exec();
}

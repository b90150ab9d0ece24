// The toolkit's floor for scripts/bench-startup.sh: a Qt Widgets window of the
// tool's size with a menu bar, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("Datei"));
    file->addAction(QStringLiteral("Beenden"));
    window.menuBar()->addMenu(QStringLiteral("Einstellungen"));
    // The tool's client area below its menu bar.
    window.setFixedSize(675, window.menuBar()->sizeHint().height() + 524);
    window.move(0, 0);
    window.show();
    return app.exec();
}

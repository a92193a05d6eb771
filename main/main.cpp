#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Brenmark");
    QMainWindow window;
    window.setWindowTitle("Brenmark");
    window.show();
    return application.exec();
}

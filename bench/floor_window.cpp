// The floor for the start-up benchmark: the least a Qt Widgets program of the same Qt
// can show, one top-level window of the calculator's size holding one Chinese label.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(329, 150);
    QLabel label(QStringLiteral("钢筋重量计算"), &window);
    label.move(24, 16);
    window.show();
    return QApplication::exec();
}

#include "application_start.h"
#include "build_info.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    prepareApplication(QStringLiteral(REBAR_DISPLAY_VERSION));
    MainWindow window;
    window.showAtStart();
    return QApplication::exec();
}

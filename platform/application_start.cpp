#include "application_start.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

void registerFontSubstitutes()
{
    // A Song (Ming) face for 宋体, a Kai face for 华文新魏; each list ends with faces
    // Debian ships, so Linux builds find one of them.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("Noto Sans CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("华文新魏"),
                               {QStringLiteral("STXinwei"), QStringLiteral("KaiTi"),
                                QStringLiteral("楷体"), QStringLiteral("AR PL UKai CN"),
                                QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("Noto Serif CJK SC")});
}

void prepareApplication(const QString &version)
{
    QApplication::setApplicationName(QStringLiteral("rebar-weight"));
    QApplication::setApplicationVersion(version);
    // The desktop-file name lets Wayland and taskbars match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rebarweight.RebarWeight"));
    registerFontSubstitutes();
}

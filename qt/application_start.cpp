#include "application_start.h"

#include "qt_translation.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void registerFontSubstitutes()
{
    // Small faces compiled into the program that hold every character it shows
    // (made by assets/fonts/make_fonts.py). Where the real faces are missing they
    // stand in, at a fraction of the memory of opening a full CJK font file.
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/rebar-song.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/rebar-kai.ttf"));

    // A Song (Ming) face for 宋体, a Kai face for 华文新魏: the Windows faces first,
    // then the compiled-in ones, then faces Debian ships.
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                QStringLiteral("Rebar Song"), QStringLiteral("AR PL SungtiL GB"),
                                QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("Noto Serif CJK SC")});
    QFont::insertSubstitutions(QStringLiteral("华文新魏"),
                               {QStringLiteral("STXinwei"), QStringLiteral("KaiTi"),
                                QStringLiteral("楷体"), QStringLiteral("Rebar Kai"),
                                QStringLiteral("AR PL KaitiM GB"), QStringLiteral("AR PL UKai CN"),
                                QStringLiteral("Noto Serif CJK SC")});
}

void prepareApplication(const QString &version)
{
    QApplication::setApplicationName(QStringLiteral("rebar-weight"));
    QApplication::setApplicationVersion(version);
    // The desktop-file name lets Wayland and taskbars match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rebarweight.RebarWeight"));
    installQtTranslation();
    registerFontSubstitutes();
}

#pragma once

#include "main_window.h"

#include <QApplication>
#include <QStringList>
#include <QTest>

#include <memory>

// A fresh window per test, shown and active, with its message boxes answered by a
// hook that records the prompts: no test ever blocks in a modal loop.
struct ShownWindow {
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>();
    QStringList prompts;

    ShownWindow()
    {
        window->binding().setMessageBoxHook([this](const QString &prompt) {
            prompts << prompt;
            return 1;
        });
    }

    bool show()
    {
        window->showAtStart();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

    static QWidget *focus() { return QApplication::focusWidget(); }

    /// Types into whatever has the focus, as the keyboard does.
    static void type(const QString &text) { QTest::keyClicks(focus(), text); }
    static void press(Qt::Key key) { QTest::keyClick(focus(), key); }
};

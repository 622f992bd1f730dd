#pragma once

#include "form1.h"
#include "window_binding.h"

#include <QWidget>

// The one window of the program: the stored form, bound to the handlers. Building it
// runs the load handler; show() brings it up with the focus in the first field.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    /// Shows the window with the focus in 单根长度(cm), its whole text selected.
    void showAtStart();

    WindowBinding &binding() { return m_binding; }
    Form1 &form() { return m_form; }

    /// "作者：<name>  Email：<address>", the text of the hidden author line.
    static QString authorLine();

private:
    /// Opens the client area at its stored place, or as near as keeps the whole
    /// window on a small or scaled screen.
    void placeOnScreen();

    WindowBinding m_binding;
    Form1 m_form;
};

#pragma once

#include <QString>

class QWidget;

/// Shows a modal box with the prompt, an OK button and no icon. Every way of
/// closing it (OK, Enter, Escape, the close box) answers 1, the OK answer.
int showMessageBox(QWidget *parent, const QString &title, const QString &prompt);

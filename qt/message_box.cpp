#include "message_box.h"

#include <QMessageBox>

int showMessageBox(QWidget *parent, const QString &title, const QString &prompt)
{
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return 1;
}

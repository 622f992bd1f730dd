#include "stored_form_widgets.h"

#include "author_line.h"
#include "stored_form.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString qtText(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// Qt places widgets in logical pixels, 96 to the inch, and scales them itself.
int px(int twips)
{
    return twipsToPixels(twips, 96);
}

QFont fontOf(FontKind kind)
{
    const StoredFont stored = storedFont(kind);
    QFont font(qtText(stored.face));
    font.setPointSizeF(static_cast<qreal>(stored.points));
    font.setBold(stored.bold);
    return font;
}

QColor qtColour(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

void giveColours(QWidget *widget, ColourKind colours)
{
    if (colours == ColourKind::Standard)
        return;
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (colours == ColourKind::Result) {
            palette.setColor(group, QPalette::Text, qtColour(blue));
            palette.setColor(group, QPalette::Base, qtColour(lightBlue));
        } else {
            palette.setColor(group, QPalette::WindowText, qtColour(blue));
        }
    }
    widget->setPalette(palette);
}

QWidget *make(const StoredControl &stored, QWidget *window)
{
    const QString caption =
        stored.caption ? qtText(stored.caption) : QString::fromStdU16String(authorLine());
    switch (stored.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(caption, window);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::TextBox:
        return new QLineEdit(caption, window);
    case ControlKind::ComboBox: {
        // Typed text stays as typed: not added to the list.
        auto *combo = new QComboBox(window);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(caption);
        return combo;
    }
    case ControlKind::CommandButton: {
        // A focused button is pressed by Enter as well as Space; none is the default.
        auto *button = new QPushButton(caption, window);
        button->setAutoDefault(true);
        return button;
    }
    case ControlKind::OptionButton:
        return new QRadioButton(caption, window);
    }
    return nullptr;
}

} // namespace

void buildStoredForm(QWidget *window)
{
    window->setWindowTitle(qtText(formCaption));
    window->setFont(fontOf(FontKind::Window));
    window->setFixedSize(px(clientWidthTwips), px(clientHeightTwips));
    QWidget *previous = nullptr;
    for (const StoredControl &stored : storedControls) { // in tab order
        QWidget *widget = make(stored, window);
        widget->setObjectName(QLatin1String(controlName(stored.control)));
        widget->setGeometry(px(stored.left), px(stored.top), px(stored.width), px(stored.height));
        if (stored.font != FontKind::Window)
            widget->setFont(fontOf(stored.font));
        giveColours(widget, stored.colours);
        if (stored.namedBy != Control::Form1)
            widget->setAccessibleName(qtText(nameOf(stored.control)));
        if (!stored.visible)
            widget->hide();
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
    window->findChild<QRadioButton *>(QLatin1String(controlName(optionSetAtStart)))
        ->setChecked(true);
}

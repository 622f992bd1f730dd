#include "main_window.h"

#include "author_line.h"
#include "first_line_paste.h"
#include "stored_form.h"
#include "stored_form_widgets.h"
#include "window_placement.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>

#include <array>
#include <limits>

namespace {

#include "rebar-weight.xpm"

// Where the client area opens on the screen, in logical pixels.
const QPoint startPosition(twipsToPixels(startLeftTwips, 96), twipsToPixels(startTopTwips, 96));

template <typename T = QWidget>
T *child(QWidget *window, Control control)
{
    return window->findChild<T *>(QLatin1String(controlName(control)));
}

// The stored form with what the toolkit adds to it; kept apart so the binding can be
// built over a fully set-up window.
QWidget *setUpWindow(QWidget *window)
{
    buildStoredForm(window);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowIcon(QIcon(QPixmap::fromImage(QImage(rebar_weight))));

    auto *combo = child<QComboBox>(window, Control::Combo1);
    // No inline completion: what the user types is what the calculation reads.
    combo->setCompleter(nullptr);
    const std::array edits{child<QLineEdit>(window, Control::Text1),
                           child<QLineEdit>(window, Control::Text2),
                           child<QLineEdit>(window, Control::Text3),
                           child<QLineEdit>(window, Control::Text5), combo->lineEdit()};
    // Text fields take any length, as pasted text may be long; the calculation
    // rejects what is no number.
    for (QLineEdit *edit : edits)
        edit->setMaxLength(std::numeric_limits<int>::max());
    // A cell copied from a spreadsheet ends in a line break: a paste keeps the first
    // line only. Installed before the binding, so the handlers still see every key.
    auto *paste = new FirstLinePaste(window);
    for (QLineEdit *edit : edits)
        paste->watch(edit, edit == combo->lineEdit() ? combo : nullptr);

    // The option group is one tab stop, at the button that is set, as Windows' dialog
    // keys have it; the arrow keys move within it. Qt keeps the stop at the button
    // last focused, which a label click does not move.
    const std::array options{child<QRadioButton>(window, Control::Option1),
                             child<QRadioButton>(window, Control::Option2)};
    const auto keepTabStopAtSetButton = [options] {
        for (QRadioButton *option : options) {
            const Qt::FocusPolicy policy = option->focusPolicy();
            option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                       : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    };
    keepTabStopAtSetButton();
    for (QRadioButton *option : options)
        QObject::connect(option, &QAbstractButton::toggled, window, keepTabStopAtSetButton);
    return window;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), m_binding(setUpWindow(this)), m_form(m_binding)
{
    m_binding.connectTo(m_form);
    m_form.load();
}

MainWindow::~MainWindow() = default;

QString MainWindow::authorLine()
{
    return QString::fromStdU16String(::authorLine());
}

void MainWindow::showAtStart()
{
    placeOnScreen();
    child(this, Control::Text1)->setFocus(Qt::OtherFocusReason);
    show();
    raise();
    activateWindow();
}

void MainWindow::placeOnScreen()
{
    // The native window first, so that platforms which know the frame before the
    // window is shown (Windows) report its margins; elsewhere they count as none.
    create();
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    QScreen *screen = QGuiApplication::screenAt(startPosition);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = QRect(startPosition, size()).marginsAdded(margins);
    const QRect area = screen->availableGeometry();
    const ScreenPoint frameTopLeft =
        placeWithin({frame.x(), frame.y(), frame.width(), frame.height()},
                    {area.x(), area.y(), area.width(), area.height()});
    setGeometry(
        QRect(QPoint(frameTopLeft.x + margins.left(), frameTopLeft.y + margins.top()), size()));
}

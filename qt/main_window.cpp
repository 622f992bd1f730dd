#include "main_window.h"

#include "author_line.h"
#include "first_line_paste.h"
#include "ui_form1_window.h"
#include "window_placement.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <array>
#include <limits>

namespace {

#include "rebar-weight.xpm"

// Points that a .ui file cannot hold: it stores whole sizes only.
constexpr qreal calculateButtonPoints = 14.25;
// Where the client area opens on the screen.
constexpr QPoint startPosition(375, 267);

// Fixed top-level widget with the uic-generated children; kept apart so the binding
// can be built over a fully set-up window.
QWidget *setUpWindow(QWidget *window, Ui::Form1Window &ui)
{
    ui.setupUi(window);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(window->size());
    window->setGeometry(QRect(startPosition, window->size()));
    window->setWindowIcon(QIcon(QPixmap::fromImage(QImage(rebar_weight))));

    QFont calculateFont = ui.Command1->font();
    calculateFont.setPointSizeF(calculateButtonPoints);
    ui.Command1->setFont(calculateFont);

    // No inline completion: what the user types is what the calculation reads.
    ui.Combo1->setCompleter(nullptr);
    // Text fields take any length, as pasted text may be long; the calculation
    // rejects what is no number.
    for (QLineEdit *edit : {ui.Text1, ui.Text2, ui.Text3, ui.Text5, ui.Combo1->lineEdit()})
        edit->setMaxLength(std::numeric_limits<int>::max());
    // A cell copied from a spreadsheet ends in a line break: a paste keeps the first
    // line only. Installed before the binding, so the handlers still see every key.
    auto *paste = new FirstLinePaste(window);
    for (QLineEdit *edit : {ui.Text1, ui.Text2, ui.Text3, ui.Text5})
        paste->watch(edit);
    paste->watch(ui.Combo1->lineEdit(), ui.Combo1);

    // The option group is one tab stop, at the button that is set, as Windows' dialog
    // keys have it; the arrow keys move within it. Qt keeps the stop at the button
    // last focused, which a label click does not move.
    const auto keepTabStopAtSetButton = [options = std::array{ui.Option1, ui.Option2}] {
        for (QRadioButton *option : options) {
            const Qt::FocusPolicy policy = option->focusPolicy();
            option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                       : Qt::FocusPolicy(policy & ~Qt::TabFocus));
        }
    };
    keepTabStopAtSetButton();
    for (QRadioButton *option : {ui.Option1, ui.Option2})
        QObject::connect(option, &QAbstractButton::toggled, window, keepTabStopAtSetButton);

    ui.Label6->setText(MainWindow::authorLine());
    return window;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::Form1Window>()),
      m_binding(setUpWindow(this, *m_ui)), m_form(m_binding)
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
    m_ui->Text1->setFocus(Qt::OtherFocusReason);
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

// The book of scenarios on the Qt window: each step as key and mouse events to the
// widgets, the window read back from its widgets. Message boxes are answered by the
// binding's hook; the close box is a close request to the window, as the window
// manager sends it.

#include "application_start.h"
#include "qt_translation.h"
#include "row_name.h"
#include "scenario.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>

#include <memory>

namespace {

class QtDriver : public ScenarioDriver {
public:
    explicit QtDriver(ShownWindow &shown) : m_shown(shown), m_binding(shown.window->binding()) {}

    void type(const std::u16string &text) override
    {
        for (const QChar c : QString::fromStdU16String(text)) {
            if (c.unicode() < 0x80)
                QTest::keyClick(target(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    void press(Key key) override
    {
        // In the order of Key.
        static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Return, {}},
            {Qt::Key_Enter, Qt::KeypadModifier},
            {Qt::Key_Tab, {}},
            {Qt::Key_Backtab, Qt::ShiftModifier},
            {Qt::Key_Escape, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Down, {}},
            {Qt::Key_F4, {}},
            {Qt::Key_Down, Qt::AltModifier},
            {Qt::Key_Return, Qt::ShiftModifier},
            {Qt::Key_Return, Qt::ControlModifier},
            {Qt::Key_Return, Qt::AltModifier},
            {Qt::Key_Return, {}}};
        const auto [code, modifiers] = keys[static_cast<int>(key)];
        if (key != Key::HeldEnter) {
            QTest::keyClick(target(), code, modifiers);
            return;
        }
        // Down, four repeats, then up; each goes where the focus is by then.
        QTest::keyPress(target(), code);
        for (int repeat = 0; repeat < 4; ++repeat) {
            QKeyEvent again(QEvent::KeyPress, code, {}, QStringLiteral("\r"), true);
            QApplication::sendEvent(target(), &again);
        }
        QTest::keyRelease(target(), code);
    }

    void leave() override
    {
        if (!m_other) {
            m_other = std::make_unique<QWidget>();
            m_other->setWindowTitle(QStringLiteral("图纸"));
            m_other->resize(300, 200);
        }
        m_other->show();
        m_other->activateWindow();
        if (!QTest::qWaitForWindowActive(m_other.get()))
            throw std::logic_error("the other window did not become the active one");
    }

    void comeBack() override { activate(); }

    void click(Control control) override
    {
        // A click into an inactive window: the window manager activates it first.
        if (!m_shown.window->isActiveWindow())
            activate();
        QWidget *widget = m_binding.widget(control);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            widget = combo->lineEdit();
        if (qobject_cast<QLineEdit *>(widget)) {
            // At the end of the field, past its text.
            QTest::mouseClick(widget, Qt::LeftButton, {},
                              QPoint(widget->width() - 3, widget->height() / 2));
            return;
        }
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    void paste(const std::u16string &clipboard) override
    {
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(clipboard));
        QTest::keyClick(target(), Qt::Key_V, Qt::ControlModifier);
    }

    void pickItem(const std::u16string &item) override
    {
        QAbstractItemView *view = combo()->view();
        const int row = combo()->findText(QString::fromStdU16String(item));
        if (!view->isVisible() || row < 0)
            throw std::logic_error("no open list with that item");
        const QRect place = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
    }

    void closeBox() override { m_shown.window->windowHandle()->close(); }

    std::u16string text(Control control) override { return m_binding.text(control); }

    Control focus() override
    {
        Control control = Control::Form1;
        if (m_shown.window->isVisible())
            m_binding.controlOf(QApplication::focusWidget(), control);
        return control;
    }

    Selection selection(Control control) override
    {
        const QLineEdit *edit = lineEdit(control);
        if (!edit->hasSelectedText())
            return {edit->cursorPosition(), 0};
        return {edit->selectionStart(), static_cast<int>(edit->selectedText().size())};
    }

    bool optionSet(Control option) override
    {
        return static_cast<QRadioButton *>(m_binding.widget(option))->isChecked();
    }

    bool visible(Control control) override { return m_binding.widget(control)->isVisible(); }

    std::vector<std::u16string> takePrompts() override
    {
        std::vector<std::u16string> taken;
        for (const QString &prompt : m_shown.prompts)
            taken.push_back(prompt.toStdU16String());
        m_shown.prompts.clear();
        return taken;
    }

    bool closed() override { return !m_shown.window->isVisible(); }

    bool listOpen() override { return combo()->view()->isVisible(); }

    int listItems() override { return combo()->count(); }

private:
    void activate()
    {
        m_shown.window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_shown.window.get()))
            throw std::logic_error("the window did not become the active one again");
    }

    // Where the keyboard's events go: an open list, else the focused widget.
    static QWidget *target()
    {

        if (QWidget *popup = QApplication::activePopupWidget())
            return popup->focusWidget() ? popup->focusWidget() : popup;
        return QApplication::focusWidget();
    }
    QComboBox *combo() const { return static_cast<QComboBox *>(m_binding.widget(Control::Combo1)); }
    QLineEdit *lineEdit(Control control) const
    {
        QWidget *widget = m_binding.widget(control);
        if (auto *box = qobject_cast<QComboBox *>(widget))
            return box->lineEdit();
        return static_cast<QLineEdit *>(widget);
    }

    ShownWindow &m_shown;
    WindowBinding &m_binding;
    std::unique_ptr<QWidget> m_other; // another program's window
};

} // namespace

class TestScenariosQt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(installQtTranslation());
        registerFontSubstitutes();
    }

    void book_data()
    {
        QTest::addColumn<int>("row");
        const std::vector<Scenario> &rows = scenarioBook();
        for (std::size_t i = 0; i < rows.size(); ++i)
            QTest::newRow(rowName(rows[i].name).c_str()) << static_cast<int>(i);
    }

    void book()
    {
        QFETCH(int, row);
        const Scenario &scenario = scenarioBook().at(static_cast<std::size_t>(row));
        if (const char *reason = scenario.skipReason(OnQt))
            QSKIP(reason);
        ShownWindow shown;
        QVERIFY(shown.show());
        QtDriver driver(shown);
        const std::vector<std::string> failures = runScenario(scenario, driver);
        if (!failures.empty())
            QFAIL(failures.front().c_str());
    }
};

QTEST_MAIN(TestScenariosQt)
#include "test_scenarios_qt.moc"

#include "application_start.h"
#include "stored_form.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>

#include <QWindow>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The built window against its described layout: a transcription slip in the form
// (a swapped coordinate, a wrong font, a lost colour) shows here.
class TestWindowLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }
    void controls_data();
    void controls();
    void windowFrame();
    void clientAreaAtTheScreenScale();
    void startPlaceKeepsTheWindowOnScreen();
    void captionsFit_data();
    void captionsFit();
    void shownCharactersAreInTheWindowFaces();
    void icon();
};

namespace {

QColor colour(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The stored client area, in pixels at 96 dpi.
const QSize clientSize(twipsToPixels(clientWidthTwips, 96), twipsToPixels(clientHeightTwips, 96));

// A failed check's message: the values it was about, as QDebug writes them.
template <typename... Values>
QByteArray said(const Values &...values)
{
    QString text;
    QDebug out(&text);
    (out << ... << values);
    return text.toUtf8();
}

} // namespace

void TestWindowLayout::controls_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < storedControls.size(); ++i)
        QTest::newRow(controlName(storedControls[i].control)) << static_cast<int>(i);
}

// Each widget as its row of the stored form has it, in pixels at 96 dpi.
void TestWindowLayout::controls()
{
    QFETCH(int, row);
    const StoredControl &stored = storedControls.at(static_cast<std::size_t>(row));
    ShownWindow w;
    QVERIFY(w.show());
    QWidget *widget = w.window->findChild<QWidget *>(QLatin1String(controlName(stored.control)));
    QVERIFY(widget);
    const char *className[] = {"QLabel", "QLineEdit", "QComboBox", "QPushButton", "QRadioButton"};
    QCOMPARE(widget->metaObject()->className(), className[static_cast<int>(stored.kind)]);
    const auto px = [](int twips) { return twipsToPixels(twips, 96); };
    QCOMPARE(widget->geometry(),
             QRect(px(stored.left), px(stored.top), px(stored.width), px(stored.height)));
    const StoredFont font = storedFont(stored.font);
    QCOMPARE(widget->font().family(), QString::fromUtf16(font.face));
    // The list's size is set at load.
    QCOMPARE(widget->font().pointSizeF(),
             static_cast<double>(stored.control == Control::Combo1 ? listFontPoints : font.points));
    QCOMPARE(widget->font().bold(), font.bold);
    QCOMPARE(widget->isVisible(), stored.visible);
    QVERIFY(widget->isEnabled());

    const QString caption =
        stored.caption ? QString::fromUtf16(stored.caption) : MainWindow::authorLine();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max());
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        QCOMPARE(combo->currentText(), caption);
    else
        QCOMPARE(widget->property("text").toString(), caption);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QVERIFY(!button->text().contains(QLatin1Char('&'))); // no access keys
    QCOMPARE(widget->accessibleName(), stored.namedBy == Control::Form1
                                           ? QString()
                                           : QString::fromUtf16(nameOf(stored.control)));
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        const QPalette palette = widget->palette();
        if (stored.colours == ColourKind::Result) {
            QCOMPARE(palette.color(group, QPalette::Base), colour(lightBlue));
            QCOMPARE(palette.color(group, QPalette::Text), colour(blue));
        } else if (stored.colours == ColourKind::BlueText) {
            QCOMPARE(palette.color(group, QPalette::WindowText), colour(blue));
        }
    }
}

void TestWindowLayout::windowFrame()
{
    ShownWindow w;
    QVERIFY(w.show());
    MainWindow &window = *w.window;
    QCOMPARE(window.windowTitle(), QString::fromUtf16(formCaption));
    QCOMPARE(window.size(), clientSize);
    QCOMPARE(window.minimumSize(), clientSize);
    QCOMPARE(window.maximumSize(), clientSize);
    // A title and a close box; no minimize or maximize box.
    const Qt::WindowFlags buttons = Qt::WindowCloseButtonHint | Qt::WindowTitleHint
                                    | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
    QCOMPARE(window.windowFlags() & buttons, Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    QCOMPARE(window.windowType(), Qt::Dialog);

    window.resize(500, 400); // the user cannot, and neither can a program
    QCOMPARE(window.size(), clientSize);

    // No default button: Enter in a field never presses one by itself.
    for (auto *button : window.findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
}

// At 150 % or 175 % the client area is the stored 329 × 150 scaled, in device pixels,
// and stays fixed. scripts/windows.sh names the DPI it set (REBAR_EXPECT_DPI), so a
// run that did not get its scale fails here instead of passing at 100 %.
void TestWindowLayout::clientAreaAtTheScreenScale()
{
    ShownWindow w;
    QVERIFY(w.show());
    const qreal scale = w.window->windowHandle()->devicePixelRatio();
    bool named = false;
    const int dpi = qEnvironmentVariableIntValue("REBAR_EXPECT_DPI", &named);
    if (named)
        QCOMPARE(scale, dpi / 96.0);
    // Qt scales by the DPI as it is and rounds halves up: 262.5 gives 263.
    const QSize expected(qFloor(clientSize.width() * scale + 0.5),
                         qFloor(clientSize.height() * scale + 0.5));
#ifdef Q_OS_WIN
    const auto hwnd = reinterpret_cast<HWND>(w.window->winId());
    RECT client;
    QVERIFY(GetClientRect(hwnd, &client));
    const QSize device(client.right - client.left, client.bottom - client.top);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    QVERIFY2(!(style & WS_THICKFRAME) && !(style & WS_MAXIMIZEBOX),
             "the native frame lets the user resize the window");
#else
    const QSize device = w.window->grab().size(); // the backing store, in device pixels
#endif
    qInfo("scale %.2f: client area %d x %d device pixels", scale, device.width(), device.height());
    QCOMPARE(device, expected);
    QCOMPARE(w.window->windowHandle()->minimumSize(), clientSize);
    QCOMPARE(w.window->windowHandle()->maximumSize(), clientSize);
}

void TestWindowLayout::startPlaceKeepsTheWindowOnScreen()
{
    // CTest runs this suite on the default screen, where the stored place fits, and on
    // a 640 × 512 one (1280 × 1024 at 200 %), where the stored place runs off the right.
    ShownWindow w;
    QVERIFY(w.show());
    MainWindow &window = *w.window;
    const QRect available = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QMargins margins(
        window.geometry().left() - frame.left(), window.geometry().top() - frame.top(),
        frame.right() - window.geometry().right(), frame.bottom() - window.geometry().bottom());
    const QPoint stored(twipsToPixels(startLeftTwips, 96), twipsToPixels(startTopTwips, 96));
    const QRect storedFrame = QRect(stored, window.size()).marginsAdded(margins);
    QVERIFY2(available.contains(frame), said(frame, "on", available));
    if (available.contains(storedFrame)) {
        QCOMPARE(window.geometry().topLeft(), stored);
        return;
    }
    // Moved just enough: to the edge it ran over, and not at all along the other axis
    // where the stored place fits.
    QVERIFY(storedFrame.right() > available.right() || storedFrame.bottom() > available.bottom());
    if (storedFrame.right() > available.right())
        QCOMPARE(frame.right(), available.right());
    else
        QCOMPARE(frame.left(), storedFrame.left());
    if (storedFrame.bottom() > available.bottom())
        QCOMPARE(frame.bottom(), available.bottom());
    else
        QCOMPARE(frame.top(), storedFrame.top());
}

void TestWindowLayout::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const StoredControl &stored : storedControls) {
        if (stored.kind == ControlKind::Label || stored.kind == ControlKind::CommandButton)
            QTest::newRow(controlName(stored.control))
                << QString::fromLatin1(controlName(stored.control));
    }
}

namespace {

// The right edge of the ink of `text` drawn from x = 0 in `font`, in device pixels, at
// the scale the window is drawn at: the same text path as the window's own painting,
// so the font engine and hinting of that scale count.
int inkRight(const QFont &font, const QString &text, qreal scale)
{
    const QFontMetricsF metrics(font);
    const QSizeF logical(metrics.horizontalAdvance(text) + 4 * metrics.height(),
                         2 * metrics.height());
    QImage image((logical * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.end();
    int right = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = image.width() - 1; x >= right; --x) {
            if (qGray(line[x]) < 255) {
                right = x + 1;
                break;
            }
        }
    }
    return right;
}

} // namespace

// Measured in the font the window really uses, whichever face stood in: in fractional
// logical pixels, and as the ink drawn at the screen's scale, in device pixels. At
// 150 % or 175 % text is drawn by another font engine in a font of the scaled size, and
// a clip of one device pixel would hide in whole logical pixels.
void TestWindowLayout::captionsFit()
{
    QFETCH(QString, name);
    ShownWindow w;
    QWidget *widget = w.window->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QString caption = widget->property("text").toString();
    const QFont font = widget->font();
    const int margin = qobject_cast<QPushButton *>(widget) ? 8 : 0;
    const qreal needed = QFontMetricsF(font).horizontalAdvance(caption);
    const QString face = QFontInfo(font).family();
    QVERIFY2(needed <= widget->width() - margin,
             said(caption, "needs", needed, "px, has", widget->width() - margin, face));
    QVERIFY(QFontMetricsF(font).height() <= widget->height() + 2);

    const qreal scale = widget->devicePixelRatioF();
    const int ink = inkRight(font, caption, scale);
    const QRect box = widget->geometry();
    // The widget's edges as the scaled window has them, rounded to device pixels.
    const int room = qRound((box.x() + box.width() - margin) * scale) - qRound(box.x() * scale);
    qInfo("%s at %.2fx: ink %d of %d device px", qPrintable(name), scale, ink, room);
    QVERIFY2(ink <= room, said(caption, "ink", ink, "device px, room", room, "at", scale, face));
}

// Every character the window shows is in the face its control resolves to (on Linux,
// the faces compiled into the program), so no caption pulls in a system font.
void TestWindowLayout::shownCharactersAreInTheWindowFaces()
{
    ShownWindow w;
    QVERIFY(w.show());
    const QStringList installed = QFontDatabase::families();
    for (QWidget *widget : w.window->findChildren<QWidget *>()) {
        QString shown = widget->property("text").toString();
        if (auto *combo = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                shown += combo->itemText(i);
        }
        if (shown.isEmpty() || qobject_cast<QRadioButton *>(widget))
            continue; // the option buttons' captions are cut off unseen
        const QRawFont raw = QRawFont::fromFont(widget->font());
        const QString face = raw.familyName();
        // The real faces where the system has one, else the compiled-in stand-in
        // (Linux, Wine, many Windows desks for 华文新魏).
        const bool kai = widget->font().family() == QStringLiteral("华文新魏");
        const QStringList realFaces =
            QString::fromUtf8(kai ? "STXinwei,KaiTi,楷体" : "SimSun,NSimSun")
                .split(QLatin1Char(','));
        const QString standIn = kai ? QStringLiteral("Rebar Kai") : QStringLiteral("Rebar Song");
        const bool realFaceInstalled =
            std::any_of(realFaces.cbegin(), realFaces.cend(), [&](const QString &f) {
                return installed.contains(f, Qt::CaseInsensitive);
            });
        QVERIFY2(realFaceInstalled ? realFaces.contains(face, Qt::CaseInsensitive)
                                   : face.compare(standIn, Qt::CaseInsensitive) == 0,
                 said(widget->objectName(), face));
        for (const QChar c : shown)
            QVERIFY2(raw.supportsCharacter(c),
                     said(widget->objectName(), "shows", c, "missing from", face,
                          "; run assets/fonts/make_fonts.py"));
    }
}

void TestWindowLayout::icon()
{
    ShownWindow w;
    const QIcon icon = w.window->windowIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(32, 32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);           // transparent ground
    QCOMPARE(image.pixelColor(14, 15), QColor(0, 0, 255)); // blue pentagon in the middle
}

QTEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"

#include "main_window.h"

#include "author_line.h"
#include "newer_api.h"
#include "resource_ids.h"
#include "startup_timing.h"
#include "stored_form.h"
#include "window_placement.h"

#include <algorithm>
#include <string>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace {

constexpr wchar_t className[] = L"RebarWeightForm1";
constexpr int firstControlId = 100; // none is IDOK or IDCANCEL
constexpr int comboListItems = 8;

COLORREF colourRef(Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

std::wstring wide(const char16_t *text)
{
    const std::u16string_view view(text);
    return std::wstring(view.begin(), view.end());
}

struct WindowClass {
    const wchar_t *name;
    DWORD style;
    DWORD exStyle;
};

WindowClass classOf(const StoredControl &stored)
{
    const DWORD child = WS_CHILD | (stored.visible ? WS_VISIBLE : 0);
    switch (stored.kind) {
    case ControlKind::Label:
        // Each label starts a group of its own, so that no group of controls runs on
        // past the last one created and wraps round to the first: the arrow keys of
        // the option group, the last controls, stay within the two buttons.
        // One line each: a caption too wide for its place is cut at the client area's
        // edge rather than broken onto a second line that its height does not show.
        return {L"STATIC",
                child | WS_GROUP | SS_LEFTNOWORDWRAP
                    | (Form1::handlesClick(stored.control) ? SS_NOTIFY : 0),
                0};
    case ControlKind::TextBox:
        return {L"EDIT", child | WS_TABSTOP | WS_GROUP | ES_LEFT | ES_AUTOHSCROLL,
                WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        return {L"COMBOBOX",
                child | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::CommandButton:
        return {L"BUTTON", child | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::OptionButton:
        // One group of two; the first in the tab order starts it.
        return {L"BUTTON",
                child | WS_TABSTOP | BS_AUTORADIOBUTTON
                    | (stored.control == Control::Option1 ? WS_GROUP : 0),
                0};
    }
    return {L"STATIC", child, 0};
}

// The order the controls are made in: the tab order, with each label made just before
// the first control it names, which is how Windows' accessibility names a field. The
// dialog manager's tab stops follow the order of making, so they keep the tab order.
std::vector<const StoredControl *> creationOrder()
{
    std::vector<const StoredControl *> order;
    const auto made = [&order](Control control) {
        return std::any_of(order.begin(), order.end(),
                           [control](const StoredControl *c) { return c->control == control; });
    };
    const auto namesSomething = [](Control label) {
        return std::any_of(storedControls.begin(), storedControls.end(),
                           [label](const StoredControl &c) { return c.namedBy == label; });
    };
    for (const StoredControl &stored : storedControls) {
        if (stored.kind == ControlKind::Label && namesSomething(stored.control))
            continue; // made with the control it names
        if (stored.namedBy != Control::Form1 && !made(stored.namedBy))
            order.push_back(&storedControl(stored.namedBy));
        order.push_back(&stored);
    }
    return order;
}

struct Place {
    int x, y, width, height;
};

// Where a control goes at `dpi`; a combo box's height takes in its drop-down list.
Place placeOf(const StoredControl &stored, UINT dpi)
{
    const auto px = [dpi](int twips) { return twipsToPixels(twips, static_cast<int>(dpi)); };
    int height = px(stored.height);
    if (stored.kind == ControlKind::ComboBox)
        height += comboListItems * px(240);
    return {px(stored.left), px(stored.top), px(stored.width), height};
}

// A label's place, grown to the right to show its whole text where its font needs more
// than the stored width: fonts come in whole pixels, so at 125 % the 9-point face is 15
// pixels and a half-width character 8 rather than 7.5, and "单根长度(cm)" takes 92 pixels
// of its 91. It grows no further than the client area's edge.
Place labelPlace(const StoredControl &stored, UINT dpi, const std::wstring &text, HFONT font)
{
    Place place = placeOf(stored, dpi);
    HDC dc = GetDC(nullptr);
    const HGDIOBJ before = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    const int room = twipsToPixels(clientWidthTwips, static_cast<int>(dpi)) - place.x;
    place.width = std::max(place.width, std::min(static_cast<int>(size.cx), room));
    return place;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance) : m_fonts(instance)
{
    startupMark("faces picked");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass); // fails harmlessly when a test makes a second window

    // Made hidden where it shows, at its size, for the system's DPI: on that monitor
    // nothing is moved or sized again. The monitor there decides the window's DPI.
    const RECT frame = startFrame(systemDpi());
    m_window = CreateWindowExW(exStyle, className, wide(formCaption).c_str(), style, frame.left,
                               frame.top, frame.right - frame.left, frame.bottom - frame.top,
                               nullptr, nullptr, instance, this);
    m_dpi = windowDpi(m_window);
    m_resultBrush.reset(CreateSolidBrush(colourRef(lightBlue)));

    startupMark("frame made");
    m_fonts.rebuild(m_dpi);
    createControls(instance);
    startupMark("controls made");
    fitComboField();
    fitClientArea();
    startupMark("client area fitted");

    m_form = std::make_unique<Form1>(*m_binding);
    m_binding->connectTo(*m_form);
    m_form->load();
    startupMark("list filled");
}

MainWindow::~MainWindow()
{
    // The window's last messages still reach the binding and the handlers.
    if (IsWindow(m_window))
        DestroyWindow(m_window);
}

void MainWindow::createControls(HINSTANCE instance)
{
    m_binding = std::make_unique<Win32Binding>(m_window);
    m_binding->setFontSizeHook([this](Control control, float points) {
        // The load handler sets the list's size after every item, always the same:
        // only a change makes a font and lays the combo box out again.
        if (m_fonts.hasPoints(control, points))
            return;
        m_fonts.setPoints(control, points);
        SendMessageW(m_binding->handle(control), WM_SETFONT,
                     reinterpret_cast<WPARAM>(m_fonts.fontOf(control)), TRUE);
        if (control == Control::Combo1)
            fitComboField();
    });
    // The load handler gives the list its own size before the window first shows: the
    // combo box is made in that size, so that it is measured and laid out once.
    m_fonts.setPoints(Control::Combo1, listFontPoints);
    int id = firstControlId;
    for (const StoredControl *stored : creationOrder()) {
        const WindowClass kind = classOf(*stored);
        // The option buttons' captions never show at their width; they carry the names
        // of the labels that stand for them, which is what a screen reader says.
        const std::wstring caption = stored->kind == ControlKind::OptionButton
                                         ? wide(nameOf(stored->control))
                                     : stored->caption ? wide(stored->caption)
                                                       : wide(authorLine().c_str());
        // Made at its place for the window's DPI, in its font, so that nothing is laid
        // out twice before the window shows.
        const Place place =
            stored->kind == ControlKind::Label
                ? labelPlace(*stored, m_dpi, caption, m_fonts.fontOf(stored->control))
                : placeOf(*stored, m_dpi);
        HWND control =
            CreateWindowExW(kind.exStyle, kind.name, caption.c_str(), kind.style, place.x, place.y,
                            place.width, place.height, m_window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.fontOf(stored->control)),
                     FALSE);
        if (stored->kind == ControlKind::TextBox)
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0); // no length limit
        if (stored->kind == ControlKind::ComboBox)
            SetWindowTextW(control, caption.c_str()); // a combo box takes no text at creation
        m_binding->attach(stored->control, control);
    }
    SendMessageW(m_binding->editOf(Control::Combo1), EM_SETLIMITTEXT, 0, 0);
    m_binding->setOptionOn(optionSetAtStart);
}

void MainWindow::layOut(UINT dpi)
{
    m_dpi = dpi;
    m_fonts.rebuild(dpi);
    for (const StoredControl &stored : storedControls) {
        HWND control = m_binding->handle(stored.control);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_fonts.fontOf(stored.control)),
                     FALSE);
        const Place place =
            stored.kind == ControlKind::Label
                ? labelPlace(stored, dpi, windowText(control), m_fonts.fontOf(stored.control))
                : placeOf(stored, dpi);
        SetWindowPos(control, nullptr, place.x, place.y, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fitComboField();
    InvalidateRect(m_window, nullptr, TRUE);
}

void MainWindow::fitComboField()
{
    HWND combo = m_binding->handle(Control::Combo1);
    const int wanted =
        twipsToPixels(storedControl(Control::Combo1).height, static_cast<int>(m_dpi));
    // The field's border around the item height differs between Windows versions and
    // themes: measured, set, and measured again. A combo box that keeps its field at its
    // font's height (Wine's) is asked once.
    int before = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT field;
        GetWindowRect(combo, &field);
        const int height = static_cast<int>(field.bottom - field.top);
        const int difference = wanted - height;
        const auto itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, -1, 0));
        if (difference == 0 || height == before || itemHeight + difference <= 0)
            return;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight + difference);
        before = height;
    }
}

SIZE MainWindow::frameSize(UINT dpi) const
{
    const int d = static_cast<int>(dpi);
    const RECT client{0, 0, twipsToPixels(clientWidthTwips, d),
                      twipsToPixels(clientHeightTwips, d)};
    const RECT frame = frameAround(client, style, exStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindow::fitClientArea()
{
    const int d = static_cast<int>(m_dpi);
    const int width = twipsToPixels(clientWidthTwips, d);
    const int height = twipsToPixels(clientHeightTwips, d);
    SIZE frame = frameSize(m_dpi);
    SetWindowPos(m_window, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame as drawn may differ from the one computed for the DPI (its title bar
    // keeps the monitor's scale until Windows redraws it): the client area decides.
    RECT client;
    GetClientRect(m_window, &client);
    if (client.right != width || client.bottom != height) {
        frame.cx += width - client.right;
        frame.cy += height - client.bottom;
        SetWindowPos(m_window, nullptr, 0, 0, frame.cx, frame.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT MainWindow::startFrame(UINT dpi) const
{
    // The stored place of the client area, moved just enough to keep the whole frame
    // on the work area of the monitor there.
    const int d = static_cast<int>(dpi);
    const RECT client{twipsToPixels(startLeftTwips, d), twipsToPixels(startTopTwips, d),
                      twipsToPixels(startLeftTwips + clientWidthTwips, d),
                      twipsToPixels(startTopTwips + clientHeightTwips, d)};
    const RECT frame = frameAround(client, style, exStyle, dpi);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT &area = monitor.rcWork;
    const ScreenPoint place =
        placeWithin({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                    {area.left, area.top, area.right - area.left, area.bottom - area.top});
    return {place.x, place.y, place.x + frame.right - frame.left,
            place.y + frame.bottom - frame.top};
}

void MainWindow::showAtStart()
{
    // Made there for the system's DPI; a monitor of another DPI moves it.
    const RECT frame = startFrame(m_dpi);
    RECT now;
    GetWindowRect(m_window, &now);
    if (now.left != frame.left || now.top != frame.top)
        SetWindowPos(m_window, nullptr, frame.left, frame.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    startupMark("placed");
    ShowWindow(m_window, SW_SHOW);
    startupMark("shown");
    UpdateWindow(m_window);
    startupMark("painted");
    SetForegroundWindow(m_window);
    startupMark("in the foreground");
    m_binding->setFocus(Control::Text1);
    startupMark("focus in Text1");
}

LRESULT MainWindow::colour(HDC dc, HWND control)
{
    Control which;
    if (!m_binding->controlOf(control, which) || which == Control::Combo1)
        return 0;
    switch (storedControl(which).colours) {
    case ColourKind::Result:
        SetTextColor(dc, colourRef(blue));
        SetBkColor(dc, colourRef(lightBlue));
        return reinterpret_cast<LRESULT>(m_resultBrush.get());
    case ColourKind::BlueText:
        SetTextColor(dc, colourRef(blue));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case ColourKind::Standard:
        break;
    }
    return 0;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<MainWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<MainWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->m_binding)
        return DefDlgProcW(window, message, wParam, lParam);
    return guarded(window, [&] { return self->onMessage(message, wParam, lParam); });
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        m_binding->onCommand(wParam, lParam);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const LRESULT brush =
                colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return brush;
        break;
    case WM_ACTIVATE:
    case WM_SETFOCUS: {
        // Coming back from another window, the dialog manager gives the focus back to
        // the control that had it. That is no new focus: the field keeps its text,
        // selection and caret, as in Windows' own dialogs. The first activation, at
        // start, is the start-up focus.
        const bool active = message == WM_SETFOCUS || LOWORD(wParam) != WA_INACTIVE;
        const bool before = m_binding->setComingBack(active && m_leftOnce);
        if (!active)
            m_leftOnce = true;
        const LRESULT result = DefDlgProcW(m_window, message, wParam, lParam);
        m_binding->setComingBack(before);
        return result;
    }
    case WM_CLOSE: // the close box: no question, nothing kept
        DestroyWindow(m_window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_GETDPISCALEDSIZE: {
        // The window keeps its exact client size at the new scale.
        *reinterpret_cast<SIZE *>(lParam) = frameSize(static_cast<UINT>(wParam));
        return TRUE;
    }
    case WM_DPICHANGED: {
        const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
        layOut(HIWORD(wParam));
        SetWindowPos(m_window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        fitClientArea();
        return 0;
    }
    default:
        break;
    }
    return DefDlgProcW(m_window, message, wParam, lParam);
}

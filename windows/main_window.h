#pragma once

#include "form1.h"
#include "win32_binding.h"
#include "window_fonts.h"

#include <windows.h>

#include <memory>

// The one window of the program: the stored form made of Windows' own controls, bound
// to the handlers. Making it runs the load handler; showAtStart() brings it up with
// the focus in the first field. The window is a dialog (DefDlgProc): Tab, Shift+Tab
// and the arrow keys of the option group are the dialog manager's.
class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance);
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;
    ~MainWindow();

    /// Shows the window at its stored place, kept on the work area, with the focus in
    /// 单根长度(cm) and its whole text selected.
    void showAtStart();

    HWND handle() const { return m_window; }
    Win32Binding &binding() { return *m_binding; }
    const WindowFonts &fonts() const { return m_fonts; }
    UINT dpi() const { return m_dpi; }

    static constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    static constexpr DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    /// Places every control and gives it its font at `dpi`.
    void layOut(UINT dpi);
    /// Gives Combo1's edit field its stored height, apart from its list's height.
    void fitComboField();
    SIZE frameSize(UINT dpi) const;
    /// The frame at the stored place for `dpi`, kept on the work area of its monitor.
    RECT startFrame(UINT dpi) const;
    /// Sizes the window so that its client area is the stored one at the current DPI.
    void fitClientArea();
    LRESULT colour(HDC dc, HWND control);

    HWND m_window = nullptr;
    UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
    WindowFonts m_fonts;
    Brush m_resultBrush;
    std::unique_ptr<Win32Binding> m_binding;
    std::unique_ptr<Form1> m_form;
    // The window has lost the activation once: each activation since is a way back.
    bool m_leftOnce = false;
};

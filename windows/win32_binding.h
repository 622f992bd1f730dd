#pragma once

#include "form_model.h"

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <utility>

class Form1;

// The native window behind the form model: maps control names to windows both ways
// and forwards the controls' events to Form1. It decides nothing; the handlers do.
// The text fields, the combo box and its edit field and the buttons are subclassed
// (their window procedure replaced with SetWindowLongPtrW) to see the keys Form1
// handles and the combo box's focus.
class Win32Binding : public FormModel {
public:
    using MessageBoxHook = std::function<int(const std::u16string &prompt)>;
    using FontSizeHook = std::function<void(Control control, float points)>;
    /// What the binding reports to a trace: a control's answer to the dialog manager's
    /// WM_GETDLGCODE for a key message, and each call of a handler.
    struct TraceEvent {
        enum class Kind { DialogCode, Click, KeyPress, GotFocus } kind;
        Control control;
        HWND window = nullptr; ///< DialogCode: the window asked
        MSG asked{};           ///< DialogCode: the message it was asked about
        LRESULT code = 0;      ///< DialogCode: its answer
    };
    using TraceHook = std::function<void(const TraceEvent &event)>;

    explicit Win32Binding(HWND window);
    Win32Binding(const Win32Binding &) = delete;
    Win32Binding &operator=(const Win32Binding &) = delete;

    void attach(Control control, HWND handle);
    /// Starts forwarding events to `form`, which must outlive the binding.
    void connectTo(Form1 &form);
    /// A control's WM_COMMAND notification, as the window received it.
    void onCommand(WPARAM wParam, LPARAM lParam);

    HWND handle(Control control) const;
    /// The edit field that holds a control's text: the field itself, or Combo1's.
    HWND editOf(Control control) const;
    /// The control a window stands for; Combo1's edit field counts as Combo1.
    bool controlOf(HWND handle, Control &control) const;

    /// Lets tests answer message boxes instead of showing them.
    void setMessageBoxHook(MessageBoxHook hook) { m_messageBoxHook = std::move(hook); }
    void setFontSizeHook(FontSizeHook hook) { m_fontSizeHook = std::move(hook); }
    /// Lets tests see which messages the controls claimed and what each handler call was.
    void setTraceHook(TraceHook hook) { m_traceHook = std::move(hook); }
    /// While the window comes back from another one, the focus it gives back to the
    /// control that had it is no new focus: that field keeps its selection and caret.
    /// Returns what it was before, for the caller to put back.
    bool setComingBack(bool comingBack) { return std::exchange(m_comingBack, comingBack); }

    std::u16string text(Control control) const override;
    void setText(Control control, const std::u16string &text) override;
    bool optionValue(Control option) const override;
    void setOptionOn(Control option) override;
    void setVisible(Control control, bool visible) override;
    void addItem(Control combo, const std::u16string &item) override;
    void setFontSize(Control control, float points) override;
    void setFocus(Control control) override;
    void setSelStart(Control control, int start) override;
    void setSelLength(Control control, int length) override;
    int messageBox(const std::u16string &prompt) override;
    void unload() override;

private:
    struct Subclass {
        Win32Binding *binding = nullptr;
        Control control = Control::Form1;
        WNDPROC original = nullptr;
    };
    static LRESULT CALLBACK fieldProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK buttonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK comboProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    void subclass(HWND handle, Control control, WNDPROC procedure);
    /// Runs Form1's KeyPress for a typed character; false when it was cancelled.
    bool keyPress(Control control, WPARAM &character);
    /// A control's answer to WM_GETDLGCODE: the original one, with DLGC_WANTALLKEYS
    /// added for the key messages that `claims` says the control acts on itself.
    LRESULT dialogCode(const Subclass &entry, HWND handle, WPARAM wParam, LPARAM lParam,
                       bool (*claims)(Control control, const MSG &message));
    void trace(TraceEvent::Kind kind, Control control) const;
    /// Whether `control` is Combo1 with its list down.
    bool listOpen(Control control) const;

    HWND m_window;
    std::array<HWND, 17> m_handles{};
    std::array<Subclass, 9> m_subclasses{};
    std::size_t m_subclassCount = 0;
    Form1 *m_form = nullptr;
    MessageBoxHook m_messageBoxHook;
    FontSizeHook m_fontSizeHook;
    TraceHook m_traceHook;
    bool m_comingBack = false;
};

/// Runs a window procedure's work so that no C++ exception leaves it: an exception (from
/// the standard library: the core throws none) is reported in a message box and the
/// message counts as handled.
LRESULT guarded(HWND window, const std::function<LRESULT()> &work);

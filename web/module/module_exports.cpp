// The module's entry points, which the page's script calls for the page's events; the
// one Form1 and its binding live here for the page's whole life.

#include "form1.h"
#include "web_binding.h"

#include <cstdint>

#define REBAR_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace {

WebBinding binding;
Form1 form(binding);

constexpr int controlCount = static_cast<int>(Control::Option2) + 1;

bool isControl(int number)
{
    return number >= 0 && number < controlCount;
}

// Where asyncify keeps the stack of the handler that waits for the message box: its
// header (where the saved data goes on, and where it must end) and the room after it.
// A click saves about a hundred bytes there; a message box cannot open while another
// waits.
struct AsyncifyData {
    std::uint32_t position;
    std::uint32_t end;
    std::uint8_t room[4096];
};
AsyncifyData asyncifyData;

} // namespace

/// Before the page first shows: fills the diameter list and puts the focus in the first
/// field, as the desktop windows do when they show.
REBAR_EXPORT("start") void start()
{
    binding.connectTo(form);
    form.load();
    binding.setFocus(Control::Text1);
}

/// A click of a control: a button (by the mouse, Enter or Space) or a label.
REBAR_EXPORT("click") void click(int control)
{
    if (isControl(control))
        binding.click(static_cast<Control>(control));
}

/// The focus came to a control; `reason` is a WebBinding::FocusReason.
REBAR_EXPORT("focus_in") void focusIn(int control, int reason)
{
    if (isControl(control) && reason >= 0 && reason <= 2)
        binding.focusIn(static_cast<Control>(control),
                        static_cast<WebBinding::FocusReason>(reason));
}

/// A character typed into a control; returns it, or 0 when it must not reach the field.
REBAR_EXPORT("key_press") int keyPress(int control, int code)
{
    return isControl(control) ? binding.keyPress(static_cast<Control>(control), code) : code;
}

/// Whether the press that brings the focus to the control is swallowed (1) or not (0).
REBAR_EXPORT("swallows_focusing_press") int swallowsFocusingPress(int control)
{
    return isControl(control) && WebBinding::swallowsFocusingPress(static_cast<Control>(control));
}

/// The asyncify data, its header set for a fresh unwind.
REBAR_EXPORT("asyncify_data") void *asyncifyDataForUnwind()
{
    asyncifyData.position =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(asyncifyData.room));
    asyncifyData.end = asyncifyData.position + sizeof asyncifyData.room;
    return &asyncifyData;
}

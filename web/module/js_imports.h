#pragma once

#include <cstdint>

// The page's side of the binding: functions the page's script gives the module when it
// starts it (module "env"). Each acts on the element that stands for a control, by the
// control's number (the value of Control); text crosses as UTF-16 in the module's
// memory, a pointer and a length in code units.

#define REBAR_JS_IMPORT(name) __attribute__((import_module("env"), import_name(name)))

extern "C" {

REBAR_JS_IMPORT("text_length") int jsTextLength(int control);
/// Copies the control's text (text_length units) to `out`.
REBAR_JS_IMPORT("read_text") void jsReadText(int control, char16_t *out);
REBAR_JS_IMPORT("set_text") void jsSetText(int control, const char16_t *text, int length);
REBAR_JS_IMPORT("option_value") int jsOptionValue(int control);
REBAR_JS_IMPORT("set_option_on") void jsSetOptionOn(int control);
REBAR_JS_IMPORT("set_visible") void jsSetVisible(int control, int visible);
REBAR_JS_IMPORT("add_item") void jsAddItem(int control, const char16_t *text, int length);
REBAR_JS_IMPORT("set_font_size") void jsSetFontSize(int control, float points);
REBAR_JS_IMPORT("set_focus") void jsSetFocus(int control);
REBAR_JS_IMPORT("selection_start") int jsSelectionStart(int control);
/// Selects [start, end) with the caret at `end`.
REBAR_JS_IMPORT("set_selection") void jsSetSelection(int control, int start, int end);
/// Shows the page's own message box. The module waits for its answer: the call unwinds
/// the module's stack and the page rewinds it when 确定 is pressed (asyncify).
REBAR_JS_IMPORT("message_box") int jsMessageBox(const char16_t *text, int length);
REBAR_JS_IMPORT("unload") void jsUnload();

} // extern "C"

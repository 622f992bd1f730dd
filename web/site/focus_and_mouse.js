// The focus and the mouse, as the desktop windows have them: how the focus came to a
// control is told to the module (its GotFocus selects a field's whole text); the press
// that brings the focus to a field is swallowed, so that the selection survives it and a
// second press places the caret; a press on the window's ground or on a label moves no
// focus; coming back from another window or tab is no new focus.

// How the focus came; the module's WebBinding::FocusReason.
var FOCUS_KEYBOARD = 0;
var FOCUS_MOUSE = 1;
var FOCUS_COMING_BACK = 2;

var pendingFocus = null; // {element, reason}: the focus about to come, and how
var lastFocused = null; // the element of the last focus event
var away = false; // the page lost the system's focus
var focusedWhenAway = null;
var swallowsPress = []; // by control number: whether the focusing press is swallowed
var pressedHit = null; // the hit area pressed, until its click

function focusControl(element, reason) {
    if (!element || element.hidden || closed) {
        return;
    }
    var before = document.activeElement;
    pendingFocus = {element: element, reason: reason};
    lastFocused = null;
    element.focus();
    pendingFocus = null;
    // A page without the system's focus moves its focus without a focus event.
    if (lastFocused !== element && before !== element && document.activeElement === element) {
        focusArrived(element, reason);
    }
}

function onFocusIn(event) {
    var element = event.target;
    lastFocused = element;
    var reason = FOCUS_KEYBOARD;
    if (pendingFocus && pendingFocus.element === element) {
        reason = pendingFocus.reason;
        pendingFocus = null;
    }
    if (away) {
        // The first focus after the page came back: the element that had the focus
        // getting it back keeps its text, selection and caret.
        away = false;
        if (element === focusedWhenAway) {
            reason = FOCUS_COMING_BACK;
        }
    }
    focusArrived(element, reason);
}

function focusArrived(element, reason) {
    var control = controlNumber(element);
    if (control >= 0 && !closed && !boxShown()) {
        callModule("focus_in", [control, reason]);
    }
}

function onWindowBlur(event) {
    if (event.target === window && !closed) {
        away = true;
        focusedWhenAway = document.activeElement;
    }
}

function hasClass(element, name) {
    return !!element.classList && element.classList.contains(name);
}

// The caret at the field's end nearer to a press beside it.
function caretNearPress(field, event) {
    var box = field.getBoundingClientRect();
    var at = event.clientX < box.left + box.width / 2 ? 0 : field.value.length;
    setSelection(field, at, at);
}

function pressField(field, event, onField) {
    var swallowed = swallowsPress[controlNumber(field)];
    if (document.activeElement === field) {
        if (!onField) {
            event.preventDefault();
            caretNearPress(field, event);
        }
        return;
    }
    if (swallowed || !onField) {
        event.preventDefault();
        focusControl(field, FOCUS_MOUSE);
        if (!swallowed) {
            caretNearPress(field, event);
        }
    } else {
        // The combo box's field: the focus comes with the press, and the caret lands
        // where the press is.
        pendingFocus = {element: field, reason: FOCUS_MOUSE};
    }
}

function onMouseDown(event) {
    if (closed) {
        return;
    }
    away = false;
    var target = event.target;
    // The open list closes at a press anywhere but on itself or its button, as a
    // desktop list that has the mouse captured.
    if (comboIsOpen() && !comboList.contains(target) && target !== comboButton) {
        closeList();
    }
    if (!form1.contains(target)) {
        // The page around the window is the desktop: a press there leaves the window's
        // focus where it is (a link of the page, after 退出, is the page's).
        if (target === document.body || target === root) {
            event.preventDefault();
        }
        return;
    }
    if (event.button !== 0) {
        if (!isTextField(target)) {
            event.preventDefault();
        }
        return;
    }
    if (comboList.contains(target)) {
        event.preventDefault(); // the list takes its item on the click; the focus stays
        return;
    }
    if (target === comboButton) {
        event.preventDefault();
        comboButtonPressed();
        return;
    }
    if (hasClass(target, "hit")) {
        // Beside a control, in its hit area: a press on the control.
        var control = document.getElementById(target.getAttribute("data-for"));
        if (isTextField(control)) {
            pressField(control, event, false);
        } else {
            event.preventDefault();
            pressedHit = target;
            if (document.activeElement !== control) {
                focusControl(control, FOCUS_MOUSE);
            }
        }
        return;
    }
    if (isTextField(target)) {
        pressField(target, event, true);
    } else if (target.tagName === "BUTTON" || target.type === "radio") {
        if (document.activeElement !== target) {
            focusControl(target, FOCUS_MOUSE);
        }
    } else {
        event.preventDefault(); // the window's ground, a label
    }
}

function onClick(event) {
    if (closed || boxShown()) {
        return;
    }
    var target = event.target;
    if (hasClass(target, "hit")) {
        var control = document.getElementById(target.getAttribute("data-for"));
        var pressed = pressedHit === target;
        pressedHit = null;
        if (!pressed || isTextField(control)) {
            return;
        }
        if (control.type === "radio") {
            if (!control.checked) {
                control.click();
            }
        } else {
            control.click(); // a button's click, as if on the button itself
        }
        return;
    }
    var number = controlNumber(target);
    if (number < 0 || isTextField(target) || target.type === "radio" || target === form1) {
        return; // Form1 handles no click of these
    }
    callModule("click", [number]);
}

function hookFocusAndMouse() {
    for (var i = 0; i < controls.length; i++) {
        swallowsPress[i] = callModule("swallows_focusing_press", [i]) === 1;
    }
    document.addEventListener("focusin", onFocusIn);
    window.addEventListener("blur", onWindowBlur);
    document.addEventListener("mousedown", onMouseDown);
    document.addEventListener("click", onClick);
}

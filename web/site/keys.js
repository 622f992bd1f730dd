// Keys, as the desktop windows take them. Enter is KeyPress 13, also with Shift; 10
// with Ctrl; nothing with Alt. Tab and Shift+Tab walk the tab order round, the option
// group being one stop at the button that is set. Enter presses a focused button once:
// a repeat of the key held down presses nothing. The arrow keys move round the option
// group. Escape closes nothing. Characters are typing.js's.

function isEnterKey(event) {
    return event.key === "Enter" || event.keyCode === 13;
}

function tabStops() {
    var stops = [];
    for (var i = 0; i < tabOrder.length; i++) {
        var element = tabOrder[i];
        if (element.hidden || element.disabled) {
            continue;
        }
        if (element.type === "radio") {
            if (element.checked) {
                stops.push(element);
            }
        } else if (isTextField(element) || element.tagName === "BUTTON") {
            stops.push(element);
        }
    }
    return stops;
}

function moveByTab(back) {
    var stops = tabStops();
    var at = document.activeElement;
    var index = stops.indexOf(at);
    for (var i = 0; index < 0 && at && at.type === "radio" && i < stops.length; i++) {
        if (stops[i].type === "radio" && stops[i].name === at.name) {
            index = i; // the option group is one stop, wherever in it the focus is
        }
    }
    var next = index < 0 ? (back ? stops.length - 1 : 0)
        : (index + (back ? stops.length - 1 : 1)) % stops.length;
    focusControl(stops[next], FOCUS_KEYBOARD);
}

// The arrow keys within the option group, round in tab order, the focus and the set
// button moving together, as the dialog manager moves them (not every browser goes
// round: WebKit stops at the ends).
function arrowInGroup(target, event) {
    var key = event.key;
    var back = key === "ArrowUp" || key === "Up" || key === "ArrowLeft" || key === "Left";
    var on = key === "ArrowDown" || key === "Down" || key === "ArrowRight" || key === "Right";
    if ((!back && !on) || event.altKey || event.ctrlKey || event.metaKey) {
        return;
    }
    event.preventDefault();
    var group = [];
    for (var i = 0; i < tabOrder.length; i++) {
        if (tabOrder[i].type === "radio" && tabOrder[i].name === target.name
            && !tabOrder[i].hidden) {
            group.push(tabOrder[i]);
        }
    }
    var next = group[(group.indexOf(target) + (back ? group.length - 1 : 1)) % group.length];
    focusControl(next, FOCUS_KEYBOARD);
    next.checked = true;
}

function enterPressed(target, number, event) {
    if (number < 0) {
        return;
    }
    if (target.tagName === "BUTTON") {
        if (!event.repeat && !event.altKey) {
            callModule("click", [number]);
        }
    } else if (isTextField(target) && !event.altKey) {
        callModule("key_press", [number, event.ctrlKey ? 10 : 13]);
    }
}

function onKeyDown(event) {
    if (closed || event.isComposing || event.keyCode === 229) {
        return; // the input method's own keys
    }
    away = false;
    lateCommit = null;
    var target = event.target;
    var number = controlNumber(target);
    if (target === comboInput && comboIsOpen() && listKey(event)) {
        return;
    }
    if (event.key === "Tab" && !event.ctrlKey && !event.altKey && !event.metaKey) {
        event.preventDefault();
        moveByTab(event.shiftKey);
        return;
    }
    if (isEnterKey(event)) {
        event.preventDefault(); // a one-line field takes no line break
        enterPressed(target, number, event);
        return;
    }
    // Backspace types 8 on the desktop, which KeyPress sees too.
    if (event.key === "Backspace" && isTextField(target) && number >= 0 && !event.ctrlKey
        && !event.altKey && !event.metaKey && callModule("key_press", [number, 8]) === 0) {
        event.preventDefault();
    }
    if (target === comboInput) {
        closedComboKey(event);
    } else if (target.type === "radio" && number >= 0) {
        arrowInGroup(target, event);
    }
}

function hookKeys() {
    document.addEventListener("keydown", onKeyDown);
}

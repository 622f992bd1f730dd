// Typed characters, as the desktop windows deliver them. Every character that reaches
// a field, typed, committed by an input method or by a phone's keyboard, passes the
// field's KeyPress first, with its character code: the module may swallow it (0), and
// Enter, D and d then walk on to the next field.
//
// Characters come from beforeinput, never from the key itself: a phone's keyboard sends
// no key code for letters (229). Where the browser cannot cancel an input, the
// character is taken back out as soon as it is in: the field's text and selection
// restored.

var afterInput = null; // {field, saved, then}: an input the browser makes all the same
var composition = null; // {field, saved}: an input method's composition under way
var lateCommit = null; // {field, after}: the field as a commit left it

function snapshot(field) {
    return {value: field.value, start: field.selectionStart, end: field.selectionEnd};
}

function restore(field, saved) {
    field.value = saved.value;
    setSelection(field, saved.start, saved.end);
}

// Each character passes KeyPress in the field that has the focus by then (a walk may
// have moved it), and what KeyPress leaves of it is typed there; `onlyIn` keeps them all
// to one field.
function typeCharacters(text, onlyIn) {
    for (var i = 0; i < text.length; i++) {
        var field = onlyIn || document.activeElement;
        var number = controlNumber(field);
        if (!isTextField(field) || number < 0 || closed || boxShown()) {
            return;
        }
        var code = callModule("key_press", [number, text.charCodeAt(i)]);
        if (code) {
            insertInto(field, String.fromCharCode(code));
        }
    }
}

function cancelInput(event, field, then) {
    if (event.cancelable) {
        event.preventDefault();
        then();
    } else {
        afterInput = {field: field, saved: snapshot(field), then: then};
    }
}

function onBeforeInput(event) {
    var field = event.target;
    var number = controlNumber(field);
    if (closed || !isTextField(field) || number < 0) {
        return;
    }
    var type = event.inputType;
    if (lateCommit && lateCommit.field === field
        && (type === "insertFromComposition" || type === "deleteCompositionText")) {
        if (event.cancelable) {
            event.preventDefault(); // the commit was typed at compositionend already
        }
        return;
    }
    if (composition || event.isComposing || type !== "insertText" || !event.data) {
        return; // an input method's composition is typed when it commits
    }
    var data = event.data;
    if (data.length === 1) {
        var code = callModule("key_press", [number, data.charCodeAt(0)]);
        if (code === data.charCodeAt(0) && document.activeElement === field) {
            return; // typed as it is, by the browser
        }
        cancelInput(event, field, function () {
            if (code) {
                insertInto(field, String.fromCharCode(code));
            }
        });
        return;
    }
    // Several characters at once (an input method's or a keyboard's commit): the browser
    // puts them in, and its commit sets the selection after this event, wherever the focus
    // has gone by then; so they are taken back out once in, and typed one by one.
    afterInput = {field: field, saved: snapshot(field), then: function () {
        typeCharacters(data, null);
    }};
}

function onInput(event) {
    var field = event.target;
    if (afterInput && afterInput.field === field) {
        var input = afterInput;
        afterInput = null;
        restore(field, input.saved);
        input.then();
    } else if (lateCommit && lateCommit.field === field && !composition
        && (event.inputType === "insertFromComposition"
            || event.inputType === "deleteCompositionText")) {
        restore(field, lateCommit.after);
    }
}

function onCompositionStart(event) {
    if (isTextField(event.target) && !closed) {
        composition = {field: event.target, saved: snapshot(event.target)};
        lateCommit = null;
    }
}

// The commit: the field as it was before the composition, then each committed character
// through KeyPress, as an input method's characters reach a desktop field one by one.
function onCompositionEnd(event) {
    var started = composition;
    composition = null;
    if (!started || closed) {
        return;
    }
    var field = started.field;
    restore(field, started.saved);
    if (boxShown()) {
        return;
    }
    typeCharacters(event.data || "", document.activeElement === field ? null : field);
    lateCommit = {field: field, after: snapshot(field)};
}

// A cell pasted from a spreadsheet ("250\r\n") keeps its first line, as a desktop
// window's one-line field does. Pasting types no key: KeyPress sees none of it.
function onPaste(event) {
    var field = event.target;
    if (closed || !isTextField(field) || !event.clipboardData) {
        return;
    }
    var text = event.clipboardData.getData("text/plain");
    if (typeof text !== "string") {
        return;
    }
    event.preventDefault();
    var lineBreak = text.search(/[\r\n]/);
    insertInto(field, lineBreak < 0 ? text : text.slice(0, lineBreak));
}

function hookTyping() {
    document.addEventListener("beforeinput", onBeforeInput);
    document.addEventListener("input", onInput);
    document.addEventListener("compositionstart", onCompositionStart);
    document.addEventListener("compositionend", onCompositionEnd);
    document.addEventListener("paste", onPaste);
}

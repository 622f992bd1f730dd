// The page's side of the form model: the imports the module calls, each on the element
// that bears a control's name. Elements carry their control's number (the value of the
// module's Control) in data-control.

var root = document.documentElement;
var form1 = document.getElementById("Form1");
var controls = []; // element by control number
var tabOrder = []; // the controls in DOM order, which is the tab order

function findControls() {
    var list = form1.querySelectorAll("[data-control]");
    for (var i = 0; i < list.length; i++) {
        controls[+list[i].getAttribute("data-control")] = list[i];
        if (list[i] !== form1) {
            tabOrder.push(list[i]);
        }
    }
}

function controlNumber(element) {
    if (!element || !element.getAttribute) {
        return -1;
    }
    var number = element.getAttribute("data-control");
    return number === null ? -1 : +number;
}

function isTextField(element) {
    return !!element && element.tagName === "INPUT" && element.type === "text";
}

// Selects [start, end) with the caret at end.
function setSelection(element, start, end) {
    if (isTextField(element)) {
        element.setSelectionRange(start, end, "forward");
    }
}

function insertInto(field, text) {
    field.setRangeText(text, field.selectionStart, field.selectionEnd, "end");
}

function bindingImports() {
    return {
        text_length: function (control) {
            var element = controls[control];
            return isTextField(element) ? element.value.length : 0;
        },
        read_text: function (control, pointer) {
            writeUtf16(pointer, controls[control].value);
        },
        set_text: function (control, pointer, length) {
            if (isTextField(controls[control])) {
                controls[control].value = readUtf16(pointer, length);
            }
        },
        option_value: function (control) {
            return controls[control].checked ? 1 : 0;
        },
        set_option_on: function (control) {
            // One radio group: checking one button clears the other.
            controls[control].checked = true;
        },
        set_visible: function (control, visible) {
            controls[control].hidden = !visible;
        },
        add_item: function (control, pointer, length) {
            addComboItem(readUtf16(pointer, length));
        },
        set_font_size: function (control, points) {
            // The combo box's frame holds its field and its list.
            var element = document.getElementById(controls[control].id + "-box") || controls[control];
            element.style.fontSize = "calc(" + points + "*var(--pt))";
        },
        set_focus: function (control) {
            focusControl(controls[control], FOCUS_KEYBOARD);
        },
        selection_start: function (control) {
            var element = controls[control];
            return isTextField(element) ? element.selectionStart : 0;
        },
        set_selection: function (control, start, end) {
            setSelection(controls[control], start, end);
        },
        message_box: messageBoxImport,
        unload: unloadPage
    };
}

// 退出: a page cannot close its tab; the window goes, and a plain page stays with a way
// to start again.
function unloadPage() {
    closed = true;
    closeList();
    var exited = document.createElement("div");
    exited.id = "Exited";
    exited.appendChild(document.createTextNode("已退出。"));
    var again = document.createElement("a");
    again.id = "Restart";
    again.href = "";
    again.textContent = "重新开始";
    exited.appendChild(again);
    form1.parentNode.replaceChild(exited, form1);
}

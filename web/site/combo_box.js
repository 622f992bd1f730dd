// The diameter field: an editable drop-down of the page's own, as a Windows combo box
// behaves. The list holds what the load handler put in it, opens at the diameter in the
// field (F4, Alt+↓ or the button), takes an item by a click or Enter, and closes with
// Escape. Typed text stays as typed: nothing completes it, nothing adds it to the list.

var comboInput = document.getElementById("Combo1");
var comboButton = document.getElementById("Combo1-button");
var comboList = document.getElementById("Combo1-list");
var comboItems = [];
var comboActive = -1;

function addComboItem(text) {
    var item = document.createElement("div");
    item.setAttribute("role", "option");
    item.setAttribute("aria-selected", "false");
    item.id = "Combo1-item-" + comboItems.length;
    item.textContent = text;
    comboList.appendChild(item);
    comboItems.push(item);
}

function comboIsOpen() {
    return !comboList.hidden;
}

function indexOfItem(text) {
    for (var i = 0; i < comboItems.length; i++) {
        if (comboItems[i].textContent === text) {
            return i;
        }
    }
    return -1;
}

function setActive(index) {
    if (comboActive >= 0) {
        comboItems[comboActive].className = "";
        comboItems[comboActive].setAttribute("aria-selected", "false");
    }
    comboActive = index;
    if (index < 0) {
        comboInput.removeAttribute("aria-activedescendant");
        return;
    }
    var item = comboItems[index];
    item.className = "active";
    item.setAttribute("aria-selected", "true");
    comboInput.setAttribute("aria-activedescendant", item.id);
    if (item.offsetTop < comboList.scrollTop) {
        comboList.scrollTop = item.offsetTop;
    } else if (item.offsetTop + item.offsetHeight > comboList.scrollTop + comboList.clientHeight) {
        comboList.scrollTop = item.offsetTop + item.offsetHeight - comboList.clientHeight;
    }
}

function openList() {
    if (comboIsOpen() || closed) {
        return;
    }
    comboList.hidden = false;
    comboInput.setAttribute("aria-expanded", "true");
    comboList.scrollTop = 0;
    setActive(indexOfItem(comboInput.value));
}

function closeList() {
    if (!comboIsOpen()) {
        return;
    }
    setActive(-1);
    comboList.hidden = true;
    comboInput.setAttribute("aria-expanded", "false");
}

// An item taken: its text in the field, selected, and the list closed.
function takeItem(index) {
    comboInput.value = comboItems[index].textContent;
    closeList();
    setSelection(comboInput, 0, comboInput.value.length);
}

function closeTakingActive() {
    if (comboActive >= 0) {
        takeItem(comboActive);
    } else {
        closeList();
    }
}

function isKey(event, name, oldName) {
    return event.key === name || event.key === oldName;
}

// A key in the field while the list is open; true when the list took it.
function listKey(event) {
    var last = comboItems.length - 1;
    if (isKey(event, "ArrowDown", "Down") || isKey(event, "ArrowUp", "Up")) {
        event.preventDefault();
        if (event.altKey) {
            closeTakingActive();
        } else if (isKey(event, "ArrowDown", "Down")) {
            setActive(Math.min(last, comboActive + 1));
        } else {
            setActive(Math.max(0, comboActive - 1));
        }
        return true;
    }
    if (event.key === "PageDown" || event.key === "PageUp" || event.key === "Home"
        || event.key === "End") {
        event.preventDefault();
        var moves = {PageDown: comboActive + 8, PageUp: comboActive - 8, Home: 0, End: last};
        setActive(Math.max(0, Math.min(last, moves[event.key])));
        return true;
    }
    if (event.key === "F4") {
        event.preventDefault();
        closeTakingActive();
        return true;
    }
    if (isKey(event, "Escape", "Esc")) {
        event.preventDefault();
        closeList();
        return true;
    }
    if (isEnterKey(event) || event.key === "Tab") {
        // The item is taken, and the key goes on: Enter reaches the field's KeyPress, as
        // a Windows combo box sends it, so the walk goes on to 计算.
        closeTakingActive();
    }
    return false;
}

// A key in the field while the list is closed.
function closedComboKey(event) {
    var down = isKey(event, "ArrowDown", "Down");
    var up = isKey(event, "ArrowUp", "Up");
    if (event.key === "F4" || (event.altKey && down)) {
        event.preventDefault();
        openList();
    } else if ((down || up) && !event.altKey && !event.ctrlKey && !event.metaKey) {
        // The next or the previous diameter of the list, as a closed combo box steps.
        event.preventDefault();
        var index = indexOfItem(comboInput.value);
        index = index < 0 ? (down ? 0 : comboItems.length - 1)
            : Math.max(0, Math.min(comboItems.length - 1, index + (down ? 1 : -1)));
        if (comboItems.length > 0) {
            comboInput.value = comboItems[index].textContent;
            setSelection(comboInput, 0, comboInput.value.length);
        }
    }
}

// The drop button: no tab stop; it brings the focus to the field, as the keyboard
// would, and drops the list down or draws it up.
function comboButtonPressed() {
    if (document.activeElement !== comboInput) {
        focusControl(comboInput, FOCUS_KEYBOARD);
    }
    if (comboIsOpen()) {
        closeList();
    } else {
        openList();
    }
}

function itemOf(target) {
    while (target && target !== comboList) {
        if (target.parentNode === comboList) {
            return comboItems.indexOf(target);
        }
        target = target.parentNode;
    }
    return -1;
}

function hookComboBox() {
    comboList.addEventListener("mousemove", function (event) {
        var index = itemOf(event.target);
        if (index >= 0 && index !== comboActive) {
            setActive(index);
        }
    });
    comboList.addEventListener("click", function (event) {
        var index = itemOf(event.target);
        if (index >= 0 && !closed) {
            takeItem(index);
        }
    });
    comboInput.addEventListener("blur", closeList);
}

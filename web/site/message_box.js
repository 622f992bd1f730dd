// The page's own message box: modal, titled 钢筋重量计算, one button 确定. While it is
// shown it takes every key and every press of the page; Enter, Space, Escape or a press
// of 确定 answers it, and the handler that showed it goes on from that answer's own
// event handler.

var msgBox = document.getElementById("MsgBox");
var msgFrame = document.getElementById("MsgBox-frame");
var msgText = document.getElementById("MsgBox-text");
var msgOk = document.getElementById("MsgBox-OK");

function boxShown() {
    return !msgBox.hidden;
}

function showMessageBox(text) {
    closeList();
    msgText.textContent = text;
    msgBox.hidden = false;
    placeMessageBox();
    msgOk.focus();
}

// Centred over the window, as a desktop message box opens over its owner, and kept
// inside the page's view.
function placeMessageBox() {
    var window1 = form1.getBoundingClientRect();
    var width = msgFrame.offsetWidth;
    var height = msgFrame.offsetHeight;
    var left = window1.left + (window1.width - width) / 2;
    var top = window1.top + (window1.height - height) / 2;
    left = Math.max(4, Math.min(root.clientWidth - width - 4, left));
    top = Math.max(4, Math.min(window.innerHeight - height - 4, top));
    msgFrame.style.left = left + "px";
    msgFrame.style.top = top + "px";
}

function answerMessageBox() {
    if (!boxShown()) {
        return;
    }
    msgBox.hidden = true;
    resumeWithAnswer(1); // 确定
}

function isAnswerKey(event) {
    var key = event.key;
    return key === "Enter" || key === " " || key === "Spacebar" || key === "Escape"
        || key === "Esc" || event.keyCode === 13 || event.keyCode === 32 || event.keyCode === 27;
}

// Registered first, in the capture phase of the window, so that no other listener of the
// page sees an event while the box is shown.
function blockWhileBoxShown(event) {
    if (!boxShown()) {
        return;
    }
    var onOk = event.target === msgOk;
    switch (event.type) {
    case "keydown":
        event.preventDefault();
        event.stopPropagation();
        // A key held down since before the box opened answers nothing.
        if (!event.repeat && !event.isComposing && isAnswerKey(event)) {
            answerMessageBox();
        }
        return;
    case "focusin":
        event.stopPropagation();
        if (!onOk) {
            msgOk.focus();
        }
        return;
    case "mousedown":
    case "pointerdown":
    case "touchstart":
    case "mouseup":
    case "pointerup":
    case "touchend":
    case "click":
        if (onOk) {
            return; // 确定's own press
        }
        break;
    default:
        break;
    }
    if (event.cancelable) {
        event.preventDefault();
    }
    event.stopPropagation();
}

function hookMessageBox() {
    var types = ["keydown", "keypress", "keyup", "beforeinput", "input", "paste", "cut",
        "compositionstart", "compositionend", "focusin", "mousedown", "mouseup", "click",
        "dblclick", "pointerdown", "pointerup", "touchstart", "touchend", "contextmenu",
        "wheel"];
    for (var i = 0; i < types.length; i++) {
        window.addEventListener(types[i], blockWhileBoxShown, {capture: true, passive: false});
    }
    msgOk.addEventListener("click", function (event) {
        event.preventDefault();
        answerMessageBox();
    });
    window.addEventListener("resize", function () {
        if (boxShown()) {
            placeMessageBox();
        }
    });
}

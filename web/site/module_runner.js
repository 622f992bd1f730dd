// The module: its memory, its exports, and the calls that may wait for the message box.
//
// A handler that shows the message box must wait for its answer, but the page cannot
// block. The module is built with asyncify (web/CMakeLists.txt): the message_box import
// shows the box and unwinds the module's stack into a buffer, the export returns, and
// the page goes on. When the box is answered, the same export is called again in the
// rewinding state: the stack is rebuilt, the import returns the answer, and the handler
// goes on exactly where it stopped.

var ASYNCIFY_UNWINDING = 1;
var ASYNCIFY_REWINDING = 2;

var wasm = null; // the instance's exports, once started
var waitingCall = null; // {name, args}: the export that waits for the box's answer
var boxAnswer = 0;
var asyncifyData = 0;
var closed = false; // after 退出: nothing reaches the module again

function readUtf16(pointer, length) {
    var units = new Uint16Array(wasm.memory.buffer, pointer, length);
    var text = "";
    for (var i = 0; i < length; i += 4096) {
        text += String.fromCharCode.apply(null, units.subarray(i, Math.min(length, i + 4096)));
    }
    return text;
}

function writeUtf16(pointer, text) {
    var units = new Uint16Array(wasm.memory.buffer, pointer, text.length);
    for (var i = 0; i < text.length; i++) {
        units[i] = text.charCodeAt(i);
    }
}

// Calls an export for an event of the page. While the module waits for the message
// box, nothing else enters it: the box is modal, and the event is dropped (0).
function callModule(name, args) {
    if (!wasm || waitingCall || closed) {
        return 0;
    }
    return runExport(name, args);
}

function runExport(name, args) {
    var result = wasm[name].apply(null, args);
    if (wasm.asyncify_get_state() === ASYNCIFY_UNWINDING) {
        wasm.asyncify_stop_unwind();
        waitingCall = {name: name, args: args};
        return 0;
    }
    return result;
}

// The message_box import's two halves: the first call shows the box and unwinds; the
// call made while rewinding returns the answer.
function messageBoxImport(pointer, length) {
    if (wasm.asyncify_get_state() === ASYNCIFY_REWINDING) {
        wasm.asyncify_stop_rewind();
        return boxAnswer;
    }
    showMessageBox(readUtf16(pointer, length));
    asyncifyData = wasm.asyncify_data();
    wasm.asyncify_start_unwind(asyncifyData);
    return 0;
}

// Called by the box's answer, inside the event handler of that answer (a phone raises
// its keyboard only for a focus given there).
function resumeWithAnswer(answer) {
    var call = waitingCall;
    if (!call) {
        return;
    }
    waitingCall = null;
    boxAnswer = answer;
    wasm.asyncify_start_rewind(asyncifyData);
    runExport(call.name, call.args);
}

// What the module asks of WASI: only the C library's error output (its abort message)
// and the closing and seeking of that stream.
function wasiImports(module) {
    var imports = {};
    var names = WebAssembly.Module.imports(module);
    for (var i = 0; i < names.length; i++) {
        if (names[i].module === "wasi_snapshot_preview1") {
            imports[names[i].name] = function () {
                return 52; // ENOSYS
            };
        }
    }
    imports.fd_write = function (fd, vectors, count, written) {
        var view = new DataView(wasm.memory.buffer);
        var total = 0;
        var bytes = [];
        for (var i = 0; i < count; i++) {
            var base = view.getUint32(vectors + 8 * i, true);
            var size = view.getUint32(vectors + 8 * i + 4, true);
            for (var j = 0; j < size; j++) {
                bytes.push(view.getUint8(base + j));
            }
            total += size;
        }
        view.setUint32(written, total, true);
        if (window.console) {
            console.error(String.fromCharCode.apply(null, bytes));
        }
        return 0;
    };
    return imports;
}

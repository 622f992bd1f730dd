// The page's start: its scale, the phone's keyboard, the module, the start-up focus, and
// the service worker that keeps the page for use without the network.

// The stored window fills the width of a phone held upright (up to 480 CSS pixels), is
// drawn at its stored size on a wider page, and shrinks to stay whole on a narrower one
// (a desktop zoomed far in). No page scrolls sideways.
function fitToViewport() {
    var width = +form1.getAttribute("data-width-twips") / 15;
    var room = root.clientWidth;
    var scale = String(room <= 480 ? room / width : Math.min(1, room / width));
    // Set only when it changes: every length of the page follows it, so a change
    // restyles the whole page. The style sheet's own is 1.
    if (scale !== (root.style.getPropertyValue("--scale") || "1")) {
        root.style.setProperty("--scale", scale);
    }
}

// A phone's number pad for the fields where it has an Enter key: Android's has, iOS's
// decimal pad has none, so iOS keeps its letters' keyboard (with its number row a tap
// away), whose Enter walks on.
function chooseKeyboards() {
    var iOS = /iPad|iPhone|iPod/.test(navigator.userAgent)
        || (navigator.platform === "MacIntel" && navigator.maxTouchPoints > 1);
    if (!iOS) {
        return;
    }
    for (var i = 0; i < tabOrder.length; i++) {
        if (isTextField(tabOrder[i])) {
            tabOrder[i].setAttribute("inputmode", "text");
        }
    }
}

// Where the start-up's time goes, for the start-up bench and the browser's tools.
function mark(name) {
    if (window.performance && typeof performance.mark === "function") {
        performance.mark(name);
    }
}

// The module's bytes, {bytes, later}: `bytes` when they are in now, else `later`, a
// promise of them. The site's head asked for them (module_request.js); the one-file
// page carries them inline, in base64; a page without either (an index.html kept from
// a build whose head asked for nothing) fetches them here.
function moduleBytes() {
    if (window.rebarModule) {
        return window.rebarModule;
    }
    var inline = document.getElementById("Module-base64");
    if (inline) {
        var text = atob(inline.textContent);
        var bytes = new Uint8Array(text.length);
        for (var i = 0; i < text.length; i++) {
            bytes[i] = text.charCodeAt(i);
        }
        mark("rebar-module-fetched");
        return {bytes: bytes, later: Promise.resolve(bytes)};
    }
    return {
        bytes: null,
        later: fetch("rebar-weight.wasm").then(function (response) {
            if (!response.ok) {
                throw new Error("rebar-weight.wasm: " + response.status);
            }
            return response.arrayBuffer();
        }).then(function (bytes) {
            mark("rebar-module-fetched");
            return bytes;
        })
    };
}

function moduleImports(module) {
    return {env: bindingImports(), wasi_snapshot_preview1: wasiImports(module)};
}

// Compiles and instantiates the module at once, in the task that has its bytes, so that
// the start follows with no turn of the page's main thread between (each turn may wait
// behind a frame being drawn). A browser that allows this only off the main thread (an
// older Chrome, for a module over 4 KB) throws; null then.
function instantiateNow(bytes) {
    try {
        var module = new WebAssembly.Module(bytes);
        mark("rebar-module-compiled");
        var instance = new WebAssembly.Instance(module, moduleImports(module));
        mark("rebar-module-instantiated");
        return instance;
    } catch (error) {
        return null;
    }
}

function instantiateLater(bytes) {
    return WebAssembly.compile(bytes).then(function (module) {
        mark("rebar-module-compiled");
        return WebAssembly.instantiate(module, moduleImports(module));
    }).then(function (instance) {
        mark("rebar-module-instantiated");
        return instance;
    });
}

// The site keeps itself for use without the network; the one-file page needs nothing
// more than itself.
function registerServiceWorker() {
    if (document.getElementById("Module-base64") || !("serviceWorker" in navigator)
        || location.protocol === "file:") {
        return;
    }
    // At every start the worker is checked against the site's (a new build's worker
    // takes over at once, and the next start shows the new build); without the network
    // the check fails and the kept build goes on.
    navigator.serviceWorker.register("sw.js").then(function (registration) {
        return registration.update();
    })["catch"](function (error) {
        if (window.console) {
            console.warn("service worker: " + error);
        }
    });
}

function showStartFailure(error) {
    var line = document.getElementById("NoWasm");
    line.textContent = "钢筋重量计算没能启动：" + error;
    line.style.display = "block";
    form1.style.display = "none";
}

function startPage() {
    findControls();
    fitToViewport();
    chooseKeyboards();
    if (/[?&]hitareas(&|=|$)/.test(location.search)) {
        root.classList.add("show-hit-areas");
    }
    window.addEventListener("resize", fitToViewport);
    hookMessageBox();
    hookComboBox();
    hookKeys();
    hookTyping();
    mark("rebar-window-built");
    var request = moduleBytes();
    var instance = request.bytes && instantiateNow(request.bytes);
    if (instance) {
        try {
            startModule(instance);
        } catch (error) {
            showStartFailure(error);
        }
        return;
    }
    request.later.then(function (bytes) {
        return instantiateNow(bytes) || instantiateLater(bytes);
    }).then(startModule)["catch"](showStartFailure);
}

// Form_Load and the start-up focus; then the page is ready.
function startModule(instance) {
    wasm = instance.exports;
    wasm._initialize();
    hookFocusAndMouse();
    callModule("start", []);
    if (!document.hasFocus()) {
        // Opened in the background: the first focus the page gets is a way back.
        away = true;
        focusedWhenAway = document.activeElement;
    }
    mark("rebar-loaded");
    root.setAttribute("data-ready", "1");
    // The worker and its check for a new build wait for the page's load event (the
    // faces and icons in): nothing of theirs competes with the start.
    if (document.readyState === "complete") {
        setTimeout(registerServiceWorker, 0);
    } else {
        window.addEventListener("load", registerServiceWorker);
    }
}

if (typeof WebAssembly === "object") {
    startPage();
}

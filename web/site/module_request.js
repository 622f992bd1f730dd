// The module, asked for from the page's head: written inline there by the page
// generator, it runs as soon as the parser reaches it, long before the page's own
// script has come and run, and it compiles the module as its bytes arrive
// (WebAssembly.compileStreaming: off the main thread, and a browser may keep the code
// it compiled for the next start). Streaming needs the server's application/wasm;
// where the browser has no streaming, or the type is another, or streaming fails, the
// module is compiled from its bytes. The page's script takes the compiled module from
// window.rebarModule. ES3 syntax: every browser parses this, also one without
// WebAssembly, which gets the page's Chinese line instead.
(function () {
    if (typeof WebAssembly !== "object" || typeof fetch !== "function"
        || typeof Promise !== "function") {
        return;
    }
    var url = "rebar-weight.wasm";
    // Where the start-up's time goes, for the start-up bench and the browser's tools.
    function mark(name) {
        if (window.performance && typeof performance.mark === "function") {
            performance.mark(name);
        }
    }
    function fromBytes(response) {
        if (!response.ok) {
            throw new Error(url + ": " + response.status);
        }
        return response.arrayBuffer().then(function (bytes) {
            mark("rebar-module-fetched");
            return WebAssembly.compile(bytes);
        });
    }
    function streams(response) {
        var type = response.headers.get("Content-Type") || "";
        return response.ok && typeof WebAssembly.compileStreaming === "function"
            && type.split(";")[0].replace(/\s+/g, "").toLowerCase() === "application/wasm";
    }
    mark("rebar-module-requested");
    window.rebarModule = fetch(url).then(function (response) {
        if (!streams(response)) {
            return fromBytes(response);
        }
        // The headers are in; the bytes flow into the compiler as they come.
        mark("rebar-module-response");
        return WebAssembly.compileStreaming(response)["catch"](function () {
            return fetch(url).then(fromBytes);
        });
    }).then(function (module) {
        mark("rebar-module-compiled");
        return module;
    });
})();

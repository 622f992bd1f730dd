// The module's bytes, asked for from the page's head: written inline there by the page
// generator (after a preload link that has the browser ask for them as soon as it has
// read the head), this runs as soon as the parser reaches it, long before the page's own
// script has come and run. The bytes are kept in window.rebarModule: `bytes` once they
// are in, so that the page's script can compile the module and start it in one go, and
// `later`, a promise of them, for a page's script that comes first. ES3 syntax: every
// browser parses this, also one without WebAssembly, which gets the page's Chinese line
// instead.
(function () {
    if (typeof WebAssembly !== "object" || typeof fetch !== "function"
        || typeof Promise !== "function") {
        return;
    }
    // Where the start-up's time goes, for the start-up bench and the browser's tools.
    function mark(name) {
        if (window.performance && typeof performance.mark === "function") {
            performance.mark(name);
        }
    }
    var request = {bytes: null, later: null};
    mark("rebar-module-requested");
    request.later = fetch("rebar-weight.wasm").then(function (response) {
        if (!response.ok) {
            throw new Error("rebar-weight.wasm: " + response.status);
        }
        return response.arrayBuffer();
    }).then(function (bytes) {
        mark("rebar-module-fetched");
        request.bytes = bytes;
        return bytes;
    });
    window.rebarModule = request;
})();

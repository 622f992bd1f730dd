// Runs a WASI program (wasm32-wasi) under Node.js's own WASI, with one folder it may
// read, and ends with the program's exit code. Node.js 20 wants the WASI version named;
// Node.js 18 (Debian 12's) may not know the option, and is then asked without it.
//   node run_wasi.mjs <folder> <program.wasm> [arguments...]
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const [folder, program, ...args] = process.argv.slice(2);
const options = {
    args: [program, ...args],
    env: {},
    preopens: { [folder]: folder },
    returnOnExit: true,
};
let wasi;
try {
    wasi = new WASI({ version: 'preview1', ...options });
} catch (error) {
    wasi = new WASI(options);
}
const module = await WebAssembly.compile(readFileSync(program));
const instance = await WebAssembly.instantiate(module, {
    wasi_snapshot_preview1: wasi.wasiImport,
});
process.exitCode = wasi.start(instance);

// Runs a WASI program (wasm32-wasi) under Node.js's own WASI, with one folder it may
// read, and ends with the program's exit code.
//   node run_wasi.mjs <folder> <program.wasm> [arguments...]
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const [folder, program, ...args] = process.argv.slice(2);
const wasi = new WASI({
    version: 'preview1',
    args: [program, ...args],
    env: {},
    preopens: { [folder]: folder },
    returnOnExit: true,
});
const module = await WebAssembly.compile(readFileSync(program));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
process.exitCode = wasi.start(instance);

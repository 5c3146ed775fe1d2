// Runs a WASI command (a .wasm with _start) in Node's built-in node:wasi, with
// the arguments after it, its output on Node's and its exit code as Node's.
//
//   node run_wasi.mjs MODULE.wasm [ARGUMENTS...]
import { readFile } from 'node:fs/promises';
import { argv, env, exit } from 'node:process';
import { WASI } from 'node:wasi';

const wasi = new WASI({ version: 'preview1', args: argv.slice(2), env, returnOnExit: true });
const module = await WebAssembly.compile(await readFile(argv[2]));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
exit(wasi.start(instance));

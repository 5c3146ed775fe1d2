// Loads tandrel-core.wasm, the calculator's core, and asks its JSON door: a
// request object in, the answer object out (docs/json.md). The module is a
// WASI reactor; the shim gives it the few WASI calls it imports, with its
// standard output and error going to the console.
import { ConsoleStdout, File, OpenFile, WASI } from './vendor/browser_wasi_shim/index.js';

export async function loadCore(url = 'tandrel-core.wasm') {
  const response = await fetch(url);
  if (!response.ok) {
    throw new Error(`${url}: ${response.status} ${response.statusText}`);
  }
  const wasi = new WASI([], [], [
    new OpenFile(new File([])),
    ConsoleStdout.lineBuffered((line) => console.log(line)),
    ConsoleStdout.lineBuffered((line) => console.warn(line)),
  ]);
  // From the bytes rather than streamed: a static host may not serve .wasm as application/wasm.
  const { instance } = await WebAssembly.instantiate(await response.arrayBuffer(), {
    wasi_snapshot_preview1: wasi.wasiImport,
  });
  wasi.initialize(instance);
  const core = instance.exports;
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();

  // The request's bytes handed over, the answer's read back (4 bytes of its length, then its UTF-8), both freed.
  return function ask(request) {
    const bytes = encoder.encode(JSON.stringify(request));
    const at = core.alloc(bytes.length);
    new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
    const answerAt = core.door(at, bytes.length);
    core.free(at);
    if (answerAt === 0) {
      throw new Error('the calculator ran out of memory');
    }
    const length = new DataView(core.memory.buffer).getUint32(answerAt, true);
    const answer = decoder.decode(new Uint8Array(core.memory.buffer, answerAt + 4, length));
    core.free(answerAt);
    return JSON.parse(answer);
  };
}

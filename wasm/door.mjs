// Loads tandrel-core.wasm in Node's node:wasi and asks its door the request
// read from standard input; prints the answer. With RUNS, asks it RUNS times
// and prints the median time instead.
//
//   node door.mjs tandrel-core.wasm [RUNS] < request.json
import { readFile } from 'node:fs/promises';
import { argv, stdin, stdout } from 'node:process';
import { WASI } from 'node:wasi';

const wasi = new WASI({ version: 'preview1', args: [], env: {}, returnOnExit: true });
const module = await WebAssembly.compile(await readFile(argv[2]));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
wasi.initialize(instance);
const core = instance.exports;

// The request's bytes handed over, the answer's bytes read back, both freed.
function door(request) {
  const bytes = new TextEncoder().encode(request);
  const at = core.alloc(bytes.length);
  new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
  const answerAt = core.door(at, bytes.length);
  core.free(at);
  const length = new DataView(core.memory.buffer).getUint32(answerAt, true);
  const answer = new TextDecoder().decode(new Uint8Array(core.memory.buffer, answerAt + 4, length));
  core.free(answerAt);
  return answer;
}

const chunks = [];
for await (const chunk of stdin) chunks.push(chunk);
const request = Buffer.concat(chunks).toString('utf8');
const runs = Number(argv[3] ?? 0);
if (runs > 0) {
  const ms = [];
  for (let i = 0; i < runs; ++i) {
    const start = performance.now();
    door(request);
    ms.push(performance.now() - start);
  }
  ms.sort((a, b) => a - b);
  stdout.write(`median ${ms[Math.floor(runs / 2)].toFixed(2)} ms of ${runs} runs\n`);
} else {
  stdout.write(door(request));
}

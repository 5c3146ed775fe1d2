// Serves a folder on a free port of 127.0.0.1 with python3 -m http.server, as
// scripts/web.sh does, for a browser test or benchmark; kill() ends it.
import { spawn } from 'node:child_process';

export async function serve(folder) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder], {
    stdio: ['ignore', 'pipe', 'ignore'],
  });
  const port = await new Promise((resolve, reject) => {
    server.stdout.on('data', (data) => {
      const found = /port (\d+)/.exec(String(data));
      if (found) resolve(found[1]);
    });
    server.on('exit', () => reject(new Error('the server ended before it served')));
  });
  return { server, url: `http://127.0.0.1:${port}/` };
}

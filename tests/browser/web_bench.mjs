// Times the web page in Chromium (not a test: it prints what it measures).
//  - The first load on localhost, in a fresh profile: from the navigation to
//    the page's mark that it is usable, median of 5; and the bytes of the page
//    and of the wasm module gzipped, as a host that compresses sends them.
//  - A key typed into "Thread or ratio" to the trains on screen (the frame
//    after the list is made), with the CPU slowed fourfold as a modest phone
//    would run it, and at full speed: the four-gear every-train search on the
//    150-gear set.
//  - The search alone, asked of the door in the page against the native door
//    (door_answer) on the same targets: their ratio.
//
//   TANDREL_SITE=build/web node tests/browser/web_bench.mjs [DOOR_ANSWER]
import { execFileSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

const root = new URL('../../', import.meta.url).pathname;
const site = process.env.TANDREL_SITE ?? join(root, 'build/web');
const doorAnswer = process.argv[2] ?? join(root, 'build/native/tests/wasm/door_answer');
const targets = ['0.3937', '0.5', '1.25', '1.5875', '2.54'];
const search = (ratio) => ({ lathe: { gears: '16-165' }, ratio, search: 'every' });

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const p90 = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length * 0.9)];
const ms = (value) => `${value.toFixed(1)} ms`;

function files(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? files(path) : [path];
  });
}

const { server, url } = await serve(site);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });

try {
  // The bytes a first visit fetches: every file but the service worker's copies, which it fetches once more.
  let page = 0;
  let wasm = 0;
  for (const path of files(site)) {
    const gzipped = gzipSync(readFileSync(path), { level: 9 }).length;
    if (path.endsWith('.wasm')) wasm += gzipped;
    else if (!path.includes('/icons/') || path.endsWith('icon-192.png')) page += gzipped;
  }
  console.log(`gzipped: the page ${(page / 1024).toFixed(0)} KiB, tandrel-core.wasm ${(wasm / 1024).toFixed(0)} KiB`);

  const loads = [];
  for (let i = 0; i < 5; ++i) {
    const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true });
    const tab = await context.newPage();
    await tab.goto(url);
    await tab.waitForSelector('html[data-ready]');
    loads.push(await tab.evaluate(() => performance.getEntriesByName('tandrel-ready')[0].startTime));
    await context.close();
  }
  const each = loads.map((t) => t.toFixed(0)).join(', ');
  console.log(`first load to a usable page: median ${ms(median(loads))} (${each})`);

  // Keys, with the CPU slowed fourfold and at full speed.
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
  const tab = await context.newPage();
  await tab.goto(url);
  await tab.waitForSelector('html[data-ready]');
  await tab.getByLabel('Gears', { exact: true }).fill('16-165');
  await tab.getByRole('checkbox', { name: 'Every train' }).check();
  const cdp = await context.newCDPSession(tab);
  await tab.evaluate(() => {
    window.keyTimes = [];
    // The page handles the key's input event in the same task as the keydown. A frame callback asked for
    // at the keydown runs first in the next frame, and its task right after that frame, before the work
    // the page leaves for after it (the rest of the list, the drawing).
    document.getElementById('target').addEventListener(
      'keydown',
      () => {
        const start = performance.now();
        requestAnimationFrame(() =>
          setTimeout(() => {
            const trains = document.querySelectorAll('#trains li').length;
            window.keyTimes.push({ ms: performance.now() - start, trains });
          }, 0),
        );
      },
      true,
    );
  });
  for (const rate of [4, 1]) {
    await cdp.send('Emulation.setCPUThrottlingRate', { rate });
    await tab.evaluate(() => (window.keyTimes = []));
    for (const target of targets) {
      await tab.getByLabel('Thread or ratio').fill('');
      // Keys a quarter of a second apart, as a quick typist's: each one's work done before the next.
      await tab.getByLabel('Thread or ratio').pressSequentially(target, { delay: 250 });
      await tab.waitForTimeout(300);
    }
    const keys = (await tab.evaluate(() => window.keyTimes)).filter((key) => key.trains > 0).map((key) => key.ms);
    const cpu = rate === 1 ? 'at full speed' : `slowed ${rate}x`;
    console.log(
      `a key to the trains on screen, CPU ${cpu}, every train, 16-165: median ${ms(median(keys))}, ` +
        `90th percentile ${ms(p90(keys))}, of ${keys.length} keys that listed trains`,
    );
  }

  // The search alone: the page's door against the native one.
  const inPage = await tab.evaluate(async (requests) => {
    const { loadCore } = await import('./core.js');
    const ask = await loadCore();
    return requests.map((request) => {
      const times = [];
      for (let i = 0; i < 50; ++i) {
        const start = performance.now();
        ask(request);
        times.push(performance.now() - start);
      }
      return times.sort((a, b) => a - b)[25];
    });
  }, targets.map(search));
  console.log('target   wasm in Chromium   native   ratio');
  targets.forEach((target, i) => {
    const timed = execFileSync(doorAnswer, ['50'], { input: JSON.stringify(search(target)), encoding: 'utf8' });
    const native = Number(/median ([\d.]+) ms/.exec(timed)[1]);
    const ratio = (inPage[i] / native).toFixed(2);
    console.log(`${target.padEnd(8)} ${ms(inPage[i]).padStart(16)} ${ms(native).padStart(8)} ${ratio.padStart(7)}`);
  });
  await context.close();
} finally {
  await browser.close();
  server.kill();
}

// The web page in headless Chromium, at a phone's size and a desktop's: its
// trains against tandrel-cli's, its chart and print, its storage, its safety
// with hostile names and files, its layout, and its use offline. Each size gets
// its own server (python3 -m http.server on build/web) and browser profile.
//
//   TANDREL_CLI=tandrel-cli TANDREL_SITE=build/web node --test tests/browser/web_test.mjs
//   (TANDREL_SCREENSHOTS=DIR saves web-phone.png and web-desktop.png there)
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

const root = new URL('../../', import.meta.url).pathname;
const cli = process.env.TANDREL_CLI ?? join(root, 'build/native/cli/tandrel-cli');
const site = process.env.TANDREL_SITE ?? join(root, 'build/web');
const lathes = join(root, 'docs/lathes');
const work = mkdtempSync(join(tmpdir(), 'tandrel-web-'));

function tool(...args) {
  return execFileSync(cli, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
}

// The trains of the tool's json report, each as its tooth counts in position
// order: the arrangement of four gears; six gears' drivers and driven gears,
// which alternate where the banjo arranged them.
function toolTrains(...args) {
  const report = JSON.parse(tool(...args, '--format', 'json'));
  return [...report.solutions, ...(report.nearest ?? [])].map((train) => ({
    gears: train.arrangement ?? train.drivers.flatMap((driver, i) => [driver, train.driven[i]]),
    leadText: train.leadText,
  }));
}

function pdfPages(pdf) {
  const path = join(work, `print-${Math.random()}.pdf`);
  writeFileSync(path, pdf);
  return Number(/^Pages:\s+(\d+)/m.exec(execFileSync('pdfinfo', [path], { encoding: 'utf8' }))[1]);
}

const sizes = {
  phone: { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 },
  desktop: { viewport: { width: 1280, height: 800 } },
};

let browser;
before(async () => {
  browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
});
after(async () => {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
});

for (const [size, options] of Object.entries(sizes)) {
  describe(`at the ${size} size`, () => {
    let served;
    let context;
    let page;
    const dialogs = [];

    before(async () => {
      served = await serve(site);
      context = await browser.newContext(options);
      page = await context.newPage();
      page.on('dialog', async (dialog) => {
        dialogs.push(dialog.message());
        await dialog.dismiss();
      });
      await page.goto(served.url);
      await page.waitForSelector('html[data-ready]');
    });
    after(async () => {
      await context?.close();
      served?.server.kill();
    });

    async function importLathe(path) {
      const chooser = page.waitForEvent('filechooser');
      await page.getByRole('button', { name: 'Import lathe' }).click();
      await (await chooser).setFiles(path);
    }

    // The Trains list's items: each one's leading tooth counts, and its whole text.
    async function pageTrains() {
      await page.locator('#trains:not([aria-busy="true"])').waitFor({ state: 'attached' });
      const texts = await page.getByRole('list', { name: 'Trains' }).getByRole('listitem').allTextContents();
      return texts.map((text) => {
        const words = text.trim().split(/\s+/);
        const count = words.findIndex((word) => !/^\d+$/.test(word));
        return { gears: words.slice(0, count).map(Number), text };
      });
    }

    async function expectTrainsOfTool(...args) {
      const expected = toolTrains(...args);
      const shown = await pageTrains();
      assert.ok(expected.length > 0);
      assert.deepEqual(
        shown.map((train) => train.gears),
        expected.map((train) => train.gears),
      );
      shown.forEach((train, i) => assert.ok(train.text.includes(`lead ${expected[i].leadText}`), train.text));
    }

    test('M6 on the imported mini lathe lists the trains tandrel-cli lists, and draws the first', async () => {
      await importLathe(join(lathes, 'mini.tandrel'));
      await page.getByLabel('Thread or ratio').fill('M6');
      await expectTrainsOfTool('--lathe', join(lathes, 'mini.tandrel'), '--pitch', 'M6');
      const drawing = page.locator('#drawing svg');
      await drawing.waitFor();
      const text = await drawing.textContent();
      for (const shaft of ['spindle', 'stud', 'leadscrew']) assert.ok(text.includes(shaft), text);
      // It fills the width of its card.
      const [svg, card] = await Promise.all([drawing.boundingBox(), page.locator('.drawing').boundingBox()]);
      assert.ok(svg.width >= card.width - 1, `${svg.width} of ${card.width}`);
    });

    test('1/2-13 UNC with six gears on the imperial lathe lists the trains tandrel-cli lists', async () => {
      await importLathe(join(lathes, 'imperial.tandrel'));
      await page.getByLabel('Thread or ratio').fill('1/2-13 UNC');
      await page.getByRole('radiogroup', { name: 'Train' }).getByRole('radio', { name: '6 gears' }).check();
      await expectTrainsOfTool('--lathe', join(lathes, 'imperial.tandrel'), '--pitch', '1/2-13 UNC', '--train', '6');
      await page.locator('#drawing svg').waitFor();
      if (process.env.TANDREL_SCREENSHOTS) {
        await page.evaluate(() => scrollTo(0, 0));
        await page.screenshot({ path: join(process.env.TANDREL_SCREENSHOTS, `web-${size}.png`) });
      }
    });

    test("a field that does not read shows the core's sentence beside it", async () => {
      const gears = page.getByLabel('Gears', { exact: true });
      await gears.fill('20-80x4');
      const beside = page.locator('.field', { has: gears }).locator('.error');
      assert.equal(await beside.textContent(), "gears '20-80x4': at most 3 of a size");
      await gears.fill('20-80/5, 127');
      assert.equal(await beside.textContent(), '');
    });

    test('the metric chart has 24 rows and prints on no more pages than the tool prints it', async (t) => {
      await importLathe(join(lathes, 'metric.tandrel'));
      await page.getByLabel('Threads').selectOption({ label: 'Metric' });
      await page.getByRole('button', { name: 'Chart', exact: true }).click();
      const chart = page.getByRole('table', { name: 'Chart' });
      assert.equal(await chart.locator('tbody tr').count(), 24);
      const printed = pdfPages(await page.pdf({ format: 'A4' }));
      const toolPage = await context.newPage();
      await toolPage.setContent(tool('chart', '--lathe', join(lathes, 'metric.tandrel'), '--metric', '--format=html'));
      const toolPrinted = pdfPages(await toolPage.pdf({ format: 'A4' }));
      await toolPage.close();
      assert.ok(printed <= toolPrinted, `the page prints on ${printed} pages, the tool's on ${toolPrinted}`);
      t.diagnostic(`printed on ${printed} pages, the tool's page on ${toolPrinted}`);
      assert.ok(printed >= 1);
    });

    test('a saved lathe is there after a reload', async () => {
      await page.getByLabel('Name').fill('Shop lathe');
      await page.getByLabel('Gears', { exact: true }).fill('20-60/5, 127');
      await page.getByRole('button', { name: 'Save lathe' }).click();
      await page.goto(served.url); // without the link's lathe: the one last shown comes back from storage
      await page.waitForSelector('html[data-ready]');
      assert.equal(await page.getByLabel('Name').inputValue(), 'Shop lathe');
      assert.equal(await page.getByLabel('Gears', { exact: true }).inputValue(), '20-60/5, 127');
      const names = await page.getByLabel('Lathe', { exact: true }).locator('option').allTextContents();
      assert.deepEqual(names, ['Mini lathe, 16 TPI', 'Imperial lathe, 8 TPI', 'Metric lathe, 3 mm', 'Shop lathe']);
    });

    test('a lathe named with markup shows as text in the picker, the chart and the link; no dialog opens', async () => {
      const hostile = '<img src=x onerror=alert(1)>';
      await page.getByLabel('Name').fill(hostile);
      await page.getByRole('button', { name: 'Save lathe' }).click();
      await page.getByLabel('Thread or ratio').fill('M8');
      await page.getByRole('button', { name: 'Chart', exact: true }).click();
      assert.ok((await page.locator('#print-chart h1').textContent()).includes(hostile));
      await page.waitForFunction(() => location.hash.includes('onerror'));
      await page.reload(); // from the link, which holds the lathe
      await page.waitForSelector('html[data-ready]');
      assert.equal(await page.getByLabel('Name').inputValue(), hostile);
      assert.equal(await page.getByLabel('Lathe', { exact: true }).locator('option:checked').textContent(), hostile);
      assert.equal(await page.locator('img[src="x"]').count(), 0);
      assert.deepEqual(dialogs, []);
    });

    test("a malformed lathe file shows the core's sentence and changes no stored lathe", async () => {
      const bad = join(work, 'bad.tandrel');
      writeFileSync(bad, 'gears = "20-80"\nfixed = 1,5\n');
      const stored = () => page.evaluate(() => localStorage.getItem('tandrel.lathes'));
      const before = await stored();
      await importLathe(bad);
      let refusal = '';
      try {
        tool('--lathe', bad, '1');
      } catch (error) {
        refusal = /', (line .*) \(see/.exec(error.stderr)[1];
      }
      await page.getByRole('alert').filter({ hasText: 'line 2' }).waitFor();
      assert.ok((await page.locator('#import-error').textContent()).endsWith(refusal), refusal);
      assert.equal(await stored(), before);
    });

    test('the layout: no sideways scroll, touch targets, labels, columns, dark and light', async () => {
      await page.getByLabel('Thread or ratio').fill('M8');
      await page.getByRole('button', { name: 'Chart', exact: true }).click();
      const widths = size === 'phone' ? [360, 390, 414] : [1280];
      for (const width of widths) {
        await page.setViewportSize({ width, height: options.viewport.height });
        const [scrollWidth, innerWidth] = await page.evaluate(() => [
          document.scrollingElement.scrollWidth,
          window.innerWidth,
        ]);
        assert.ok(scrollWidth <= innerWidth, `at ${width} px the page is ${scrollWidth} px wide`);
      }
      // Every control visible is at least 44 px tall, and labelled by a visible text.
      const faults = await page.evaluate(() => {
        const found = [];
        for (const control of document.querySelectorAll('.app :is(button, input, select, summary)')) {
          if (control.type === 'file' || !control.checkVisibility()) continue;
          const target = control.matches('[type="radio"], [type="checkbox"]') ? control.closest('label') : control;
          if (target.getBoundingClientRect().height < 44) found.push(`${control.id || control.textContent} is short`);
          const label = ['BUTTON', 'SUMMARY'].includes(control.tagName) ? control : control.labels?.[0];
          if (!label?.checkVisibility() || !label.textContent.trim()) found.push(`${control.id} has no visible label`);
        }
        return found;
      });
      assert.deepEqual(faults, []);
      const columns = await page
        .locator('main > .column')
        .evaluateAll((all) => all.map((column) => column.getBoundingClientRect().left));
      assert.equal(new Set(columns).size, size === 'desktop' ? 2 : 1, `columns at ${columns}`);
      // Light text on a dark page in the dark, and the other way round in the light.
      const luminance = async (scheme) => {
        await page.emulateMedia({ colorScheme: scheme });
        return page.evaluate(() => {
          const light = (color) => color.match(/\d+/g).slice(0, 3).reduce((sum, c) => sum + Number(c), 0) / 765;
          const style = getComputedStyle(document.body);
          return { ink: light(style.color), paper: light(style.backgroundColor) };
        });
      };
      const dark = await luminance('dark');
      const light = await luminance('light');
      assert.ok(dark.ink - dark.paper > 0.6 && light.paper - light.ink > 0.6, JSON.stringify({ dark, light }));
    });

    test('with the server stopped, a reload still works', async () => {
      await page.evaluate(() => navigator.serviceWorker.ready);
      served.server.kill();
      await new Promise((resolve) => served.server.on('exit', resolve));
      await page.reload();
      await page.waitForSelector('html[data-ready]');
      await page.getByLabel('Thread or ratio').fill('M6');
      assert.ok((await pageTrains()).length > 0);
    });
  });
}

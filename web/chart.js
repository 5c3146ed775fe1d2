// The thread chart: its table as the chart window lists it, the gears to buy
// next, the printable page the browser's print prints, and its downloads. All
// of it is the core's: the rows' texts, the page and the CSV.
import { $, element } from './dom.js';
import { download } from './download.js';

function showTable(table) {
  const shown = document.createElement('table');
  shown.setAttribute('aria-label', 'Chart');
  const head = shown.createTHead().insertRow();
  for (const header of table.headers) {
    const cell = element('th', header);
    cell.scope = 'col';
    head.append(cell);
  }
  const body = shown.createTBody();
  for (const row of table.rows) {
    const line = body.insertRow();
    if (!row.within) line.className = 'outside';
    row.cells.forEach((text, i) => {
      const cell = element(i === 0 ? 'th' : 'td', text);
      if (i === 0) cell.scope = 'row';
      line.append(cell);
    });
  }
  $('chart-scroll').replaceChildren(shown);
  $('chart-summary').textContent = table.summary;
  const advice = $('chart-advice');
  advice.replaceChildren();
  if (table.suggestions) {
    // The chart's score first, to weigh each gear's against, as the tool prints them.
    const { heading, rule, gears } = table.suggestions;
    advice.append(element('p', table.score, 'line'), element('h3', heading));
    if (gears.length > 0) {
      const list = document.createElement('ul');
      list.className = 'advice';
      for (const gear of gears) {
        const item = element('li', '');
        const effect = element('span', gear.effect, 'effect');
        item.append(element('strong', `${gear.tooth} teeth`), `: ${gear.score}`, effect);
        list.append(item);
      }
      advice.append(list, element('p', rule, 'note'));
    }
  }
}

// The printable page goes into the document for the browser's print: its
// style applies to print only, and the screen never shows it.
function keepForPrint(html) {
  const page = new DOMParser().parseFromString(html, 'text/html');
  const style = page.head.querySelector('style');
  style.media = 'print';
  const body = [...page.body.childNodes].map((node) => document.adoptNode(node));
  $('print-chart').replaceChildren(document.adoptNode(style), ...body);
  document.body.classList.add('chart-printable');
}

function today() {
  const now = new Date();
  const two = (n) => String(n).padStart(2, '0');
  return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
}

let last = null; // the request of the chart shown, for its downloads

// Makes the chart the request asks for; returns the core's refusal, if any.
export function makeChart(ask, request) {
  const table = ask({ ...request, format: 'table' });
  if (table.error) {
    return table;
  }
  const { html } = ask({ ...request, format: 'html', date: today() });
  showTable(table);
  keepForPrint(html);
  last = { request, html };
  for (const id of ['chart-print', 'chart-html', 'chart-csv']) $(id).disabled = false;
  return null;
}

export function chartShown() {
  return last !== null;
}

export function clearChart() {
  last = null;
  $('chart-scroll').replaceChildren();
  $('chart-advice').replaceChildren();
  $('chart-summary').textContent = '';
  $('print-chart').replaceChildren();
  document.body.classList.remove('chart-printable');
  for (const id of ['chart-print', 'chart-html', 'chart-csv']) $(id).disabled = true;
}

export function wireChartDownloads(ask, fileBase) {
  $('chart-print').addEventListener('click', () => window.print());
  $('chart-html').addEventListener('click', () => download(`${fileBase()} chart.html`, 'text/html', last.html));
  $('chart-csv').addEventListener('click', () => {
    const { csv } = ask({ ...last.request, format: 'csv' });
    download(`${fileBase()} chart.csv`, 'text/csv', csv);
  });
}

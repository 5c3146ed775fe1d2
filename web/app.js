// The page: gathers what is asked, asks the core (core.js) and shows its
// answer. Every text shown from a lathe, a file or the link goes in as text;
// the only markup put in is the core's own drawing and printable chart, whose
// writer escapes every text in them.
import { chartShown, clearChart, makeChart, wireChartDownloads } from './chart.js';
import { loadCore } from './core.js';
import { $, element } from './dom.js';
import { download } from './download.js';
import { latheKeys, numberOrText, showLathe } from './lathe_form.js';
import { removeLathe, setShownLatheName, shownLatheName, storedLathes, storeLathe } from './lathes.js';
import { readFragment, writeFragment } from './share.js';

const TRAINS = ['2', '4', '6', 'any'];
const DEFAULT_LATHE = { gears: '20-99' }; // the window's gear set at its first start

let ask = null; // the core's door, once loaded
let shownName = ''; // the stored lathe in the fields, '' for one not stored
let chosen = 0; // the train drawn, by its place in the list
let afterFrameDue = 0; // the latest work asked for after a frame; an older one is dropped
let sharedLathe = { keys: '', text: '' }; // the lathe in the link: its keys as JSON, its file's text

// --- The core's refusals, beside the field they name.

const IMPORT_ERROR = 'import-error';

// The sentences of the search and the lathe; the chart's and an import's stay until they are made again.
function clearProblems() {
  for (const place of document.querySelectorAll('.error[data-field]')) {
    if (place.id !== IMPORT_ERROR && !place.closest('#chart-card')) place.textContent = '';
  }
}

// The place of a field's sentence: its own, or its nearest enclosing field's ("lathe.fit.margin" → "lathe.fit").
function problemPlace(field) {
  const places = [...document.querySelectorAll('.error[data-field]')];
  for (let name = field ?? ''; name; name = name.includes('.') ? name.slice(0, name.lastIndexOf('.')) : '') {
    const place = places.find((p) => p.id !== IMPORT_ERROR && p.dataset.field.split(' ').includes(name));
    if (place) return place;
  }
  return null;
}

function showProblem(answer, fallback) {
  const place = problemPlace(answer.field) ?? fallback;
  place.textContent = answer.error;
  return place;
}

// --- What is asked: the thread or ratio, its starts, the kind of train.

function trainKind() {
  return document.querySelector('input[name="train"]:checked').value;
}

function searchRequest() {
  const target = $('target').value.trim();
  if (!target) return null;
  const request = { lathe: latheKeys(), train: trainKind() };
  // Digits with a decimal point or comma are a ratio; anything else is a thread, as the thread dialog reads it.
  if (/^[\d.,]+$/.test(target)) {
    request.ratio = target;
  } else {
    request.pitch = target;
  }
  const starts = $('starts').value.trim();
  if (starts !== '' && starts !== '1') request.starts = numberOrText(starts);
  if ($('every').checked) request.search = 'every';
  return request;
}

// --- The trains and the drawing.

function trainItem(train, index, thread) {
  const item = document.createElement('li');
  const parts = [element('span', train.gears.join(' '), 'gears')];
  if (train.settingText) parts.unshift(element('span', train.settingText, 'setting'));
  if (thread) {
    parts.push(element('span', `lead ${train.leadText}`), element('span', train.leadErrorText));
  } else {
    parts.push(element('span', train.achievedRatio), element('span', `error ${train.errorText}`));
  }
  if (train.dial) parts.push(element('span', `dial: ${train.dial.text}`));
  if (train.verdict) parts.push(element('span', train.verdict, 'verdict'));
  const spaced = parts.flatMap((part, i) => (i === 0 ? [part] : [' ', part]));
  if (index === null) {
    item.className = 'nearest';
    item.append(...spaced);
    return item;
  }
  const button = document.createElement('button');
  button.type = 'button';
  button.setAttribute('aria-pressed', String(index === chosen));
  button.append(...spaced);
  button.addEventListener('click', () => choose(index));
  item.append(button);
  return item;
}

// The trains a screen shows at once go on it at the key; the rest follow
// after the frame (showRest), and the list is busy until they have.
const FIRST_SHOWN = 12;
let unlisted = []; // the trains still to list: [train, place or null for a nearest one, thread]

function listTrains(trains) {
  $('trains').append(...trains.map((args) => trainItem(...args)));
}

function showReport(report) {
  $('thread-line').textContent = report.thread ? report.thread.text : '';
  $('outcome').textContent = report.outcomeText ?? '';
  const trains = report.solutions.map((train, i) => [train, i, report.thread]);
  for (const train of report.nearest ?? []) trains.push([train, null, report.thread]);
  $('trains').replaceChildren();
  listTrains(trains.slice(0, FIRST_SHOWN));
  unlisted = trains.slice(FIRST_SHOWN);
  $('trains').setAttribute('aria-busy', String(unlisted.length > 0));
  $('better').textContent = report.betterKind ? `Another kind: ${report.betterKind.text}` : '';
}

function showRest() {
  listTrains(unlisted);
  unlisted = [];
  $('trains').setAttribute('aria-busy', 'false');
}

let lastSearch = null; // the request and report shown

// Runs the work after the next frame, once the trains are on screen: the
// drawing and the link never hold up the list. Work asked for again before it
// ran is done once.
function afterFrame(work) {
  const due = ++afterFrameDue;
  requestAnimationFrame(() =>
    setTimeout(() => {
      if (due === afterFrameDue) work();
    }, 0),
  );
}

function draw() {
  const { request, report } = lastSearch ?? {};
  const train = report?.solutions[chosen];
  if (!train) {
    $('drawing').replaceChildren();
    $('drawing-caption').textContent = 'Type a thread or a ratio, and the chosen train is drawn here.';
    return;
  }
  const answer = ask({ ...request, op: 'drawing', index: chosen });
  if (answer.error) {
    $('drawing').replaceChildren();
    $('drawing-caption').textContent = answer.error;
    return;
  }
  $('drawing').innerHTML = answer.svg; // the core's own SVG: its writer escapes every text
  $('drawing-caption').textContent = `Train ${chosen + 1}: ${train.gears.join(' ')}`;
}

// After a change, once the first trains are on screen: the rest of them, the drawing and the link.
function settle() {
  afterFrame(() => {
    showRest();
    shareState();
    draw();
  });
}

function choose(index) {
  chosen = index;
  for (const [i, button] of [...$('trains').querySelectorAll('button')].entries()) {
    button.setAttribute('aria-pressed', String(i === index));
  }
  settle();
}

function clearResults() {
  $('thread-line').textContent = '';
  $('outcome').textContent = '';
  $('better').textContent = '';
  $('trains').replaceChildren();
  unlisted = [];
}

function recalculate() {
  if (!ask) return;
  clearProblems();
  const request = searchRequest();
  chosen = 0;
  lastSearch = null;
  if (!request) {
    clearResults();
  } else {
    const report = ask(request);
    if (report.error) {
      clearResults();
      const place = showProblem(report, $('outcome'));
      if (![$('outcome'), $('target-error'), $('starts-error')].includes(place)) {
        $('outcome').textContent = report.error; // said by the results too, where a phone user looks
      }
    } else {
      lastSearch = { request, report };
      showReport(report);
    }
  }
  settle();
}

// --- The share link: the fragment follows every change.

function shareState() {
  const keys = JSON.stringify(latheKeys());
  if (keys !== sharedLathe.keys) {
    const written = ask({ op: 'writeLathe', lathe: JSON.parse(keys) });
    if (!written.error) sharedLathe = { keys, text: written.text };
  }
  const starts = $('starts').value.trim();
  writeFragment({
    lathe: sharedLathe.text,
    target: $('target').value.trim(),
    starts: starts === '1' ? '' : starts,
    train: trainKind() === '4' ? '' : trainKind(),
    every: $('every').checked ? '1' : '',
  });
}

async function shareLink() {
  const url = location.href;
  try {
    if (navigator.share) {
      await navigator.share({ title: 'Tandrel', url });
      return;
    }
    await navigator.clipboard.writeText(url);
    $('share-status').textContent = 'The link is copied.';
  } catch {
    $('share-status').textContent = `The link: ${url}`;
  }
}

// --- The lathes: the picker, saving, import and export.

function fillPicker() {
  const options = storedLathes().map((lathe) => new Option(lathe.name, lathe.name));
  if (!shownName) options.unshift(new Option('Unsaved lathe', ''));
  $('lathe-pick').replaceChildren(...options);
  $('lathe-pick').value = shownName;
  $('delete-lathe').disabled = !shownName;
}

function latheChanged() {
  recalculate();
  refreshChart();
}

// Shows the lathe of a file's text in the fields; the core's refusal if it does not read.
function openLatheText(text, storedName) {
  const answer = ask({ op: 'readLathe', text });
  if (answer.error) return answer;
  showLathe(answer.lathe);
  shownName = storedName;
  if (storedName) setShownLatheName(storedName);
  fillPicker();
  latheChanged();
  return null;
}

function storedNamed(name) {
  return storedLathes().find((lathe) => lathe.name === name);
}

function say(text) {
  $('lathe-status').textContent = text;
}

function saveLathe() {
  clearProblems();
  const keys = latheKeys();
  if (!keys.name) {
    problemPlace('lathe.name').textContent = 'Give the lathe a name to save it under.';
    return;
  }
  const written = ask({ op: 'writeLathe', lathe: keys });
  if (written.error) {
    showProblem(written, problemPlace('lathe'));
    return;
  }
  try {
    storeLathe(keys.name, written.text);
  } catch (error) {
    say(`The browser kept nothing: ${error.message}`);
    return;
  }
  shownName = keys.name;
  setShownLatheName(shownName);
  fillPicker();
  say(`Saved “${keys.name}” in this browser.`);
}

function fileBase() {
  return latheKeys().name || 'Tandrel';
}

function exportLathe() {
  clearProblems();
  const written = ask({ op: 'writeLathe', lathe: latheKeys() });
  if (written.error) {
    showProblem(written, problemPlace('lathe'));
    return;
  }
  download(`${fileBase()}.tandrel`, 'text/plain', written.text);
}

// A lathe file read by the core: kept under its name (or the file's), a new
// name where a different lathe already has it; a file that does not read
// changes nothing and says why.
async function importLathe(file) {
  $(IMPORT_ERROR).textContent = '';
  // At most 1 MB read: the core refuses anything near that as a lathe file.
  const text = await file.slice(0, 1024 * 1024).text();
  const answer = ask({ op: 'readLathe', text });
  if (answer.error) {
    $(IMPORT_ERROR).textContent = `${file.name}: ${answer.error}`;
    return;
  }
  const keys = answer.lathe;
  const base = keys.name || file.name.replace(/\.tandrel$/i, '') || 'Imported lathe';
  const written = (name) => ask({ op: 'writeLathe', lathe: { ...keys, name } }).text;
  let name = base;
  for (let n = 2; storedNamed(name) && storedNamed(name).text !== written(name); ++n) name = `${base} (${n})`;
  try {
    storeLathe(name, written(name));
  } catch (error) {
    say(`The browser kept nothing: ${error.message}`);
    return;
  }
  openLatheText(written(name), name);
  say(`Imported “${name}” and saved it in this browser.`);
}

function deleteLathe() {
  if (!shownName || !confirm(`Delete the lathe “${shownName}” from this browser?`)) return;
  removeLathe(shownName);
  say(`Deleted “${shownName}”; its settings stay in the fields until you choose another.`);
  shownName = '';
  fillPicker();
}

// --- The chart.

function chartRequest() {
  const request = { op: 'chart', lathe: latheKeys(), train: trainKind() };
  if ($('chart-pitches').value) request.pitches = $('chart-pitches').value;
  const suggest = $('chart-suggest').value.trim();
  if (suggest !== '' && suggest !== '0') request.suggest = numberOrText(suggest);
  return request;
}

function showChart() {
  for (const place of document.querySelectorAll('.error[data-field="pitches"], .error[data-field="suggest"]')) {
    place.textContent = '';
  }
  $('chart-error').textContent = '';
  const problem = makeChart(ask, chartRequest());
  if (problem) {
    clearChart();
    if (!showProblem(problem, $('chart-error')).closest('#chart-card')) {
      $('chart-error').textContent = problem.error; // a lathe's field, said by the chart too
    }
  }
}

function refreshChart() {
  if (chartShown()) showChart();
}

// --- Start.

function wire() {
  for (const id of ['target', 'starts']) $(id).addEventListener('input', recalculate);
  for (const input of document.querySelectorAll('input[name="train"], #every')) {
    input.addEventListener('change', latheChanged);
  }
  for (const input of document.querySelectorAll('input[id^="lathe-"], #banjo input')) {
    input.addEventListener(input.type === 'checkbox' ? 'change' : 'input', latheChanged);
  }
  $('lathe-pick').addEventListener('change', () => {
    const lathe = storedNamed($('lathe-pick').value);
    if (lathe) openLatheText(lathe.text, lathe.name);
  });
  $('save-lathe').addEventListener('click', saveLathe);
  $('export-lathe').addEventListener('click', exportLathe);
  $('import-lathe').addEventListener('click', () => $('import-file').click());
  $('import-file').addEventListener('change', async (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    if (file) await importLathe(file);
  });
  $('delete-lathe').addEventListener('click', deleteLathe);
  $('share').addEventListener('click', shareLink);
  $('chart').addEventListener('click', showChart);
  for (const id of ['chart-pitches', 'chart-suggest']) $(id).addEventListener('change', refreshChart);
  wireChartDownloads(ask, fileBase);
}

// The link's lathe and question first; otherwise the lathe last shown.
function restore() {
  const shared = readFragment();
  const stored = storedLathes();
  if (shared.lathe !== undefined) {
    const same = stored.find((lathe) => lathe.text === shared.lathe);
    const problem = openLatheText(shared.lathe, same ? same.name : '');
    if (problem) {
      showLathe(DEFAULT_LATHE);
      fillPicker();
      $(IMPORT_ERROR).textContent = `The link's lathe: ${problem.error}`;
    }
  } else {
    const lathe = storedNamed(shownLatheName()) ?? stored[0];
    if (!lathe || openLatheText(lathe.text, lathe.name)) {
      showLathe(DEFAULT_LATHE);
      fillPicker();
    }
  }
  $('target').value = shared.target ?? '';
  $('starts').value = shared.starts ?? '1';
  const train = TRAINS.includes(shared.train) ? shared.train : '4';
  document.querySelector(`input[name="train"][value="${train}"]`).checked = true;
  $('every').checked = shared.every === '1';
}

async function start() {
  try {
    ask = await loadCore();
  } catch (error) {
    $('loading').textContent = `The calculator did not load: ${error.message}`;
    return;
  }
  wire();
  restore();
  recalculate();
  $('loading').hidden = true;
  document.documentElement.dataset.ready = 'true';
  performance.mark('tandrel-ready'); // the page is usable: its benchmark times the first load to here
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch((error) => console.warn('offline use is off:', error));
  }
}

start();

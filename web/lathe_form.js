// The lathe's fields: a lathe's keys (as its file holds them, docs/json.md)
// shown in the fields, and the keys the fields give. Keys the fields do not
// show, such as the threading dial and the chart's list, are kept as they came.
import { $ } from './dom.js';

const FIELD_KEYS = new Set(['name', 'gears', 'leadscrew', 'fixed', 'fit', 'banjo']);
const banjoInputs = () => [...document.querySelectorAll('#banjo input[data-key]')];

let kept = {};

// Plain decimal digits go to the core as a number; anything else as the text
// typed, which the core refuses in its own words.
export function numberOrText(text) {
  const trimmed = text.trim();
  return /^(\d+\.?\d*|\.\d+)$/.test(trimmed) ? Number(trimmed) : trimmed;
}

export function showLathe(keys) {
  kept = Object.fromEntries(Object.entries(keys).filter(([key]) => !FIELD_KEYS.has(key)));
  $('lathe-name').value = keys.name ?? '';
  $('lathe-gears').value = keys.gears ?? '';
  $('lathe-leadscrew').value = keys.leadscrew ?? '';
  $('lathe-fixed').value = String(keys.fixed ?? 1);
  $('lathe-fit').checked = keys.fit !== undefined;
  $('lathe-margin').value = String(keys.fit?.margin ?? 15);
  const banjo = keys.banjo ?? {};
  for (const input of banjoInputs()) {
    const key = input.dataset.key;
    const value = banjo[key] ?? (key === 'centre_distance' ? banjo.center_distance : undefined);
    input.value = value === undefined ? '' : String(value);
  }
  $('banjo').open = keys.banjo !== undefined;
}

// The keys the fields give, with those kept; an empty field leaves its key out.
export function latheKeys() {
  const keys = { ...kept };
  const text = (id) => $(id).value.trim();
  if (text('lathe-name')) keys.name = text('lathe-name');
  keys.gears = text('lathe-gears');
  if (text('lathe-leadscrew')) keys.leadscrew = text('lathe-leadscrew');
  if (text('lathe-fixed')) keys.fixed = numberOrText(text('lathe-fixed'));
  if ($('lathe-fit').checked) keys.fit = { margin: numberOrText(text('lathe-margin')) };
  const banjo = {};
  for (const input of banjoInputs()) {
    if (input.value.trim()) banjo[input.dataset.key] = numberOrText(input.value);
  }
  if (Object.keys(banjo).length > 0) keys.banjo = banjo;
  return keys;
}

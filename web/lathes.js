// The lathes kept in the browser's storage: each as its lathe file's text, as
// the core writes it, under the lathe's name; and which one was last shown.
const LATHES = 'tandrel.lathes';
const SHOWN = 'tandrel.shown';

// [{name, text}], in the order they were first saved.
export function storedLathes() {
  try {
    const list = JSON.parse(localStorage.getItem(LATHES) ?? '[]');
    if (Array.isArray(list)) {
      return list.filter((lathe) => typeof lathe?.name === 'string' && typeof lathe?.text === 'string');
    }
  } catch {
    // Not ours to read; keepLathes sets it aside rather than writing over it.
  }
  return [];
}

function keepLathes(list) {
  const before = localStorage.getItem(LATHES);
  if (before !== null && storedLathes().length === 0 && before !== '[]') {
    localStorage.setItem(`${LATHES}.unreadable`, before);
  }
  localStorage.setItem(LATHES, JSON.stringify(list));
}

// Keeps the lathe under its name, in place of one of the same name.
export function storeLathe(name, text) {
  const list = storedLathes();
  const at = list.findIndex((lathe) => lathe.name === name);
  if (at >= 0) {
    list[at] = { name, text };
  } else {
    list.push({ name, text });
  }
  keepLathes(list);
}

export function removeLathe(name) {
  keepLathes(storedLathes().filter((lathe) => lathe.name !== name));
}

export function shownLatheName() {
  return localStorage.getItem(SHOWN) ?? '';
}

export function setShownLatheName(name) {
  localStorage.setItem(SHOWN, name);
}

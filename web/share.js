// The share link: the lathe (its file's text) and what is asked of it live in
// the URL's fragment, so that a link opens the same answer elsewhere. Every
// value read back is text, for the core to read and the page to show as text.
const KEYS = ['lathe', 'target', 'starts', 'train', 'every'];

// {lathe, target, starts, train, every}: the texts the fragment holds, absent ones left out.
export function readFragment(hash = location.hash) {
  const params = new URLSearchParams(hash.replace(/^#/, ''));
  const shared = {};
  for (const key of KEYS) {
    if (params.has(key)) {
      shared[key] = params.get(key);
    }
  }
  return shared;
}

// Puts them into the address without a new history entry.
export function writeFragment(shared) {
  const params = new URLSearchParams();
  for (const key of KEYS) {
    if (shared[key] !== undefined && shared[key] !== '') {
      params.set(key, shared[key]);
    }
  }
  history.replaceState(null, '', `#${params}`);
}

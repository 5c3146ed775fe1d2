// The page's elements: one by its id, and a new one holding a text (as text).
export const $ = (id) => document.getElementById(id);

export function element(tag, text, className) {
  const made = document.createElement(tag);
  made.textContent = text;
  if (className) made.className = className;
  return made;
}

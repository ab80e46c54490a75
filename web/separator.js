// The separator the browser's language writes between whole and fraction digits. A language
// that is no valid tag ("C" from a bare LANG, "bg_BG.UTF-8") or none at all gets the period,
// which every reader of numbers knows; the page must start whatever the browser reports.
export function decimalSeparator(language) {
  if (typeof language !== 'string') {
    return '.';
  }
  try {
    const parts = new Intl.NumberFormat(language).formatToParts(1.5);
    return parts.find((part) => part.type === 'decimal')?.value ?? '.';
  } catch {
    return '.';
  }
}

// The browser's own, worked out as this module is evaluated. The page loads it by itself, ahead of
// main.js, because a phone takes some 80 ms over a page's first number format: that falls while
// the other modules are still on their way, and main.js, which imports it too, shares it.
export const separator = decimalSeparator(globalThis.navigator?.language);

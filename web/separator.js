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

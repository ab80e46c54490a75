// The decimal separator for whatever language a browser reports, valid or not.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { decimalSeparator } from '../../../web/separator.js';

const cases = [
  ['bg-BG', ','],
  ['bg', ','],
  ['en-US', '.'],
  ['de', ','],
  // No valid tag: a bare C locale, nothing, a dangling subtag, a POSIX locale name; or no language.
  ['C', '.'],
  ['', '.'],
  ['x-', '.'],
  ['bg_BG.UTF-8', '.'],
  [undefined, '.'],
  [null, '.'],
];
for (const [language, separator] of cases) {
  test(`${JSON.stringify(language)} writes ${JSON.stringify(separator)}`, () => {
    assert.equal(decimalSeparator(language), separator);
  });
}

test('a failing Intl falls back to the period', (t) => {
  t.mock.method(Intl.NumberFormat.prototype, 'formatToParts', () => {
    throw new TypeError('no number formatting here');
  });
  assert.equal(decimalSeparator('bg-BG'), '.');
});

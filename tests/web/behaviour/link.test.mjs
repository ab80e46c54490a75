// The page's address holds the problem on the screen: a link opens it again, in any language,
// and a fragment that is no such link opens the usual start and runs nothing.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { engine } from '../engines.mjs';
import {
  addressHolds, assignment, calculate, cell, cellValues, faultMessage, pageOpener, row, typeRow, until,
  useSiteAndBrowser, variant,
} from './pupil.mjs';

const shared = useSiteAndBrowser();
const open = pageOpener(shared);

const chosenVariant = (page) => page.evaluate(() => [...document.querySelectorAll('input[name="variant"]')]
  .findIndex((radio) => radio.checked));

// Вариант 3 with 30, 200, 40 and 500, as the assignment gives them.
async function typeVariant3(page) {
  await page.click(variant(2));
  await typeRow(page, 2, assignment);
}

describe('a link', () => {
  test('made before Изчисли opens the same grid without its results', async () => {
    const page = await open();
    await typeVariant3(page);
    await addressHolds(page, '1:v3:30;200;40;500');
    const other = await open('1:v3:30;200;40;500');
    assert.equal(await chosenVariant(other), 2);
    assert.deepEqual(await row(other, 2), ['30', '200', '40', '', '', '500']);
  });

  test('made after Изчисли opens the same grid with its results, calculated again', async () => {
    const page = await open();
    await typeVariant3(page);
    await page.click(calculate);
    await addressHolds(page, '1:v3:30;200;40;500=');
    const other = await open('1:v3:30;200;40;500=');
    assert.equal(await chosenVariant(other), 2);
    assert.deepEqual(await row(other, 2), assignment);
    assert.match(await other.evaluate(() => document.getElementById('cell-15').title), /^Тегло 2 = .* = 300$/);
  });

  test('made in Bulgarian, with a comma, opens in English with a period, and back', async () => {
    const page = await open('', { language: 'bg-BG' });
    await typeRow(page, 0, ['12,5', '200', '40', '300']);
    await page.click(calculate);
    assert.deepEqual(await row(page, 0), ['12,5', '200', '40', '300', '29', '500']);
    await addressHolds(page, '1:v1:12.5;200;40;300=');
    const english = await open('1:v1:12.5;200;40;300=', { language: 'en-US' });
    assert.deepEqual(await row(english, 0), ['12.5', '200', '40', '300', '29', '500']);
    await english.click(calculate);
    await addressHolds(english, '1:v1:12.5;200;40;300=');
  });

  test('holds no step of the typing: Back goes to where the pupil was before it', async () => {
    const page = await open();
    // A link pasted into the address bar is a step, as any other address.
    await page.evaluate(() => {
      location.hash = '1:v3:30;200;40;500';
    });
    await until(page, () => document.getElementById('cell-17').value === '500' || null);
    const steps = await page.evaluate(() => history.length);
    await page.fill(cell(12), '35');
    await page.click(calculate);
    await addressHolds(page, '1:v3:35;200;40;500=');
    assert.equal(await page.evaluate(() => history.length), steps);
    await page.evaluate(() => history.back());
    await addressHolds(page, '');
    await until(page, () => document.querySelector('input[name="variant"]').checked || null);
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
  });
});

describe('a fragment that is no link of the page', () => {
  const bad = [
    ['100 000 characters', `1:v3:${'9'.repeat(100000)};200;40;500`],
    ['a variant out of range', '1:v8:30;200;40;500'],
    ['broken percent-encoding', '1:v3:30%E0%A4%A;200;40;500'],
    ['markup', '1:v3:<img src=x onerror="window.blendoraRan=1">;200;40;500'],
    ['script', '<script>window.blendoraRan=1</script>'],
    ['a script address', 'javascript:window.blendoraRan=1'],
    ['a number out of range', '1:v3:1e999;200;40;500'],
    ['too many fields', '1:v3:30;200;40;500;600'],
    ['too few fields', '1:v3:30;200;40'],
    ['results that cannot be calculated', '1:v1:30;0;40;0='],
  ];
  // The content policy would stop an inline script that the page let in; with the policy lifted
  // (in Chromium, which alone can), what runs nothing is the page's own code.
  const policies = engine === 'chromium' ? [false, true] : [false];
  for (const [what, fragment] of bad) {
    for (const bypassPolicy of policies) {
      test(`(${what}) opens the usual start, with no dialog, and runs nothing${bypassPolicy ? ', with the policy lifted' : ''}`, async () => {
        const page = await open(fragment, { bypassPolicy });
        assert.equal(await chosenVariant(page), 0);
        assert.deepEqual(await cellValues(page), Array(42).fill(''));
        assert.equal(await faultMessage(page), null);
        assert.equal(await page.evaluate(() => window.blendoraRan ?? 'nothing ran'), 'nothing ran');
        assert.equal(await page.evaluate(() => location.hash), '');
        // WebDriver classic reports no console (complaints null): WebKit leaves this out.
        if (page.complaints !== null) {
          assert.deepEqual(page.complaints, []);
        }
      });
    }
  }
});

// The page on a phone: the working row alone, large enough for a finger, and the same worksheet.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  assertKeptToItsOrigin, button, cell, cellValues, openPage, openPhonePage, useSiteAndBrowser, variant,
} from './harness.mjs';

const shared = useSiteAndBrowser();

const row2 = [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес %', '36']];

async function tapThroughVariant2(page) {
  await variant(page, 2).tap();
  for (const [heading, text] of row2) {
    await cell(page, `Вариант 2, ${heading}`).tap();
    await page.keyboard.insertText(text);
  }
  await button(page, 'Изчисли').tap();
}

// The boxes a finger meets: buttons, fields, the assignment, and each variant's whole label.
const targets = (page) => page.$$eval('button, input:not([type=radio]), textarea, label.option', (elements) =>
  elements.filter((element) => element.checkVisibility()).map((element) => {
    const { width, height } = element.getBoundingClientRect();
    return { name: element.getAttribute('aria-label') ?? element.textContent, width, height };
  }));

const contrast = (page, name) => page.getByRole('textbox', { name, exact: true }).evaluate((element) => {
  const channels = (colour) => colour.match(/\d+/g).slice(0, 3).map(Number);
  const luminance = (colour) => {
    const [r, g, b] = channels(colour).map((c) => c / 255)
      .map((c) => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4));
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const style = getComputedStyle(element);
  const [text, back] = [luminance(style.webkitTextFillColor), luminance(style.backgroundColor)];
  return (Math.max(text, back) + 0.05) / (Math.min(text, back) + 0.05);
});

describe('a phone', () => {
  test('taps through Вариант 2 to 300 and 500, and says them in the live region', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await tapThroughVariant2(page);
    assert.equal(await cell(page, 'Вариант 2, Тегло 2, резултат').inputValue(), '300');
    assert.equal(await cell(page, 'Вариант 2, Смес т., резултат').inputValue(), '500');
    assert.equal(await page.getByRole('status').textContent(), 'Тегло 2 300, Смес т. 500');
    await page.context().close();
  });

  test('shows the working row\'s six fields, the four givens open the decimal keyboard', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await variant(page, 4).tap();
    const visible = await page.$$eval('input.cell', (cells) =>
      cells.filter((c) => c.checkVisibility()).map((c) => [c.getAttribute('aria-label'), c.readOnly, c.disabled, c.inputMode]));
    assert.deepEqual(visible, [
      ['Вариант 4, % - 1', false, false, 'decimal'],
      ['Вариант 4, Тегло 1', false, false, 'decimal'],
      ['Вариант 4, % - 2, резултат', true, false, 'decimal'],
      ['Вариант 4, Тегло 2', false, false, 'decimal'],
      ['Вариант 4, Смес %', false, false, 'decimal'],
      ['Вариант 4, Смес т., резултат', true, false, 'decimal'],
    ]);
    const labels = await page.$$eval('label.cell-label', (all) => all.filter((l) => l.checkVisibility()).map((l) => l.textContent));
    assert.deepEqual(labels, ['% - 1', 'Тегло 1', '% - 2', 'Тегло 2', 'Смес %', 'Смес т.']);
    assert.ok(await contrast(page, 'Вариант 4, Смес т., резултат') >= 4.5);
    await page.context().close();
  });

  test('never scrolls sideways from 320 to 503 pixels', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await tapThroughVariant2(page);
    for (const width of [320, 360, 414, 503]) {
      await page.setViewportSize({ width, height: 740 });
      const sideways = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
      assert.equal(sideways, 0, `at ${width} pixels`);
    }
    await page.context().close();
  });

  test('every control is at least 44 × 44 pixels and every text at least 16 pixels', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url, { viewport: { width: 320, height: 740 } });
    for (const target of await targets(page)) {
      assert.ok(target.width >= 44 && target.height >= 44, `${target.name}: ${target.width} × ${target.height}`);
    }
    const small = await page.evaluate(() => [...document.querySelectorAll('body *')]
      .filter((element) => element.checkVisibility() && [...element.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
      .concat([...document.querySelectorAll('input, textarea')].filter((e) => e.checkVisibility()))
      .filter((element) => parseFloat(getComputedStyle(element).fontSize) < 16)
      .map((element) => element.outerHTML.slice(0, 80)));
    assert.deepEqual(small, []);
    await page.context().close();
  });

  test('Tab runs through the visible controls from top to bottom', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await page.locator('h1').click(); // the keyboard starts from the top
    const tops = [];
    const names = [];
    for (let i = 0; i < 10; i += 1) {
      await page.keyboard.press('Tab');
      const { name, top } = await page.evaluate(() => {
        const focused = document.activeElement;
        return { name: focused.getAttribute('aria-label') ?? focused.labels?.[0]?.textContent ?? focused.textContent,
          top: focused.getBoundingClientRect().top + window.scrollY };
      });
      names.push(name);
      tops.push(top);
    }
    assert.deepEqual(names, ['Вариант 1', 'Вариант 1, % - 1', 'Вариант 1, Тегло 1', 'Вариант 1, % - 2',
      'Вариант 1, Тегло 2', 'Вариант 1, Смес %, резултат', 'Вариант 1, Смес т., резултат', 'Изчисли', 'Изчисти', 'Задание']);
    assert.deepEqual(tops, [...tops].sort((a, b) => a - b));
    await page.context().close();
  });

  test('turning the phone keeps what was typed and computed', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await tapThroughVariant2(page);
    const before = await cellValues(page);
    await page.setViewportSize({ width: 740, height: 360 });
    assert.deepEqual(await cellValues(page), before);
    assert.equal(await cell(page, 'Вариант 2, Тегло 2, резултат').isDisabled(), true);
    await page.setViewportSize({ width: 360, height: 740 });
    assert.deepEqual(await cellValues(page), before);
    assert.equal(await cell(page, 'Вариант 2, Тегло 2, резултат').isVisible(), true);
    await page.context().close();
  });

  test('choosing a variant empties the worksheet, as on the desktop', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url);
    await tapThroughVariant2(page);
    await variant(page, 3).tap();
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    await page.context().close();
  });

  test('a fault is an alert dialog that fits the screen', async () => {
    const page = await openPhonePage(shared.browser, shared.server.url, { viewport: { width: 320, height: 740 } });
    await button(page, 'Изчисли').tap();
    const dialog = page.getByRole('alertdialog');
    assert.equal(await dialog.locator('.fault-message').innerText(), 'Препълване\nДадените клетки са празни.');
    const box = await dialog.boundingBox();
    assert.ok(box.x >= 0 && box.x + box.width <= 320, JSON.stringify(box));
    await page.getByRole('button', { name: 'Добре' }).tap();
    await page.context().close();
  });
});

test('the desktop layout is left as it is at 504 pixels', async () => {
  const page = await openPage(shared.browser, shared.server.url, { viewport: { width: 504, height: 404 } });
  assert.deepEqual(await cell(page, 'Вариант 7, Смес т.').boundingBox(), { x: 432, y: 208, width: 65, height: 27 });
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth), 504);
  await page.context().close();
});

test('no request leaves the page\'s origin, and no policy is violated', () => {
  assertKeptToItsOrigin(assert, shared.server.url);
});

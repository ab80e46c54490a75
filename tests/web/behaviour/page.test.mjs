// The page on a desktop-sized screen behaves as the window does, in every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { engine } from '../engines.mjs';
import {
  assignment, boxInWindow, calculate, cell, cellValues, clear, faultMessage, focusedName, nameOf, ok,
  resultCells, row, typeRow, useSiteAndBrowser, variant,
} from './pupil.mjs';

const shared = useSiteAndBrowser();
const open = (options) => shared.browser.open(shared.server.url, options);
const opened = [];
async function openPage(options) {
  const page = await open(options);
  opened.push(page);
  return page;
}

describe('at the start', () => {
  test('shows variant 1 with its row open, the assignment focused and the caption as title', async () => {
    const page = await openPage();
    const start = await page.evaluate(() => ({
      // A browser folds the caption's two spaces into one in the title it reports.
      title: document.title.replace(/\s+/g, ' '),
      checked: [...document.querySelectorAll('input[name="variant"]')].map((radio) => radio.checked),
      cells: [...document.querySelectorAll('input.cell')].map((c) => [c.disabled, c.readOnly]),
    }));
    assert.equal(start.title, 'https://blendora.example Blendora');
    assert.deepEqual(start.checked, [true, false, false, false, false, false, false]);
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    assert.equal(await focusedName(page), 'Задание');
    start.cells.forEach(([disabled, readOnly], i) => {
      assert.equal(disabled, resultCells.includes(i), nameOf(i));
      assert.equal(!disabled && !readOnly, i < 6 && !resultCells.includes(i), nameOf(i));
    });
    await page.close();
  });

  test('places every control at its twip rectangle, 15 twips to a pixel', async () => {
    const page = await openPage();
    // Worked out by hand from the twip table, as the window test has them.
    const expected = [
      ['h1', [104, 0, 297, 25]],
      [calculate, [16, 8, 65, 25]],
      [clear, [432, 8, 65, 25]],
      ['div.label:nth-of-type(6)', [432, 40, 65, 25]],
      ['.frame', [0, 48, 113, 193]],
      ['label.option', [8, 64, 97, 27]],
      [cell(0), [112, 64, 65, 27]],
      [cell(9), [304, 88, 65, 27]],
      [cell(41), [432, 208, 65, 27]],
      ['.text-box-0', [8, 248, 489, 153]],
    ];
    for (const [selector, box] of expected) {
      assert.deepEqual(await boxInWindow(page, selector), box, selector);
    }
    const colours = await page.evaluate(() => {
      const style = (selector) => getComputedStyle(document.querySelector(selector));
      return [style('body').backgroundColor, style('h1').backgroundColor, style('input.result').backgroundColor,
        style('input.result').color, style('input.result').fontWeight, style('input.cell').fontFamily];
    });
    assert.deepEqual(colours, ['rgb(192, 192, 255)', 'rgb(255, 192, 128)', 'rgb(255, 192, 192)',
      'rgb(109, 109, 109)', '700', '"Times New Roman", "Liberation Serif", serif']);
    await page.close();
  });

  // The window starts centred on the screen; a fault's dialog opens over it.
  for (const [width, height] of [[1024, 768], [1280, 1000]]) {
    test(`centres the window at ${width} × ${height}, with the fault dialog over it`, async () => {
      const page = await openPage({ width, height });
      const [left, top] = await page.evaluate(() => {
        const { x, y } = document.getElementById('form').getBoundingClientRect();
        return [x, y];
      });
      assert.ok(Math.abs(left - (width - 504) / 2) <= 1 && Math.abs(top - (height - 404) / 2) <= 1, `${left}, ${top}`);
      await page.click(calculate);
      const dialogWithin = await page.evaluate(() => {
        const window = document.getElementById('form').getBoundingClientRect();
        const dialog = document.getElementById('fault').getBoundingClientRect();
        return dialog.left >= window.left && dialog.right <= window.right
          && dialog.top >= window.top && dialog.bottom <= window.bottom;
      });
      assert.equal(dialogWithin, true);
      await page.close();
    });
  }

  test('starts at the top edge where the viewport is shorter than the window, and scrolls', async () => {
    const page = await openPage({ width: 800, height: 300 });
    const [top, scrollHeight] = await page.evaluate(() => [
      document.getElementById('form').getBoundingClientRect().top, document.documentElement.scrollHeight]);
    assert.equal(top, 0);
    assert.ok(scrollHeight >= 404, `${scrollHeight}`);
    await page.close();
  });
});

describe('calculating', () => {
  test('each variant fills in its two unknowns from the assignment\'s data', async () => {
    const page = await openPage();
    for (let v = 0; v < 7; v += 1) {
      await page.click(variant(v));
      await typeRow(page, v, assignment);
      await page.click(calculate);
      assert.deepEqual(await row(page, v), assignment, `Вариант ${v + 1}`);
    }
    await page.close();
  });

  test('Enter in the working row calculates; a result explains itself', async () => {
    const page = await openPage();
    await typeRow(page, 0, assignment);
    await page.press('Enter');
    const after = await page.evaluate(() => ({
      title: document.getElementById('cell-4').title,
      announced: document.getElementById('announcer').textContent,
    }));
    assert.equal((await cellValues(page))[4], '36');
    assert.deepEqual(after, { title: 'Смес % = (200 × 30 + 300 × 40) / 500 = 36', announced: 'Смес % 36, Смес т. 500' });
    assert.equal(await focusedName(page), 'Вариант 1, Тегло 2');
    await page.click(clear);
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    assert.equal(await page.evaluate(() => document.getElementById('cell-4').hasAttribute('title')), false);
    await page.close();
  });

  test('Enter in a locked cell does nothing', async () => {
    const page = await openPage();
    await typeRow(page, 0, assignment);
    await page.click(cell(6));
    await page.press('Enter');
    assert.equal((await cellValues(page))[5], '');
    await page.close();
  });

  // Both decimal separators, and a given cell rewritten as it was read. A language that is no
  // valid tag, as WebKit reports under a bare C locale, writes the period.
  for (const [language, third] of [['bg-BG', '3,33333333333333'], ['en-US', '3.33333333333333'], ['C', '3.33333333333333']]) {
    test(`writes the separator of ${language}`, async () => {
      const page = await openPage({ language });
      await typeRow(page, 0, [' 1 0', '1', '0abc', '2']);
      await page.click(calculate);
      assert.deepEqual(await row(page, 0), ['10', '1', '0', '2', third, '3']);
      await page.close();
    });
  }
});

describe('faults', () => {
  const faults = [
    ['empty givens', 0, [], 'Препълване\nДадените клетки са празни.'],
    ['a zero divisor', 1, ['30', '200', '40', undefined, '40'], 'Деление на нула\n«Смес %» е равно на «% - 2».'],
    ['a number out of range', 0, ['1e999', '1', '1', '1'], 'Препълване\nЧисло извън обхвата на изчисленията.'],
  ];
  for (const [what, v, values, message] of faults) {
    test(`${what} opens an alert that names the fault; the grid stays as it was`, async () => {
      const page = await openPage();
      await page.click(variant(v));
      await typeRow(page, v, values);
      const before = await cellValues(page);
      await page.click(cell(6 * v));
      await page.press('Enter');
      assert.equal(await faultMessage(page), message);
      assert.deepEqual(await cellValues(page), before);
      await page.click(ok);
      assert.equal(await faultMessage(page), null);
      assert.equal(await focusedName(page), nameOf(6 * v));
      await page.close();
    });
  }
});

describe('what a cell takes', () => {
  test('locked cells refuse typing and pasting; result cells take no focus', async () => {
    const page = await openPage();
    await page.click(cell(13));
    await page.type('12');
    await page.paste('34');
    assert.equal((await cellValues(page))[13], '');
    const focusable = await page.evaluate((results) => results.filter((i) => {
      document.getElementById(`cell-${i}`).focus();
      return document.activeElement.id === `cell-${i}`;
    }), resultCells);
    assert.deepEqual(focusable, []);
    await page.close();
  });

  test('a 5,000-character paste and control characters are read as the window reads them', async () => {
    const page = await openPage();
    await page.click(cell(0));
    await page.paste('9'.repeat(5000));
    assert.equal((await cellValues(page))[0].length, 5000);
    await page.click(calculate);
    assert.equal(await faultMessage(page), 'Препълване\nЧисло извън обхвата на изчисленията.');
    await page.click(ok);
    for (const [i, text] of [[0, '3\t0'], [1, '2\u000700'], [2, '40'], [3, '\u001b300']]) {
      await page.click(cell(i));
      await page.evaluate((selector) => document.querySelector(selector).select(), cell(i));
      await page.paste(text);
    }
    await page.click(calculate);
    assert.deepEqual(await row(page, 0), ['30', '2', '40', '0', '30', '2']);
    await page.close();
  });
});

describe('the keyboard', () => {
  test('Tab follows the window\'s order, stopping at the selected variant only', async () => {
    const page = await openPage();
    const expected = [0, 1, 2, 3, 6, 7, 8, 10, 12, 13, 17, 18].map(nameOf);
    expected.push('Изчисли', 'Изчисти', ...[14, 19, 21, 22].map(nameOf), 'Вариант 1');
    for (let i = 24; i <= 41; i += 1) {
      if (!resultCells.includes(i)) {
        expected.push(nameOf(i));
      }
    }
    const visited = [];
    for (const _ of expected) {
      await page.press('Tab');
      visited.push((await focusedName(page)).trim());
    }
    assert.deepEqual(visited, expected);
    await page.close();
  });

  test('arrow keys change the variant, which empties the grid', async () => {
    const page = await openPage();
    await typeRow(page, 0, assignment);
    await page.click(variant(0));
    await page.press('ArrowDown');
    const [checked, open] = await page.evaluate(() => [
      document.querySelector('input[name="variant"]:checked').value,
      [...document.querySelectorAll('input.cell')].filter((c) => !c.readOnly && !c.disabled).map((c) => c.id),
    ]);
    assert.equal(checked, '1');
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    assert.deepEqual(open, ['cell-6', 'cell-7', 'cell-8', 'cell-10']);
    await page.close();
  });
});

test('the quotation is held but never shown', async () => {
  const page = await openPage();
  const shown = () => page.evaluate(() => document.querySelector('.text-box-1').checkVisibility());
  assert.match(await page.evaluate(() => document.querySelector('.text-box-1').value), /^Неприятното в това да си първият/);
  assert.equal(await shown(), false);
  await typeRow(page, 0, assignment);
  await page.click(calculate);
  await page.click(variant(6));
  await page.press('Tab');
  assert.equal(await shown(), false);
  await page.close();
});

// Last, over every page the tests above opened, where the engine's protocol reports them.
test('no page complained in its console', { skip: engine === 'webkit' && 'WebDriver classic has no console events' }, () => {
  assert.deepEqual(opened.flatMap((page) => page.complaints), []);
});

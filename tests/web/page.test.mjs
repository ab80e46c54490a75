// The page on a desktop-sized screen behaves as the window does.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { assertKeptToItsOrigin, button, cell, cellValues, openPage, useSiteAndBrowser, variant } from './harness.mjs';

const headings = ['% - 1', 'Тегло 1', '% - 2', 'Тегло 2', 'Смес %', 'Смес т.'];
const assignment = ['30', '200', '40', '300', '36', '500'];
// Per variant, the columns computed (the others are given), as in README's table.
const computed = [[4, 5], [3, 5], [3, 4], [2, 5], [1, 5], [2, 3], [1, 3]];
const resultCells = computed.flatMap((columns, v) => columns.map((c) => 6 * v + c));
const nameOf = (i) => {
  const v = Math.floor(i / 6);
  const name = `Вариант ${v + 1}, ${headings[i % 6]}`;
  return resultCells.includes(i) ? `${name}, резултат` : name;
};

const shared = useSiteAndBrowser();

async function typeRow(page, v, values) {
  for (let c = 0; c < 6; c += 1) {
    if (!computed[v].includes(c) && values[c] !== undefined) {
      await cell(page, nameOf(6 * v + c)).fill(values[c]);
    }
  }
}

async function choose(page, v) {
  await variant(page, v + 1).check();
}

describe('at the start', () => {
  test('shows variant 1 with its row open, the assignment focused and the caption as title', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    // A browser folds the caption's two spaces into one in the title it reports.
    assert.equal(await page.title(), 'https://blendora.example Blendora');
    assert.equal(await variant(page, 1).isChecked(), true);
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    const focused = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
    assert.equal(focused, 'Задание');
    for (let i = 0; i < 42; i += 1) {
      const target = cell(page, nameOf(i));
      assert.equal(await target.isDisabled(), resultCells.includes(i), nameOf(i));
      assert.equal(await target.isEditable(), i < 6 && !resultCells.includes(i), nameOf(i));
    }
    await page.context().close();
  });

  test('places every control at its twip rectangle, 15 twips to a pixel', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const box = async (locator) => {
      const { x, y, width, height } = await locator.boundingBox();
      return [x, y, width, height];
    };
    // Worked out by hand from the twip table, as the window test has them.
    assert.deepEqual(await box(page.locator('h1')), [104, 0, 297, 25]);
    assert.deepEqual(await box(button(page, 'Изчисли')), [16, 8, 65, 25]);
    assert.deepEqual(await box(button(page, 'Изчисти')), [432, 8, 65, 25]);
    assert.deepEqual(await box(page.locator('div.label', { hasText: 'Смес т.' })), [432, 40, 65, 25]);
    assert.deepEqual(await box(page.getByRole('group', { name: 'Варианти' })), [0, 48, 113, 193]);
    assert.deepEqual(await box(page.locator('label.option').first()), [8, 64, 97, 27]);
    assert.deepEqual(await box(cell(page, 'Вариант 1, % - 1')), [112, 64, 65, 27]);
    assert.deepEqual(await box(cell(page, 'Вариант 2, Тегло 2, резултат')), [304, 88, 65, 27]);
    assert.deepEqual(await box(cell(page, 'Вариант 7, Смес т.')), [432, 208, 65, 27]);
    assert.deepEqual(await box(page.getByRole('textbox', { name: 'Задание' })), [8, 248, 489, 153]);
    const colours = await page.evaluate(() => {
      const style = (selector) => getComputedStyle(document.querySelector(selector));
      return [style('body').backgroundColor, style('h1').backgroundColor, style('input.result').backgroundColor,
        style('input.result').color, style('input.result').fontWeight, style('input.cell').fontFamily];
    });
    assert.deepEqual(colours, ['rgb(192, 192, 255)', 'rgb(255, 192, 128)', 'rgb(255, 192, 192)',
      'rgb(109, 109, 109)', '700', '"Times New Roman", "Liberation Serif", serif']);
    await page.context().close();
  });
});

describe('calculating', () => {
  for (let v = 0; v < 7; v += 1) {
    test(`Вариант ${v + 1} fills in its two unknowns from the assignment's data`, async () => {
      const page = await openPage(shared.browser, shared.server.url);
      await choose(page, v);
      await typeRow(page, v, assignment);
      await button(page, 'Изчисли').click();
      const row = (await cellValues(page)).slice(6 * v, 6 * v + 6);
      assert.deepEqual(row, assignment);
      await page.context().close();
    });
  }

  test('Enter in the working row calculates; a result explains itself', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await typeRow(page, 0, assignment);
    await cell(page, 'Вариант 1, Тегло 2').press('Enter');
    const result = cell(page, 'Вариант 1, Смес %, резултат');
    assert.equal(await result.inputValue(), '36');
    assert.equal(await result.getAttribute('title'), 'Смес % = (200 × 30 + 300 × 40) / 500 = 36');
    assert.equal(await page.locator('#announcer').textContent(), 'Смес % 36, Смес т. 500');
    const focused = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
    assert.equal(focused, 'Вариант 1, Тегло 2');
    await button(page, 'Изчисти').click();
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    assert.equal(await result.getAttribute('title'), null);
    assert.equal(await cell(page, 'Вариант 1, % - 1').isEditable(), true);
    await page.context().close();
  });

  test('Enter in a locked cell does nothing', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await typeRow(page, 0, assignment);
    await cell(page, 'Вариант 2, % - 1').press('Enter');
    assert.equal(await cell(page, 'Вариант 1, Смес т., резултат').inputValue(), '');
    await page.context().close();
  });

  // Both decimal separators, and a given cell rewritten as it was read.
  for (const [locale, third] of [['bg-BG', '3,33333333333333'], ['en-US', '3.33333333333333']]) {
    test(`writes the separator of ${locale}`, async () => {
      const page = await openPage(shared.browser, shared.server.url, { locale });
      await typeRow(page, 0, [' 1 0', '1', '0abc', '2']);
      await button(page, 'Изчисли').click();
      assert.deepEqual((await cellValues(page)).slice(0, 6), ['10', '1', '0', '2', third, '3']);
      await page.context().close();
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
      const page = await openPage(shared.browser, shared.server.url);
      await choose(page, v);
      await typeRow(page, v, values);
      const before = await cellValues(page);
      const from = cell(page, nameOf(6 * v));
      await from.press('Enter');
      const dialog = page.getByRole('alertdialog');
      assert.equal(await dialog.isVisible(), true);
      assert.equal(await dialog.locator('.fault-message').innerText(), message);
      assert.deepEqual(await cellValues(page), before);
      await page.getByRole('button', { name: 'Добре' }).click();
      assert.equal(await dialog.isVisible(), false);
      const focused = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
      assert.equal(focused, nameOf(6 * v));
      await page.context().close();
    });
  }
});

describe('what a cell takes', () => {
  test('locked cells refuse typing and pasting; result cells take no focus', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const locked = cell(page, 'Вариант 3, Тегло 1');
    await locked.click();
    await page.keyboard.type('12');
    await page.keyboard.insertText('34');
    assert.equal(await locked.inputValue(), '');
    await cell(page, 'Вариант 1, Смес %, резултат').click({ force: true });
    const focused = await page.evaluate(() => document.activeElement.getAttribute('aria-label'));
    assert.notEqual(focused, 'Вариант 1, Смес %, резултат');
    await page.context().close();
  });

  test('a 5,000-character paste and control characters are read as the window reads them', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const first = cell(page, 'Вариант 1, % - 1');
    await first.click();
    await page.keyboard.insertText('9'.repeat(5000));
    assert.equal((await first.inputValue()).length, 5000);
    await button(page, 'Изчисли').click();
    assert.equal(await page.getByRole('alertdialog').locator('.fault-message').innerText(),
      'Препълване\nЧисло извън обхвата на изчисленията.');
    await page.getByRole('button', { name: 'Добре' }).click();
    await first.fill('3\t0');
    await cell(page, 'Вариант 1, Тегло 1').fill('2\u000700');
    await cell(page, 'Вариант 1, % - 2').fill('40');
    await cell(page, 'Вариант 1, Тегло 2').fill('\u001b300');
    await button(page, 'Изчисли').click();
    assert.deepEqual((await cellValues(page)).slice(0, 6), ['30', '2', '40', '0', '30', '2']);
    await page.context().close();
  });
});

describe('the keyboard', () => {
  test('Tab follows the window\'s order, stopping at the selected variant only', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    const expected = [0, 1, 2, 3, 6, 7, 8, 10, 12, 13, 17, 18].map(nameOf);
    expected.push('Изчисли', 'Изчисти', ...[14, 19, 21, 22].map(nameOf), 'Вариант 1');
    for (let i = 24; i <= 41; i += 1) {
      if (!resultCells.includes(i)) {
        expected.push(nameOf(i));
      }
    }
    const visited = [];
    for (const _ of expected) {
      await page.keyboard.press('Tab');
      visited.push(await page.evaluate(() => {
        const focused = document.activeElement;
        return focused.getAttribute('aria-label') ?? focused.labels?.[0]?.innerText ?? focused.textContent;
      }));
    }
    assert.deepEqual(visited, expected);
    await page.context().close();
  });

  test('arrow keys change the variant, which empties the grid', async () => {
    const page = await openPage(shared.browser, shared.server.url);
    await typeRow(page, 0, assignment);
    await variant(page, 1).focus();
    await page.keyboard.press('ArrowDown');
    assert.equal(await variant(page, 2).isChecked(), true);
    assert.deepEqual(await cellValues(page), Array(42).fill(''));
    assert.equal(await cell(page, 'Вариант 2, % - 1').isEditable(), true);
    assert.equal(await cell(page, 'Вариант 1, % - 1').isEditable(), false);
    await page.context().close();
  });
});

test('the quotation is held but never shown', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  const quotation = page.locator('textarea.text-box-1');
  assert.match(await quotation.inputValue(), /^Неприятното в това да си първият/);
  assert.equal(await quotation.isVisible(), false);
  await typeRow(page, 0, assignment);
  await button(page, 'Изчисли').click();
  await choose(page, 6);
  await page.keyboard.press('Tab');
  assert.equal(await quotation.isVisible(), false);
  await page.context().close();
});

test('the content policy refuses inline script and style', async () => {
  const context = await shared.browser.newContext();
  const page = await context.newPage();
  await page.goto(shared.server.url);
  await page.waitForSelector('html[data-ready="true"]');
  const refused = await page.evaluate(() => new Promise((resolve) => {
    const directives = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      directives.push(event.effectiveDirective);
      if (directives.length === 2) {
        resolve([window.injected ?? 'not run', ...directives.sort()]);
      }
    });
    const script = document.createElement('script');
    script.textContent = 'window.injected = true;';
    const style = document.createElement('style');
    style.textContent = 'body { display: none; }';
    document.head.append(script, style);
  }));
  assert.deepEqual(refused, ['not run', 'script-src-elem', 'style-src-elem']);
  await context.close();
});

// Last, over everything the tests above did.
test('no request leaves the page\'s origin, and no policy is violated', () => {
  assertKeptToItsOrigin(assert, shared.server.url);
});

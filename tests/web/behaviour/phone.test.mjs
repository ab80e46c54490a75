// The page on a phone: the working row alone, large enough for a finger, the worked solutions
// in view, and the same worksheet, in every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { engine } from '../engines.mjs';
import {
  calculate, cell, cellValues, faultMessage, focusedName, ok, row, shownSolution, solutionOfVariant2, useSiteAndBrowser,
  variant, variant2Picture,
} from './pupil.mjs';

const shared = useSiteAndBrowser();
const opened = [];
async function openPhone(width = 360, height = 740) {
  const page = await shared.browser.open(shared.server.url, { width, height, phone: true });
  opened.push(page);
  return page;
}

async function tapThroughVariant2(page) {
  await page.click(variant(1));
  for (const [i, text] of [[6, '30'], [7, '200'], [8, '40'], [10, '36']]) {
    await page.fill(cell(i), text);
  }
  await page.click(calculate);
}

// What stands on the screen: each visible control's box and name, and each visible text's size.
const screen = (page) => page.evaluate(() => {
  const visible = (element) => element.checkVisibility();
  // The calculator's; the practice and the pupil's own problem below it have tests of their own.
  const targets = [...document.querySelectorAll('button, input:not([type=radio]), textarea, label.option')]
    .filter((element) => visible(element) && !element.closest('#practice, #my-problem')).map((element) => {
      const { width, height } = element.getBoundingClientRect();
      return { name: element.getAttribute('aria-label') ?? element.textContent, width, height };
    });
  const texts = [...document.querySelectorAll('body *')].filter((element) => visible(element)
    && ([...element.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) || element.matches('input, textarea')));
  const small = texts.filter((element) => parseFloat(getComputedStyle(element).fontSize) < 16)
    .map((element) => element.outerHTML.slice(0, 80));
  const sideways = document.documentElement.scrollWidth - document.documentElement.clientWidth;
  return { targets, small, sideways };
});

// The worked solutions that can be read on the screen, and what the fields say they describe.
const workedSolutions = (page) => page.evaluate(() => [...document.querySelectorAll('.worked')]
  .filter((worked) => worked.checkVisibility())
  .map((worked) => {
    const { width, height } = worked.getBoundingClientRect();
    const field = document.querySelector(`[aria-describedby="${worked.id}"]`);
    return { text: worked.textContent, describes: field.id, size: parseFloat(getComputedStyle(worked).fontSize),
      inView: width > 0 && height > 0 && worked.getBoundingClientRect().right <= document.documentElement.clientWidth };
  }));

describe('a phone', () => {
  for (const width of [320, 360, 414]) {
    test(`at ${width} pixels, taps through Вариант 2 to 300 and 500, with the way to them in view`, async () => {
      const page = await openPhone(width);
      await tapThroughVariant2(page);
      assert.deepEqual(await row(page, 1), ['30', '200', '40', '300', '36', '500']);
      assert.equal(await page.evaluate(() => document.getElementById('announcer').textContent), 'Тегло 2 300, Смес т. 500');
      assert.deepEqual(await workedSolutions(page), [
        { text: 'Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300', describes: 'cell-9', size: 16, inView: true },
        { text: 'Смес т. = 200 + 300 = 500', describes: 'cell-11', size: 16, inView: true },
      ]);
      const { targets, small, sideways } = await screen(page);
      assert.equal(sideways, 0);
      assert.deepEqual(small, []);
      // The seven variants, the six fields, the two buttons and the assignment.
      assert.equal(targets.length, 16, targets.map((target) => target.name).join(', '));
      for (const target of targets) {
        assert.ok(target.width >= 44 && target.height >= 44, `${target.name}: ${target.width} × ${target.height}`);
      }
      await page.close();
    });
  }

  for (const width of [320, 360]) {
    test(`at ${width} pixels, the step-by-step solution stands under the buttons and above the assignment, at 16 px or more`, async () => {
      const page = await openPhone(width);
      await tapThroughVariant2(page);
      const shown = await shownSolution(page);
      assert.deepEqual(shown.lines, solutionOfVariant2);
      assert.ok(shown.buttons.bottom <= shown.box.top && shown.box.bottom <= shown.assignment.top,
        JSON.stringify([shown.buttons, shown.box, shown.assignment]));
      assert.ok(shown.smallest >= 16, `${shown.smallest} px`);
      assert.equal(shown.sideways, 0);
      assert.equal(shown.picture.name, variant2Picture);
      await page.close();
    });
  }

  test('shows the working row\'s six fields with their headings; the four givens open the decimal keyboard', async () => {
    const page = await openPhone();
    await page.click(variant(3));
    const visible = await page.evaluate(() => ({
      fields: [...document.querySelectorAll('input.cell')].filter((c) => c.checkVisibility())
        .map((c) => [c.id, c.readOnly, c.disabled, c.inputMode]),
      labels: [...document.querySelectorAll('label.cell-label')].filter((l) => l.checkVisibility()).map((l) => l.textContent),
      // A result's text against its pink, by WCAG's relative luminance.
      contrast: (() => {
        const luminance = (colour) => {
          const [r, g, b] = colour.match(/\d+/g).slice(0, 3).map((c) => Number(c) / 255)
            .map((c) => (c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4));
          return 0.2126 * r + 0.7152 * g + 0.0722 * b;
        };
        const style = getComputedStyle(document.getElementById('cell-23'));
        const [text, back] = [luminance(style.webkitTextFillColor), luminance(style.backgroundColor)];
        return (Math.max(text, back) + 0.05) / (Math.min(text, back) + 0.05);
      })(),
    }));
    assert.deepEqual(visible.fields, [
      ['cell-18', false, false, 'decimal'],
      ['cell-19', false, false, 'decimal'],
      ['cell-20', true, false, 'decimal'],
      ['cell-21', false, false, 'decimal'],
      ['cell-22', false, false, 'decimal'],
      ['cell-23', true, false, 'decimal'],
    ]);
    assert.deepEqual(visible.labels, ['% - 1', 'Тегло 1', '% - 2', 'Тегло 2', 'Смес %', 'Смес т.']);
    assert.ok(visible.contrast >= 4.5, `${visible.contrast}`);
    await page.close();
  });

  test('the worked solutions go when the worksheet changes', async () => {
    const page = await openPhone();
    await tapThroughVariant2(page);
    await page.fill(cell(6), '25');
    assert.equal((await workedSolutions(page)).length, 2, 'a given changed, the results still stand');
    await page.click(variant(2));
    assert.deepEqual(await workedSolutions(page), []);
    await page.close();
  });

  test('turning the phone keeps what was typed and computed', async () => {
    const page = await openPhone();
    await tapThroughVariant2(page);
    const before = await cellValues(page);
    await page.setViewport(740, 360);
    assert.deepEqual(await cellValues(page), before);
    assert.equal(await page.evaluate(() => document.getElementById('cell-9').disabled), true);
    await page.setViewport(360, 740);
    assert.deepEqual(await cellValues(page), before);
    assert.equal(await page.evaluate(() => document.getElementById('cell-9').checkVisibility()), true);
    await page.close();
  });

  test('Tab runs through the visible controls from top to bottom', async () => {
    const page = await openPhone();
    await page.click('h1'); // the keyboard starts from the top
    const visited = [];
    for (let i = 0; i < 10; i += 1) {
      await page.press('Tab');
      visited.push([(await focusedName(page)).trim(),
        await page.evaluate(() => document.activeElement.getBoundingClientRect().top + window.scrollY)]);
    }
    assert.deepEqual(visited.map(([name]) => name), ['Вариант 1', 'Вариант 1, % - 1', 'Вариант 1, Тегло 1',
      'Вариант 1, % - 2', 'Вариант 1, Тегло 2', 'Вариант 1, Смес %, резултат', 'Вариант 1, Смес т., резултат',
      'Изчисли', 'Изчисти', 'Задание']);
    const tops = visited.map(([, top]) => top);
    assert.deepEqual(tops, [...tops].sort((a, b) => a - b));
    await page.close();
  });

  test('a fault is an alert dialog that fits the screen', async () => {
    const page = await openPhone(320);
    await page.click(calculate);
    assert.equal(await faultMessage(page), 'Препълване\nДадените клетки са празни.');
    const [left, right] = await page.evaluate(() => {
      const box = document.getElementById('fault').getBoundingClientRect();
      return [box.left, box.right];
    });
    assert.ok(left >= 0 && right <= 320, `${left} to ${right}`);
    await page.click(ok);
    await page.close();
  });
});

test('the window\'s layout begins at 504 pixels', async () => {
  const page = await shared.browser.open(shared.server.url, { width: 504, height: 404 });
  opened.push(page);
  assert.deepEqual(await page.evaluate(() => {
    const { x, y, width, height } = document.getElementById('cell-41').getBoundingClientRect();
    return [x, y, width, height, document.documentElement.scrollWidth];
  }), [432, 208, 65, 27, 504]);
  await page.close();
});

test('no page complained in its console', { skip: engine === 'webkit' && 'WebDriver classic has no console events' }, () => {
  assert.deepEqual(opened.flatMap((page) => page.complaints), []);
});

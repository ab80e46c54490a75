// After Изчисли the page shows the row solved step by step, with a picture of the mixture, and
// warns where the numbers cannot be a mixture; the solution goes on any change. In every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  calculate, cell, clear, faultMessage, pageOpener, row, shownSolution, solution, solutionOfVariant2,
  tableOfVariant2, typeRow, until, useSiteAndBrowser, variant, variant2Picture,
} from './pupil.mjs';

const shared = useSiteAndBrowser();
// Each test closes its page: WebKit loads the next page, framed ones above all, only after that.
const open = pageOpener(shared);

const variant2 = solutionOfVariant2;

async function solveVariant2(page, mixPercent = '36') {
  await page.click(variant(1));
  await typeRow(page, 1, ['30', '200', '40', undefined, mixPercent]);
  await page.click(calculate);
}

describe('the solution', () => {
  test('stands below the window after Изчисли, with the lines, the check, the answer and the picture', async () => {
    const page = await open();
    const windowBefore = await page.evaluate(() => document.getElementById('form').getBoundingClientRect().toJSON());
    assert.equal(await solution(page), null);
    await solveVariant2(page);
    const shown = await shownSolution(page);
    assert.equal(shown.tag, 'SECTION');
    assert.equal(shown.name, 'Решение');
    assert.deepEqual(shown.lines, variant2);
    assert.deepEqual(shown.table, tableOfVariant2);
    assert.deepEqual(shown.headers, ['col', 'col', 'col', 'col', 'row', 'row', 'row']);
    // Heard as it is read out: "·" as "по", ":" as "делено на".
    assert.equal(shown.spoken[4], '60 + x по 40 делено на 100 = (200 + x) по 36 делено на 100   | по 100');
    const everything = [...shown.lines, ...shown.table.flat()].join('\n');
    for (const foreign of ['×', '/', '«', '»']) {
      assert.ok(!everything.includes(foreign), `${foreign} in\n${everything}`);
    }
    assert.deepEqual(shown.picture, { role: 'img', name: variant2Picture, hatched: 4, rects: 12 });
    assert.equal(shown.live, 'Тегло 2 300, Смес т. 500');
    assert.ok(shown.box.top >= shown.window.bottom, `${shown.box.top} below ${shown.window.bottom}`);
    assert.ok(shown.smallest >= 16, `${shown.smallest} px`);
    const windowAfter = await page.evaluate(() => document.getElementById('form').getBoundingClientRect().toJSON());
    assert.deepEqual([windowAfter.x, windowAfter.y], [windowBefore.x, windowBefore.y]);
    await page.close();
  });

  for (const [change, act] of [
    ['an edit', (page) => page.fill(cell(6), '31')],
    ['another variant', (page) => page.click(variant(2))],
    ['Изчисти', (page) => page.click(clear)],
  ]) {
    test(`goes after ${change}`, async () => {
      const page = await open();
      await solveVariant2(page);
      assert.notEqual(await shownSolution(page), null);
      await act(page);
      assert.equal(await solution(page), null);
      await page.close();
    });
  }

  test('gives the reason first and no answer, and draws nothing, where the numbers cannot be a mixture', async () => {
    const page = await open();
    await solveVariant2(page, '50');
    assert.equal(await faultMessage(page), null);
    assert.deepEqual(await row(page, 1), ['30', '200', '40', '-400', '50', '-200']);
    const shown = await shownSolution(page);
    assert.deepEqual(shown.lines.slice(2, 5), [
      'Внимание: процентът на сместа трябва да е между процентите на двете съставки, а 50% не е между 30% и 40%.',
      'Внимание: масата на втората съставка излиза −400, а маса не може да е отрицателна.',
      'Внимание: масата на сместа излиза −200, а маса не може да е отрицателна.',
    ]);
    assert.ok(shown.lines.includes('x = −400'));
    assert.equal(shown.lines.at(-1), 'Задачата няма решение с тези числа.');
    assert.ok(!shown.lines.some((line) => line.startsWith('Отговор:')));
    assert.equal(shown.picture, null);
    await page.close();
  });

  for (const [mixPercent, equation, verdict] of [
    ['36', '0 · x = 3000', 'Задачата няма решение: няма число, което, умножено по 0, да дава 3000.'],
    ['30', '0 · x = 0', 'Задачата има безброй много решения: всяко число, умножено по 0, дава 0, '
      + 'така че решение е всяко x, при което масите на двете съставки са по-големи от 0.'],
  ]) {
    test(`explains the fault of Вариант 7 with two parts of 30% and a mixture of ${mixPercent} %`, async () => {
      const page = await open();
      await page.click(variant(6));
      await typeRow(page, 6, ['30', undefined, '30', undefined, mixPercent, '500']);
      await page.click(calculate);
      assert.notEqual(await faultMessage(page), null);
      await page.press('Enter');
      const shown = await shownSolution(page);
      assert.deepEqual(shown.lines.slice(-2), [equation, verdict]);
      assert.equal(shown.picture, null);
      await page.close();
    });
  }

  test('writes a decimal comma and a period in brackets whatever the browser\'s language', async () => {
    const page = await open('', { language: 'en-US' });
    await typeRow(page, 0, ['10', '1', '0', '2']);
    await page.click(calculate);
    assert.equal((await row(page, 0))[4], '3.33333333333333');
    const shown = await shownSolution(page);
    assert.ok(shown.lines.includes('В сместа чистото вещество е 0,1 · 100 : 3 = 3,(3)%.'), shown.lines.join('\n'));
    assert.equal(shown.lines.at(-1), 'Отговор: процентът на сместа е 3,(3)%; масата на сместа е 3.');
    await page.close();
  });

  test('shows when a link made after Изчисли is opened', async () => {
    const page = await open('1:v2:30;200;40;36=');
    assert.deepEqual((await shownSolution(page)).lines, variant2);
    await page.close();
    // Once the solution could be shown, nothing is, for a link without "=".
    const unsolved = await open('1:v2:30;200;40;36');
    await until(unsolved, () => performance.getEntriesByName('blendora-solution').length > 0, undefined,
      'the solution to be ready');
    assert.equal(await solution(unsolved), null);
    await unsolved.close();
  });
});

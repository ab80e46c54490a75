// After Изчисли the page shows the row solved step by step, with a picture of the mixture, and
// warns where the numbers cannot be a mixture; the solution goes on any change. In every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  calculate, cell, clear, faultMessage, pageOpener, row, solution, solutionOfVariant2, typeRow, useSiteAndBrowser,
  variant, variant2Picture,
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
    const shown = await solution(page);
    assert.equal(shown.tag, 'SECTION');
    assert.equal(shown.name, 'Решение');
    assert.deepEqual(shown.lines, variant2);
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
      assert.notEqual(await solution(page), null);
      await act(page);
      assert.equal(await solution(page), null);
      await page.close();
    });
  }

  test('warns, and draws nothing, where the numbers cannot be a mixture', async () => {
    const page = await open();
    await solveVariant2(page, '50');
    assert.equal(await faultMessage(page), null);
    assert.deepEqual(await row(page, 1), ['30', '200', '40', '-400', '50', '-200']);
    const shown = await solution(page);
    assert.deepEqual(shown.lines.filter((line) => line.startsWith('Внимание:')), [
      'Внимание: Тегло 2 излиза -400, а тегло не може да е отрицателно.',
      'Внимание: Смес т. излиза -200, а сместа трябва да тежи повече от 0.',
      'Внимание: Процентът на сместа (50) трябва да е между процентите на двете съставки (30 и 40).',
    ]);
    assert.equal(shown.lines.at(-4), 'Отговор: Тегло 2 = -400, Смес т. = -200.');
    assert.equal(shown.picture, null);
    await page.close();
  });

  test('shows when a link made after Изчисли is opened', async () => {
    const page = await open('1:v2:30;200;40;36=');
    assert.deepEqual((await solution(page)).lines, variant2);
    await page.close();
    const unsolved = await open('1:v2:30;200;40;36');
    assert.equal(await solution(unsolved), null);
    await unsolved.close();
  });
});

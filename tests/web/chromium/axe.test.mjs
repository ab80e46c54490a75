// axe-core finds nothing against WCAG 2.0 and 2.1, levels A and AA, in either layout: at the
// start, after a calculation with its step-by-step solution shown, with the fault dialog open,
// with the practice's feedback, hints and solution and the teacher's sheet shown, and with the
// pupil's own problem solved. No rule is turned off.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { assertKeptToItsOrigin, button, cell, openPage, openPhonePage, useSiteAndBrowser } from '../harness.mjs';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

const shared = useSiteAndBrowser();

// Violations as "rule: where" lines, so that a failure says what to mend.
async function violations(page) {
  await page.evaluate(axeSource);
  const results = await page.evaluate(() => window.axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] },
  }));
  return results.violations.flatMap((violation) =>
    violation.nodes.map((node) => `${violation.id}: ${node.target.join(' ')}`));
}

const layouts = [['the window\'s layout', openPage], ['a phone\'s layout', openPhonePage]];
for (const [layout, open] of layouts) {
  test(`${layout} passes at the start, after a calculation and with the fault open`, async () => {
    const page = await open(shared.browser, shared.server.url);
    assert.deepEqual(await violations(page), [], 'at the start');
    const givens = [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Тегло 2', '300']];
    for (const [heading, text] of givens) {
      await cell(page, `Вариант 1, ${heading}`).fill(text);
    }
    await button(page, 'Изчисли').click();
    // The solution is a region named by its heading, with the picture an image named by its text.
    await page.getByRole('region', { name: 'Решение', exact: true }).waitFor();
    assert.match(await page.getByRole('img').getAttribute('aria-label'), /^Модел с отсечки: първата съставка 200/);
    assert.deepEqual(await violations(page), [], 'after a calculation');
    await button(page, 'Изчисти').click();
    await button(page, 'Изчисли').click();
    assert.equal(await page.getByRole('alertdialog').isVisible(), true);
    assert.deepEqual(await violations(page), [], 'with the fault open');
    await page.context().close();
  });
}

for (const [layout, open] of layouts) {
  test(`${layout} passes with the practice's feedback, its solution and the teacher's sheet shown`, async () => {
    const page = await open(shared.browser, shared.server.url);
    await page.waitForFunction(() => document.getElementById('practice-text')?.textContent);
    const practice = page.getByRole('region', { name: 'Задача', exact: true });
    await practice.getByRole('textbox').first().fill('1');
    await button(page, 'Провери').click();
    await button(page, 'Подсказка').click();
    assert.deepEqual(await violations(page), [], 'with the feedback and a hint');
    await button(page, 'Покажи решението').click();
    await button(page, 'Лист със задачи').click();
    await page.getByRole('region', { name: 'Отговори', exact: true }).waitFor();
    assert.deepEqual(await violations(page), [], 'with the solution and the sheet');
    await page.context().close();
  });
}

for (const [layout, open] of layouts) {
  test(`${layout} passes with the pupil's own problem solved, its numbers' roles shown`, async () => {
    const page = await open(shared.browser, shared.server.url);
    const region = page.getByRole('region', { name: 'Моята задача', exact: true });
    await region.getByRole('textbox', { name: 'Текст на задачата', exact: true }).fill(
      'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?');
    await button(page, 'Реши').click();
    await region.getByRole('table').waitFor();
    await region.getByRole('combobox', { name: '8%', exact: true }).waitFor();
    assert.deepEqual(await violations(page), [], 'with the problem solved');
    await page.context().close();
  });
}

test('no request leaves the page\'s origin, and no policy is violated', () => {
  assertKeptToItsOrigin(assert, shared.server.url);
});

// The print, from either layout: one A4 sheet with the heading, the chosen variant, the pupil's
// numbers and results, each result's worked solution, the step-by-step solution with its picture
// and the assignment, and nothing to press or choose; the pupil's own problem, once read, after it.
// Read back from the PDF as text by poppler's pdftotext.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { button, cell, openPage, openPhonePage, useSiteAndBrowser, variant } from '../harness.mjs';

const shared = useSiteAndBrowser();

// The PDF's pages as text, each line's runs of blanks made one space.
function printedPages(pdf) {
  const text = execFileSync('pdftotext', ['-layout', '-enc', 'UTF-8', pdf, '-'], { encoding: 'utf8' });
  return text.replace(/\f$/, '').split('\f').map((page) => page.replace(/[ \t]+/g, ' '));
}

// The page's print on A4 once the row is solved: the variant's givens typed, Изчисли pressed and
// the solution shown.
async function printSolved(page, variantNumber, givens) {
  await variant(page, variantNumber).check();
  for (const [heading, text] of givens) {
    await cell(page, `Вариант ${variantNumber}, ${heading}`).fill(text);
  }
  await button(page, 'Изчисли').click();
  await page.getByRole('region', { name: 'Решение', exact: true }).waitFor();
  const folder = mkdtempSync(join(tmpdir(), 'blendora-print-'));
  try {
    const pdf = join(folder, 'print.pdf');
    await page.pdf({ path: pdf, format: 'A4' });
    return printedPages(pdf);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

const onePage = (pages) => assert.equal(pages.length, 1, pages.join('\n=== next page ===\n'));

for (const [layout, open] of [['the window\'s layout', openPage], ['a phone\'s layout', openPhonePage]]) {
  test(`from ${layout}, Вариант 3 prints on one A4 sheet with its solutions and no buttons`, async () => {
    const page = await open(shared.browser, shared.server.url);
    const pages = await printSolved(page, 3, [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес т.', '500']]);
    onePage(pages);
    const sheet = pages.join('\n');
    const lines = sheet.split('\n').map((line) => line.trim());
    assert.equal(lines[0], 'Изчисляване процент и тегло в смеси');
    assert.equal(lines[1], 'Вариант 3');
    assert.ok(lines.includes('30 200 40 300 36 500'), sheet);
    // Written out here, not read from the page: an empty title would be found on any sheet.
    for (const solution of ['Тегло 2 = 500 − 200 = 300', 'Смес % = (200 × 30 + 300 × 40) / 500 = 36']) {
      assert.ok(lines.includes(solution), `${solution} in\n${sheet}`);
    }
    const flowing = sheet.replace(/\s+/g, ' ');
    for (const part of ['Решение', 'Дадено: първата съставка има маса 200 и съдържа 30% чисто вещество; '
      + 'втората съставка съдържа 40%; сместа има маса 500.', 'маса процент чисто вещество',
    'първа съставка 200 30% 200 · 30 : 100 = 60', 'Масата на втората съставка е 500 − 200 = 300.',
    'Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 и 500 · 36 : 100 = 180;',
    'Отговор: масата на втората съставка е 300; процентът на сместа е 36%.', 'Първата съставка: 200 → 60',
    'Сместа: 500 → 180']) {
      assert.ok(flowing.includes(part), `${part} in\n${sheet}`);
    }
    const assignment = 'В задачите, от основното образование, за смеси и разтвори обикновено присъстват 6 '
      + 'величини: процент, тегло на двата начални и крайния разтвор.';
    assert.ok(flowing.includes(assignment), sheet);
    // What a screen reader says instead of "·" and ":" is not printed.
    for (const absent of ['Изчисли', 'Изчисти', 'Варианти', 'Вариант 1', 'Вариант 7', 'Задание', 'делено на']) {
      assert.ok(!sheet.includes(absent), `${absent} printed`);
    }
    await page.context().close();
  });

  // The equation solved line by line makes the longest solution.
  test(`from ${layout}, Вариант 7 prints on one A4 sheet`, async () => {
    const page = await open(shared.browser, shared.server.url);
    onePage(await printSolved(page, 7, [['% - 1', '30'], ['% - 2', '40'], ['Смес %', '36'], ['Смес т.', '500']]));
    await page.context().close();
  });
}

// Once the pupil's own problem is read, it prints after the calculator's sheet, on a page of its
// own: its heading, the text as typed and the result, with nothing to press or choose.
test('the pupil\'s own problem, read, prints on a page of its own after the calculator\'s', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  const text = 'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?';
  const region = page.getByRole('region', { name: 'Моята задача', exact: true });
  await region.getByRole('textbox', { name: 'Текст на задачата', exact: true }).fill(text);
  await button(page, 'Реши').click();
  const pages = await printSolved(page, 1, [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Тегло 2', '300']]);
  assert.equal(pages.length, 2, pages.join('\n=== next page ===\n'));
  assert.ok(!pages[0].includes('Моята задача'), pages[0]);
  const flowing = pages[1].replace(/\s+/g, ' ').trim();
  assert.ok(flowing.startsWith(`Моята задача ${text} Дадено: 400 г`), flowing);
  assert.match(flowing, /Отговор: 100 г/);
  for (const absent of ['Текст на задачата', 'Реши', 'Въведи в таблицата', 'Числата в задачата', 'делено на']) {
    assert.ok(!flowing.includes(absent), `${absent} printed`);
  }
  await page.context().close();
});

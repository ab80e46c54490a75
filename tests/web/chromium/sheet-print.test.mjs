// The teacher's sheet in print, from either layout: A4, its problems numbered, the key from a page
// of its own with every row a mixture that balances, and nothing of the calculator; with the
// sheet closed again, the print is the calculator's. Read back from the PDF as text by poppler's
// pdftotext, and its page size by pdfinfo.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { button, openPage, openPhonePage, useSiteAndBrowser } from '../harness.mjs';

const shared = useSiteAndBrowser();

// The print at the page size its style sheet asks for: the size, and each page's text with each
// line's runs of blanks made one space.
async function print(page) {
  const folder = mkdtempSync(join(tmpdir(), 'blendora-sheet-'));
  try {
    const pdf = join(folder, 'sheet.pdf');
    await page.pdf({ path: pdf, preferCSSPageSize: true });
    const size = /Page size:\s+(.*)/.exec(execFileSync('pdfinfo', [pdf], { encoding: 'utf8' }))[1];
    const text = execFileSync('pdftotext', ['-layout', '-enc', 'UTF-8', pdf, '-'], { encoding: 'utf8' });
    return { size, pages: text.replace(/\f$/, '').split('\f').map((sheet) => sheet.replace(/[ \t]+/g, ' ')) };
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// A key row's six quantities in tenths, exactly: "12,5*" is 125, and water that evaporated,
// "−90*", is −900.
const tenths = (cell) => Math.round(Number(cell.replace('*', '').replace(',', '.').replace('−', '-')) * 10);

for (const [layout, open] of [['the window\'s layout', openPage], ['a phone\'s layout', openPhonePage]]) {
  test(`from ${layout}, the mixed sheet prints on A4 with its key on a page of its own`, async () => {
    const page = await open(shared.browser, shared.server.url);
    await page.waitForFunction(() => document.getElementById('practice-text')?.textContent);
    await page.getByRole('radio', { name: 'Смесени', exact: true }).check();
    await button(page, 'Лист със задачи').click();
    await page.waitForSelector('#teacher-sheet:not([aria-busy]) h3');
    const problems = await page.locator('#teacher-sheet li').allTextContents();
    assert.equal(problems.length, 7);

    const { size, pages } = await print(page);
    assert.match(size, /\(A4\)/);
    const keyAt = pages.findIndex((sheet) => sheet.includes('Отговори'));
    assert.ok(keyAt > 0, pages.join('\n---\n'));
    const [sheet, key] = [pages.slice(0, keyAt).join('\n'), pages.slice(keyAt).join('\n')];
    const lines = sheet.split('\n').map((line) => line.trim()).filter(Boolean);
    assert.equal(lines[0], 'Лист № 1 – Смесени');
    assert.match(lines[1], /^Име: …+ Клас: …+$/);
    const flowing = sheet.replace(/\s+/g, ' ');
    problems.forEach((problem, i) => {
      assert.ok(flowing.includes(`${i + 1}. ${problem}`), `${i + 1}. ${problem} in\n${sheet}`);
    });
    assert.equal(key.trim().split('\n')[0].trim(), 'Отговори');
    assert.ok(!problems.some((problem) => key.replace(/\s+/g, ' ').includes(problem)), key);

    // Each row: its number, its variant, the six quantities (the sought ones marked), the answer.
    const rows = key.split('\n').map((line) => line.trim())
      .map((line) => /^(\d+) Вариант (\d) ((?:−?[\d,]+\*? ){5}−?[\d,]+\*?) (.+)$/.exec(line)).filter(Boolean);
    assert.deepEqual(rows.map(([, number]) => number), ['1', '2', '3', '4', '5', '6', '7'], key);
    assert.ok(new Set(rows.map(([, , variant]) => variant)).size >= 5, key);
    for (const [line, , , quantities] of rows) {
      const [p1, w1, p2, w2, pm, wm] = quantities.split(' ').map(tenths);
      assert.equal(w1 + w2, wm, line);
      assert.equal(w1 * p1 + w2 * p2, wm * pm, line);
      assert.ok(quantities.split(' ').filter((cell) => cell.endsWith('*')).length === 2, line);
    }
    assert.match(key, /\* – /);
    const everything = pages.join('\n');
    for (const absent of ['Изчисляване процент', 'Изчисли', 'Варианти', 'В задачите, от основното', 'Нова задача',
      'Провери', 'Брой задачи', 'Лист със задачи', 'Друг лист', 'Ниво 1']) {
      assert.ok(!everything.includes(absent), `${absent} printed`);
    }

    // Closed again, the sheet leaves the print as it was: the calculator on one page.
    await button(page, 'Лист със задачи').click();
    const calculator = await print(page);
    assert.equal(calculator.pages.length, 1);
    assert.equal(calculator.pages[0].trim().split('\n')[0].trim(), 'Изчисляване процент и тегло в смеси');
    assert.ok(!calculator.pages[0].includes('Лист №') && !calculator.pages[0].includes('Нова задача'));
    await page.context().close();
  });
}

test('the sought cells of the key are bold, and its headings are headings of their columns', async () => {
  const page = await openPage(shared.browser, shared.server.url);
  await page.waitForFunction(() => document.getElementById('practice-text')?.textContent);
  await button(page, 'Лист със задачи').click();
  await page.waitForSelector('#teacher-sheet:not([aria-busy]) h3');
  const cells = await page.locator('#teacher-sheet tbody td').evaluateAll((tds) => tds
    .map((td) => [td.textContent, Number(getComputedStyle(td).fontWeight) >= 700]));
  assert.ok(cells.some(([text]) => text.endsWith('*')));
  for (const [text, bold] of cells) {
    assert.equal(bold, text.endsWith('*'), text);
  }
  const headings = await page.getByRole('columnheader').allTextContents();
  assert.deepEqual(headings, ['№', 'Вариант', '% - 1', 'Тегло 1', '% - 2', 'Тегло 2', 'Смес %', 'Смес т.', 'Отговор']);
  await page.context().close();
});

// The print, from either layout: one A4 sheet with the heading, the chosen variant, the pupil's
// numbers and results, each result's worked solution and the assignment, and nothing to press
// or choose. Read back from the PDF as text by poppler's pdftotext.
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

for (const [layout, open] of [['the window\'s layout', openPage], ['a phone\'s layout', openPhonePage]]) {
  test(`from ${layout}, Вариант 3 prints on one A4 sheet with its worked solutions and no buttons`, async () => {
    const page = await open(shared.browser, shared.server.url);
    await variant(page, 3).check();
    for (const [heading, text] of [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес т.', '500']]) {
      await cell(page, `Вариант 3, ${heading}`).fill(text);
    }
    await button(page, 'Изчисли').click();
    const worked = await page.$$eval('input.cell.working.result', (cells) => cells.map((c) => c.title));
    const assignment = await page.$eval('#text-box-0', (box) => box.value.split('\n')[0]);
    const folder = mkdtempSync(join(tmpdir(), 'blendora-print-'));
    try {
      const pdf = join(folder, 'print.pdf');
      await page.pdf({ path: pdf, format: 'A4' });
      const pages = printedPages(pdf);
      assert.equal(pages.length, 1);
      const [sheet] = pages;
      const lines = sheet.split('\n').map((line) => line.trim());
      assert.equal(lines[0], 'Изчисляване процент и тегло в смеси');
      assert.equal(lines[1], 'Вариант 3');
      assert.ok(lines.includes('30 200 40 300 36 500'), sheet);
      assert.equal(worked.length, 2);
      for (const solution of worked) {
        assert.ok(lines.includes(solution), `${solution} in\n${sheet}`);
      }
      assert.ok(sheet.replace(/\s+/g, ' ').includes(assignment.replace(/\s+/g, ' ')), sheet);
      for (const absent of ['Изчисли', 'Изчисти', 'Варианти', 'Вариант 1', 'Вариант 7', 'Задание']) {
        assert.ok(!sheet.includes(absent), `${absent} printed`);
      }
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
    await page.context().close();
  });
}

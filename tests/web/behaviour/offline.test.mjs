// After one visit the page works with its server gone, in every engine.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser } from '../engines.mjs';
import { serveSite } from '../harness.mjs';
import { addressHolds, calculate, cell, row, until, variant } from './pupil.mjs';

const browser = await launchBrowser();
after(() => browser.close());

// Once the service worker has stored the site and answers for the page.
const controlled = (page) => page.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((resolve) => {
  if (navigator.serviceWorker.controller) {
    resolve();
  } else {
    navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true });
  }
})));

test('after one visit, the page reloads and calculates with its server stopped, and opens its link', async () => {
  const server = await serveSite();
  const page = await browser.open(server.url);
  await controlled(page);
  await server.close();
  await page.reload();
  await page.click(variant(1));
  for (const [i, text] of [[6, '30'], [7, '200'], [8, '40'], [10, '36']]) {
    await page.fill(cell(i), text);
  }
  await page.click(calculate);
  assert.deepEqual(await row(page, 1), ['30', '200', '40', '300', '36', '500']);
  // The address is now the problem's link, which opens offline as well.
  await addressHolds(page, '1:v2:30;200;40;36=');
  await page.reload();
  assert.deepEqual(await row(page, 1), ['30', '200', '40', '300', '36', '500']);
  const stored = await page.evaluate(() => caches.keys());
  assert.equal(stored.length, 1);
  assert.match(stored[0], /^blendora-\d+\.\d+\.\d+-[0-9a-f]{12}$/);
  await page.close();
});

// The textbook's example pasted into "Моята задача" and Реши pressed: the first line of the result
// that ends the reading, once the reading is done.
async function solveMyProblem(page) {
  await page.fill('#my-problem-text', 'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?');
  await page.click('#my-problem-solve');
  return until(page, () => !document.getElementById('my-problem-result').hasAttribute('aria-busy')
    && [...document.querySelectorAll('#my-problem-result p')].map((p) => p.textContent)
      .find((line) => /^(Отговор|Няма връзка)/.test(line)), undefined, 'the reading');
}

test('the reader comes only when the pupil solves a problem of their own, and from then on works offline too', async () => {
  const server = await serveSite();
  const { port } = new URL(server.url);
  const page = await browser.open(server.url);
  await controlled(page);
  assert.deepEqual(server.requests.filter((path) => path.includes('blendora-reader')), []);
  await server.close();
  await page.reload();
  await until(page, () => document.getElementById('my-problem') !== null || null, undefined, 'the section');
  assert.match(await solveMyProblem(page), /^Няма връзка с интернет\./);

  const again = await serveSite(Number(port));
  assert.match(await solveMyProblem(page), /^Отговор: .*100 г/);
  await until(page, () => caches.match('blendora-reader.wasm.gz').then((kept) => kept !== undefined)
    .then(async (gz) => gz || (await caches.match('blendora-reader.wasm')) !== undefined), undefined, 'the reader kept');
  await again.close();
  await page.reload();
  await until(page, () => document.getElementById('my-problem') !== null || null, undefined, 'the section');
  assert.match(await solveMyProblem(page), /^Отговор: .*100 г/);
  await page.close();
});

// "Лист със задачи" pressed, or pressed again to close the sheet first: the sheet's first line,
// once the sheet is drawn.
async function openTeacherSheet(page) {
  if (await page.evaluate(() => document.getElementById('sheet-open').getAttribute('aria-expanded') === 'true')) {
    await page.click('#sheet-open');
  }
  await page.click('#sheet-open');
  return until(page, () => {
    const sheet = document.getElementById('teacher-sheet');
    return !sheet.hasAttribute('aria-busy') && sheet.firstElementChild?.textContent;
  }, undefined, 'the sheet');
}

test('the teacher\'s sheet comes only when it is asked for, and from then on works offline too', async () => {
  const server = await serveSite();
  const { port } = new URL(server.url);
  const page = await browser.open(server.url);
  await controlled(page);
  assert.deepEqual(server.requests.filter((path) => path.includes('blendora-sheet')), []);
  await server.close();
  await page.reload();
  await until(page, () => document.getElementById('sheet-open') !== null || null, undefined, 'the practice');
  assert.match(await openTeacherSheet(page), /^Няма връзка с интернет\. Листът със задачи се изтегля/);

  const again = await serveSite(Number(port));
  assert.match(await openTeacherSheet(page), /^Лист № \d+/);
  await until(page, () => caches.match('blendora-sheet.wasm.gz').then((kept) => kept !== undefined)
    .then(async (gz) => gz || (await caches.match('blendora-sheet.wasm')) !== undefined), undefined, 'the sheet kept');
  await again.close();
  await page.reload();
  await until(page, () => document.getElementById('sheet-open') !== null || null, undefined, 'the practice');
  assert.match(await openTeacherSheet(page), /^Лист № \d+/);
  await page.close();
});

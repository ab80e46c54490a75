// After one visit the page works with its server gone, in every engine.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser } from '../engines.mjs';
import { serveSite } from '../harness.mjs';
import { addressHolds, calculate, cell, row, variant } from './pupil.mjs';

const browser = await launchBrowser();
after(() => browser.close());

test('after one visit, the page reloads and calculates with its server stopped, and opens its link', async () => {
  const server = await serveSite();
  const page = await browser.open(server.url);
  // The service worker has stored the site and answers for the page.
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((resolve) => {
    if (navigator.serviceWorker.controller) {
      resolve();
    } else {
      navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true });
    }
  })));
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

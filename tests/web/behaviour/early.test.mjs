// The page arrives drawn: a pupil can type and press before the WebAssembly has come, and what
// was typed and pressed counts once it has, whichever way the server sends the module.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser } from '../engines.mjs';
import { serveSite } from '../harness.mjs';
import { assignment, calculate, cell, row } from './pupil.mjs';

const browser = await launchBrowser();
after(() => browser.close());

test('numbers typed and Изчисли pressed before the module is ready are there, and calculated, after it', async () => {
  // A server of its own: no service worker has kept this origin's module yet.
  const server = await serveSite();
  const release = server.hold('/blendora.wasm.gz');
  try {
    const page = await browser.open(server.url, { ready: false });
    for (const [i, text] of assignment.slice(0, 4).entries()) {
      await page.fill(cell(i), text);
    }
    await page.click(calculate);
    const before = await page.evaluate(() => [document.documentElement.dataset.ready ?? 'not ready',
      [...document.querySelectorAll('input.cell')].slice(0, 6).map((c) => c.value)]);
    assert.deepEqual(before, ['not ready', ['30', '200', '40', '300', '', '']]);
    release();
    await page.untilReady();
    assert.deepEqual(await row(page, 0), assignment);
    await page.close();
  } finally {
    await server.close();
  }
});

test('the module counts when a server says its compressed file is gzip-encoded, and the browser decodes it', async () => {
  const server = await serveSite();
  server.labelGzip('/blendora.wasm.gz');
  try {
    const page = await browser.open(server.url);
    for (const [i, text] of assignment.slice(0, 4).entries()) {
      await page.fill(cell(i), text);
    }
    await page.click(calculate);
    assert.deepEqual(await row(page, 0), assignment);
    await page.close();
  } finally {
    await server.close();
  }
});

// A browser that cannot decompress a stream (Safari before 16.4) fetches the module as it is,
// and calculates as any other.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { button, cell, useSiteAndBrowser, waitUntilReady, watch } from '../harness.mjs';

const shared = useSiteAndBrowser();

test('without DecompressionStream the page fetches blendora.wasm and calculates', async () => {
  const context = await shared.browser.newContext({ locale: 'bg-BG' });
  await context.addInitScript(() => delete globalThis.DecompressionStream);
  const page = watch(await context.newPage());
  const modules = [];
  page.on('request', (request) => modules.push(new URL(request.url()).pathname));
  await page.goto(shared.server.url);
  await waitUntilReady(page);
  const givens = [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Тегло 2', '300']];
  for (const [heading, text] of givens) {
    await cell(page, `Вариант 1, ${heading}`).fill(text);
  }
  await button(page, 'Изчисли').click();
  assert.equal(await cell(page, 'Вариант 1, Смес т., резултат').inputValue(), '500');
  assert.ok(modules.includes('/blendora.wasm'), modules.join(' '));
  await context.close();
});

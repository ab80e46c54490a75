// In Chromium, which reports every request, every console message and what the accessibility
// tree names: a pupil's calculation asks nothing of another origin and breaks no policy, the
// controls are found by the names a screen reader says, and the content policy refuses inline
// script and style.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import {
  assertKeptToItsOrigin, button, cell, openPage, openPhonePage, useSiteAndBrowser, variant, waitUntilReady,
} from '../harness.mjs';

const shared = useSiteAndBrowser();

for (const [layout, open] of [['the window\'s layout', openPage], ['a phone\'s layout', openPhonePage]]) {
  test(`in ${layout}, Вариант 2 is worked through the controls' accessible names`, async () => {
    const page = await open(shared.browser, shared.server.url);
    await variant(page, 2).check();
    for (const [heading, text] of [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес %', '36']]) {
      await cell(page, `Вариант 2, ${heading}`).fill(text);
    }
    await button(page, 'Изчисли').click();
    const result = cell(page, 'Вариант 2, Тегло 2, резултат');
    assert.equal(await result.inputValue(), '300');
    assert.equal(await page.getByRole('status').and(page.locator('#announcer')).textContent(), 'Тегло 2 300, Смес т. 500');
    // The worked solution is the result's accessible description.
    const description = await result.evaluate((field) => document.getElementById(field.getAttribute('aria-describedby')).textContent);
    assert.equal(description, 'Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300');
    await page.context().close();
  });
}

test('the content policy refuses inline script and style', async () => {
  // A page of its own, unwatched: the refusals it provokes are reported in its console.
  const context = await shared.browser.newContext();
  const page = await context.newPage();
  await page.goto(shared.server.url);
  await waitUntilReady(page);
  const refused = await page.evaluate(() => new Promise((resolve) => {
    const directives = [];
    document.addEventListener('securitypolicyviolation', (event) => {
      directives.push(event.effectiveDirective);
      if (directives.length === 2) {
        resolve([window.injected ?? 'not run', ...directives.sort()]);
      }
    });
    const script = document.createElement('script');
    script.textContent = 'window.injected = true;';
    const style = document.createElement('style');
    style.textContent = 'body { display: none; }';
    document.head.append(script, style);
  }));
  assert.deepEqual(refused, ['not run', 'script-src-elem', 'style-src-elem']);
  await context.close();
});

test('without scripts the form still shows, and a line says that calculating needs JavaScript', async () => {
  const context = await shared.browser.newContext({ javaScriptEnabled: false, viewport: { width: 1024, height: 768 } });
  const page = await context.newPage();
  await page.goto(shared.server.url);
  assert.equal(await page.locator('.needs-script').innerText(),
    'Калкулаторът има нужда от JavaScript: разрешете го в браузъра, за да изчислява.');
  assert.equal(await cell(page, 'Вариант 1, % - 1').isVisible(), true);
  const [form, last] = await Promise.all([page.locator('#form').boundingBox(), page.locator('#cell-41').boundingBox()]);
  assert.deepEqual([last.x - form.x, last.y - form.y, last.width, last.height], [432, 208, 65, 27]);
  assert.equal(await page.locator('.text-box-0').inputValue().then((text) => text.startsWith('В задачите')), true);
  await context.close();
});

test('no request leaves the page\'s origin, and nothing complained', () => {
  assertKeptToItsOrigin(assert, shared.server.url);
});

// In Chromium: the longest text the pupil's own problem reads, 10 000 characters, is read and its
// result shown within 50 ms, the median of five runs after two that fetch the reader and warm it
// up. Timed in the page, from Реши to the result drawn, so that the reader, its JSON and the
// section's redrawing all count.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { openPage, useSiteAndBrowser } from '../harness.mjs';

const shared = useSiteAndBrowser();

const example = 'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?';

test('10 000 characters are read within 50 ms', async (t) => {
  const page = await openPage(shared.browser, shared.server.url);
  await page.waitForSelector('#my-problem');
  const times = await page.evaluate(async (text) => {
    document.getElementById('my-problem-text').value = text;
    const solve = document.getElementById('my-problem-solve');
    const result = document.getElementById('my-problem-result');
    // The result is busy from Реши until it is drawn.
    const drawn = () => new Promise((resolve) => {
      const observer = new MutationObserver(() => {
        if (!result.hasAttribute('aria-busy')) {
          observer.disconnect();
          resolve();
        }
      });
      observer.observe(result, { attributes: true, attributeFilter: ['aria-busy'] });
    });
    const runs = [];
    for (let run = 0; run < 7; run += 1) {
      const start = performance.now();
      const shown = drawn();
      solve.click();
      await shown;
      runs.push(performance.now() - start);
    }
    return runs.slice(2);
  }, `${example} `.repeat(200).slice(0, 10000));
  const median = [...times].sort((a, b) => a - b)[2];
  t.diagnostic(`reading 10 000 characters: median ${median.toFixed(1)} ms of ${times.map((time) => time.toFixed(1)).join(', ')}`);
  assert.ok(median <= 50, `${median} ms`);
  await page.context().close();
});

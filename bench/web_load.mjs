// Measures the page as a pupil's browser loads it: the files the first visit transfers, each
// gzip-compressed as a web server would send it, the time from navigation to a page ready to
// type into, and one Calculate. Needs the site from scripts/web.sh and tests/web's packages.
//   node bench/web_load.mjs [RUNS]   (20 by default)
import { readFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';
import { join } from 'node:path';
import { launchChromium, openPage, serveSite, site } from '../tests/web/harness.mjs';

const runs = Number(process.argv[2] ?? 20);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const server = await serveSite();
const browser = await launchChromium();

const ready = [];
const calculate = [];
for (let run = 0; run < runs; run += 1) {
  const page = await openPage(browser, server.url);
  ready.push(await page.evaluate(() => performance.getEntriesByName('blendora-ready')[0].startTime));
  calculate.push(await page.evaluate(() => {
    const cells = document.querySelectorAll('input.cell');
    ['30', '200', '40', '300'].forEach((text, i) => {
      cells[i].value = text;
      cells[i].dispatchEvent(new Event('input'));
    });
    const button = document.querySelector('.command-0');
    const start = performance.now();
    for (let i = 0; i < 100; i += 1) {
      button.click();
    }
    return (performance.now() - start) / 100;
  }));
  await page.context().close();
}
await browser.close();
await server.close();

// The first run's requests are what a first visit transfers.
const files = [...new Set(server.requests.map((url) => new URL(url, server.url).pathname))]
  .map((path) => (path === '/' ? 'index.html' : path.slice(1)))
  .filter((name) => !name.startsWith('favicon'));
let total = 0;
console.log('| file | bytes | gzip -9 |\n|---|---|---|');
for (const name of files) {
  const body = readFileSync(join(site, name));
  const compressed = gzipSync(body, { level: 9 }).length;
  total += compressed;
  console.log(`| \`${name}\` | ${body.length} | ${compressed} |`);
}
console.log(`| total | | ${total} (${(total / 1024).toFixed(1)} KiB) |`);
console.log(`\nReady to type into, from navigation (median of ${runs}): ${median(ready).toFixed(1)} ms`);
console.log(`One Calculate with its refresh (median of ${runs} × 100): ${(median(calculate) * 1000).toFixed(0)} µs`);

// Measures the page as a pupil's browser loads it: the files the first visit transfers, each
// gzip-compressed as a web server would send them (and their sum without a service worker, as the
// page alone asks for them), what a repeat visit asks of the server once the service worker keeps
// the site, the time from navigation to a page ready to type into on either visit, and one
// Calculate. Needs the site from scripts/web.sh and tests/web's packages.
//   node bench/web_load.mjs [RUNS]                (20 by default)
//   node bench/web_load.mjs --slow-phone [RUNS]   a cheap phone over mobile data, on a plain and a
//                                                 gzip server (slow_phone.mjs; 9 runs by default)
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { launchChromium, openPage, serveSite, site, waitUntilReady } from '../tests/web/harness.mjs';
import { measureSlowPhone, sentCompressed } from './slow_phone.mjs';

const slowPhone = process.argv[2] === '--slow-phone';
const runs = Number(process.argv[slowPhone ? 3 : 2] ?? (slowPhone ? 9 : 20));
if (slowPhone) {
  await measureSlowPhone(runs);
  process.exit(0);
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const readyTime = (page) => page.evaluate(() => performance.getEntriesByName('blendora-ready')[0].startTime);
const fileOf = (url) => {
  const path = new URL(url, 'http://host').pathname;
  return path === '/' ? 'index.html' : path.slice(1);
};

function calculateHundredTimes() {
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
}

const server = await serveSite();
const browser = await launchChromium();
const first = { ready: [], requests: [] };
const repeat = { ready: [], requests: [], transfers: [] };
const calculate = [];
for (let run = 0; run < runs; run += 1) {
  const asked = server.transfers.length;
  const page = await openPage(browser, server.url);
  first.ready.push(await readyTime(page));
  calculate.push(await page.evaluate(calculateHundredTimes));
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  first.requests = server.transfers.slice(asked);
  const again = await page.context().newPage();
  const before = server.requests.length;
  const sent = server.transfers.length;
  await again.goto(server.url);
  await waitUntilReady(again);
  repeat.ready.push(await readyTime(again));
  repeat.requests = server.requests.slice(before);
  repeat.transfers = server.transfers.slice(sent);
  await page.context().close();
}
// The same first visit where the browser has no service worker: what the page alone asks for,
// all it shows after ready included.
const asked = server.transfers.length;
const alone = await openPage(browser, server.url, { serviceWorkers: 'block' });
await alone.waitForSelector('#my-problem');
const aloneRequests = server.transfers.slice(asked);
await alone.context().close();
await browser.close();
await server.close();

// Each file once in the table; the total counts every body the server sent, the service
// worker's own fetches included where the browser had no copy to revalidate.
let total = 0;
const transfers = first.requests.map(fileOf);
console.log('| file | bytes | gzip -9 | times |\n|---|---|---|---|');
for (const name of new Set(transfers)) {
  const body = readFileSync(join(site, name));
  const compressed = sentCompressed(name, body);
  const times = transfers.filter((transfer) => transfer === name).length;
  total += compressed * times;
  console.log(`| \`${name}\` | ${body.length} | ${compressed} | ${times} |`);
}
console.log(`| first visit | | ${total} (${(total / 1024).toFixed(1)} KiB) | ${transfers.length} |`);
const aloneTotal = aloneRequests.map(fileOf)
  .reduce((sum, name) => sum + sentCompressed(name, readFileSync(join(site, name))), 0);
console.log(`| without a service worker | | ${aloneTotal} (${(aloneTotal / 1024).toFixed(1)} KiB) | ${aloneRequests.length} |`);
console.log(`\nA repeat visit asks the server for: ${repeat.requests.map(fileOf).join(', ') || 'nothing'}; it sends: ${repeat.transfers.map(fileOf).join(', ') || 'nothing'}`);
console.log(`Ready to type into (median of ${runs}): first visit ${median(first.ready).toFixed(1)} ms, repeat visit ${median(repeat.ready).toFixed(1)} ms`);
console.log(`One Calculate with its refresh (median of ${runs} × 100): ${(median(calculate) * 1000).toFixed(0)} µs`);

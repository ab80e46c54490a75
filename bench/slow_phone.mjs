// The page's first visit on a cheap phone over mobile data, as Lighthouse emulates one in
// Chromium: the CPU 4× slower, 150 ms round trips, 1.6 Mbit/s down and 750 kbit/s up, a
// 412-pixel screen, nothing cached. Two servers, as schools have them: a plain one (Python's
// http.server over HTTP/1.1, no compression, as many school and file servers are) and one that
// gzip-compresses text and WebAssembly (scripts/serve-site.mjs). Cold visits of the page on
// each are interleaved with cold visits of a bare page (a heading and 42 labelled inputs), and
// the medians of the first contentful paint and of the page being ready to type into are printed
// beside the bare page's first paint, with what a first visit takes before ready, file by file,
// and when the step-by-step solution, which comes after ready, can be shown.
import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launchChromium, serveSite, site, waitUntilReady } from '../tests/web/harness.mjs';
import { serveSite as serveFolder } from '../scripts/serve-site.mjs';

export const goals = { bytes: 90e3, gzipped: 42e3, paint: 1.5, plainReady: 2.4, gzipReady: 2.2 };
const phone = { viewport: { width: 412, height: 823 }, deviceScaleFactor: 1.75, isMobile: true, hasTouch: true };
const network = { offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8 };
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function barePage() {
  const folder = mkdtempSync(join(tmpdir(), 'blendora-bare-'));
  const fields = Array.from({ length: 42 }, (_, i) => `<label>${i + 1} <input type="text"></label>`).join('\n');
  writeFileSync(join(folder, 'index.html'), `<!DOCTYPE html>\n<html lang="bg"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1"><title>Bare</title></head>
<body><h1>Изчисляване процент и тегло в смеси</h1>\n${fields}\n</body></html>\n`);
  return folder;
}

const freePort = () => new Promise((resolve) => {
  const probe = createServer().listen(0, '127.0.0.1', () => {
    const { port } = probe.address();
    probe.close(() => resolve(port));
  });
});

// Python's http.server on the site, once it says that it serves.
async function servePlain(folder) {
  const port = await freePort();
  const server = spawn('python3', ['-u', '-m', 'http.server', '--protocol', 'HTTP/1.1', '--bind', '127.0.0.1',
    '--directory', folder, String(port)], { stdio: ['ignore', 'pipe', 'ignore'] });
  await new Promise((resolve, reject) => {
    server.stdout.on('data', (chunk) => chunk.toString().includes('Serving HTTP') && resolve());
    server.once('exit', (code) => reject(new Error(`http.server ended (${code}) before it served`)));
  });
  return { url: `http://127.0.0.1:${port}/`, close: () => server.kill() };
}

// One cold visit: its first contentful paint, its readiness and its solution's (for Blendora) and
// each file asked for before it was ready, in milliseconds from navigation.
async function visit(browser, url, ready) {
  const context = await browser.newContext(phone);
  const page = await context.newPage();
  const session = await context.newCDPSession(page);
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
  await session.send('Network.emulateNetworkConditions', network);
  await session.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await page.goto(url);
  if (ready) {
    await waitUntilReady(page);
    await page.waitForFunction(() => performance.getEntriesByName('blendora-solution').length > 0);
  }
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0);
  const timing = await page.evaluate(() => {
    const readyAt = performance.getEntriesByName('blendora-ready')[0]?.startTime;
    return {
      paint: performance.getEntriesByName('first-contentful-paint')[0].startTime,
      ready: readyAt,
      solution: performance.getEntriesByName('blendora-solution')[0]?.startTime,
      files: performance.getEntriesByType('resource').filter((entry) => entry.startTime < readyAt)
        .map((entry) => entry.name.split('/').pop()),
    };
  });
  await context.close();
  return timing;
}

// What a compressing server sends of a file: one compressed already goes as it is.
export const sentCompressed = (name, body) => (name.endsWith('.gz') ? body.length : gzipSync(body, { level: 9 }).length);

// What the visit took before ready, each file as sent plain and gzip-compressed.
function printBytes(files) {
  let bytes = 0;
  let gzipped = 0;
  console.log('  before ready (bytes, gzip -9):');
  for (const name of ['index.html', ...files]) {
    const body = readFileSync(join(site, name));
    const compressed = sentCompressed(name, body);
    bytes += body.length;
    gzipped += compressed;
    console.log(`    ${name}: ${body.length}, ${compressed}`);
  }
  const mark = (value, goal) => `${value <= goal ? 'within' : 'over'} the goal of ${goal / 1000} KB`;
  console.log(`    in all: ${bytes} (${mark(bytes, goals.bytes)}), ${gzipped} gzipped (${mark(gzipped, goals.gzipped)})`);
}

function printTimes(name, visits, barePaint, readyGoal) {
  const paint = median(visits.map((timing) => timing.paint));
  const ready = median(visits.map((timing) => timing.ready));
  const solution = median(visits.map((timing) => timing.solution - timing.ready));
  const ratio = (value) => (value / barePaint).toFixed(2);
  console.log(`  ${name}: first contentful paint ${paint.toFixed(0)} ms (${ratio(paint)}× the bare page's; goal at most ${goals.paint}×),`
    + ` ready ${ready.toFixed(0)} ms (${ratio(ready)}× the bare page's first paint; goal at most ${readyGoal}×),`
    + ` the solution ${solution.toFixed(0)} ms after ready`);
}

export async function measureSlowPhone(runs) {
  const bare = barePage();
  const bareServer = await serveFolder(bare);
  const gzipServer = await serveSite();
  const plainServer = await servePlain(site);
  const browser = await launchChromium();
  const plain = [];
  const gzip = [];
  const barePaints = [];
  for (let run = 0; run < runs; run += 1) {
    plain.push(await visit(browser, plainServer.url, true));
    barePaints.push((await visit(browser, bareServer.url, false)).paint);
    gzip.push(await visit(browser, gzipServer.url, true));
  }
  await browser.close();
  await Promise.all([bareServer.close(), gzipServer.close(), plainServer.close()]);
  rmSync(bare, { recursive: true, force: true });

  const barePaint = median(barePaints);
  console.log(`Slow phone, cold visits, medians of ${runs}; bare page's first contentful paint ${barePaint.toFixed(0)} ms`);
  printTimes('plain server', plain, barePaint, goals.plainReady);
  printTimes('gzip server', gzip, barePaint, goals.gzipReady);
  // What the page needs to be ready: its modules and the WebAssembly, not the favicon that a
  // browser asks for meanwhile.
  printBytes([...new Set(gzip[0].files)].filter((name) => /\.(js|wasm(\.gz)?)$/.test(name)));
}

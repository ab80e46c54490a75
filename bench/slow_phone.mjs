// The page's first visit on a cheap phone over mobile data, as Lighthouse emulates one in
// Chromium: the CPU 4× slower, 150 ms round trips, 1.6 Mbit/s down and 750 kbit/s up, a
// 412-pixel screen, nothing cached. Cold visits of the page are interleaved with cold visits of
// a bare page (a heading and 42 labelled inputs, served the same way), and the medians of the
// first contentful paint and of the page being ready to type into are printed beside the bare
// page's first paint, with each file's start from resource timing.
// Goals: first paint at most 1.5× the bare page's; ready at most 2.5× the bare page's first paint.
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium, serveSite, waitUntilReady } from '../tests/web/harness.mjs';
import { serveSite as serveFolder } from '../scripts/serve-site.mjs';

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

// One cold visit: its first contentful paint, its readiness (for Blendora) and when each file
// was asked for, in milliseconds from navigation.
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
  }
  await page.waitForFunction(() => performance.getEntriesByName('first-contentful-paint').length > 0);
  const timing = await page.evaluate(() => ({
    paint: performance.getEntriesByName('first-contentful-paint')[0].startTime,
    ready: performance.getEntriesByName('blendora-ready')[0]?.startTime,
    module: performance.getEntriesByName('blendora-module')[0]?.startTime,
    files: performance.getEntriesByType('resource').map((entry) => [entry.name.split('/').pop(), entry.startTime, entry.responseEnd]),
  }));
  await context.close();
  return timing;
}

export async function measureSlowPhone(runs) {
  const bare = barePage();
  const bareServer = await serveFolder(bare);
  const server = await serveSite();
  const browser = await launchChromium();
  const blendora = [];
  const plain = [];
  for (let run = 0; run < runs; run += 1) {
    blendora.push(await visit(browser, server.url, true));
    plain.push(await visit(browser, bareServer.url, false));
  }
  await browser.close();
  await server.close();
  await bareServer.close();
  rmSync(bare, { recursive: true, force: true });

  const barePaint = median(plain.map((timing) => timing.paint));
  const paint = median(blendora.map((timing) => timing.paint));
  const ready = median(blendora.map((timing) => timing.ready));
  console.log(`Slow phone, cold visits, medians of ${runs}:`);
  console.log(`  bare page: first contentful paint ${barePaint.toFixed(0)} ms`);
  console.log(`  Blendora: first contentful paint ${paint.toFixed(0)} ms (${(paint / barePaint).toFixed(2)}× the bare page's; goal at most 1.5×)`);
  const started = blendora.map((timing) => timing.module).filter((time) => time !== undefined);
  if (started.length > 0) {  // a page that marks it
    console.log(`  Blendora: the module compiled and started ${median(started).toFixed(0)} ms`);
  }
  console.log(`  Blendora: ready ${ready.toFixed(0)} ms (${(ready / barePaint).toFixed(2)}× the bare page's first paint; goal at most 2.5×)`);
  console.log('  each file asked for at (ms from navigation, median):');
  const names = [...new Set(blendora.flatMap((timing) => timing.files.map(([name]) => name)))];
  for (const name of names) {
    const starts = blendora.map((timing) => timing.files.find(([file]) => file === name)?.[1]).filter((start) => start !== undefined);
    const ends = blendora.map((timing) => timing.files.find(([file]) => file === name)?.[2]).filter((end) => end !== undefined);
    console.log(`    ${name || 'index.html'}: ${median(starts).toFixed(0)} to ${median(ends).toFixed(0)}`);
  }
}

// What the page's tests share: the site served on a free port of this machine, Debian's Chromium
// driven by Playwright, and the page's controls found as a screen reader finds them.
import { existsSync } from 'node:fs';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';
import { serveSite as serveFolder } from '../../scripts/serve-site.mjs';

export const site = process.env.BLENDORA_SITE ?? new URL('../../build/web/site', import.meta.url).pathname;

// The site as a pupil's browser gets it; every request is recorded. On a given port, the origin of
// a server stopped before comes back.
export function serveSite(port = 0) {
  if (!existsSync(`${site}/index.html`)) {
    throw new Error(`No page in ${site}: scripts/web.sh builds it.`);
  }
  return serveFolder(site, port);
}

// Chromium as the probe of this machine starts it: no network of its own, no first-run chores.
export const chromiumArguments = [
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-features=Translate',
  ...(process.getuid?.() === 0 ? ['--no-sandbox'] : []),
];

export function launchChromium(options = {}) {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: chromiumArguments, ...options });
}

// What every page of a test file asked for and reported: each request, and each console
// message or uncaught error, which a page that keeps to its content policy never has.
export const observed = { requests: [], complaints: [] };

export function watch(page) {
  page.on('request', (request) => observed.requests.push(request.url()));
  page.on('console', (message) => {
    if (['error', 'warning'].includes(message.type())) {
      observed.complaints.push(message.text());
    }
  });
  page.on('pageerror', (error) => observed.complaints.push(error.message));
  return page;
}

// The page, ready to type into, in a new browser context of the given language and screen.
export async function openPage(browser, url, { locale = 'bg-BG', viewport = { width: 1024, height: 768 }, ...rest } = {}) {
  const context = await browser.newContext({ locale, viewport, ...rest });
  const page = watch(await context.newPage());
  await page.goto(url);
  await waitUntilReady(page);
  return page;
}

export const waitUntilReady = (page) => page.waitForSelector('html[data-ready="true"]');

// Every request went to the page's own origin, and nothing complained.
export function assertKeptToItsOrigin(assert, url) {
  const origin = new URL(url).origin;
  assert.deepEqual(observed.requests.filter((request) => new URL(request).origin !== origin), []);
  assert.deepEqual(observed.complaints, []);
}

const phone = { viewport: { width: 360, height: 740 }, isMobile: true, hasTouch: true };
export const openPhonePage = (browser, url, options = {}) => openPage(browser, url, { ...phone, ...options });

export const cell = (page, name) => page.getByRole('textbox', { name, exact: true });
export const variant = (page, n) => page.getByRole('radio', { name: `Вариант ${n}`, exact: true });
export const button = (page, name) => page.getByRole('button', { name, exact: true });

export const cellValues = (page) => page.$$eval('input.cell', (cells) => cells.map((c) => c.value));

// The site's server and a browser (Chromium unless `launch` starts another) for the tests of
// one file, started before them and stopped after them.
export function useSiteAndBrowser(launch = launchChromium) {
  const shared = {};
  before(async () => {
    shared.server = await serveSite();
    shared.browser = await launch();
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.close();
  });
  return shared;
}

// The page is an app that Chromium would install, and keeps nothing of the pupil's.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import {
  assertKeptToItsOrigin, button, cell, chromiumArguments, openPhonePage, useSiteAndBrowser, variant,
  waitUntilReady, watch,
} from '../harness.mjs';

const shared = useSiteAndBrowser();

// The service worker has stored the site and answers for the page.
const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null);

test('a visit stores nothing but the service worker\'s cache: no cookie, no storage', async () => {
  const page = await openPhonePage(shared.browser, shared.server.url);
  await controlled(page);
  await variant(page, 2).tap();
  for (const [heading, text] of [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес %', '36']]) {
    await cell(page, `Вариант 2, ${heading}`).fill(text);
  }
  await button(page, 'Изчисли').tap();
  assert.equal(await cell(page, 'Вариант 2, Тегло 2, резултат').inputValue(), '300');
  assert.equal((await page.evaluate(async () => caches.keys())).length, 1);
  assert.deepEqual(await page.context().cookies(), []);
  assert.deepEqual(await page.evaluate(async () => [localStorage.length, sessionStorage.length,
    (await indexedDB.databases()).length]), [0, 0, 0]);
  await page.context().close();
});

// A new context is off the record and always answers "in-incognito": a profile is asked instead.
test('Chromium finds nothing that keeps the page from being installed', async () => {
  const profile = mkdtempSync(join(tmpdir(), 'blendora-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium', args: chromiumArguments, viewport: { width: 360, height: 740 },
  });
  try {
    const page = watch(context.pages()[0] ?? await context.newPage());
    await page.goto(shared.server.url);
    await waitUntilReady(page);
    await controlled(page);
    const session = await context.newCDPSession(page);
    const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const { url, errors, data } = await session.send('Page.getAppManifest');
    assert.equal(new URL(url).pathname, '/manifest.webmanifest');
    assert.deepEqual(errors, []);
    // What shows while the installed page starts has the window's colour, as the page has.
    const { theme_color: theme, background_color: background } = JSON.parse(data);
    const { windowColour, maskableCorner } = await page.evaluate(async () => {
      const icon = new Image();
      icon.src = 'icon-maskable-512.png';
      await icon.decode();
      const canvas = document.createElement('canvas');
      canvas.getContext('2d').drawImage(icon, 0, 0);
      const [red, green, blue] = canvas.getContext('2d').getImageData(0, 0, 1, 1).data;
      return {
        windowColour: getComputedStyle(document.documentElement).getPropertyValue('--window').trim(),
        maskableCorner: `#${[red, green, blue].map((c) => c.toString(16).padStart(2, '0')).join('')}`,
      };
    });
    assert.deepEqual([theme, background, maskableCorner], [windowColour, windowColour, windowColour]);
  } finally {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  }
});

test('no request leaves the page\'s origin, and no policy is violated', () => {
  assertKeptToItsOrigin(assert, shared.server.url);
});

// The thin layer the page's behaviour tests drive every browser engine through, so that each
// test is written once. BLENDORA_ENGINE names the engine:
//   chromium  Debian's Chromium, through Playwright
//   firefox   Debian's Firefox ESR, through Puppeteer over WebDriver BiDi
//   webkit    WebKitGTK's MiniBrowser, through Selenium and WebKitWebDriver (needs an X display)
// A browser opens pages at a language and a viewport; a page does what a pupil does (click,
// type, press a key, paste) and answers questions asked in it through evaluate(fn, arg), whose
// fn runs in the page and returns plain data.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium, waitUntilReady } from './harness.mjs';

export const engine = process.env.BLENDORA_ENGINE ?? 'chromium';

const ready = () => document.documentElement.dataset.ready === 'true';
// The form is drawn, whether or not its script has taken it over.
const drawn = () => document.getElementById('cell-41') !== null;
const selectAll = (selector) => document.querySelector(selector).select();
const insert = (text) => document.execCommand('insertText', false, text);
// Resolves once the page has drawn two frames: by then it has heard of a new size (media
// queries, resize) and acted on it.
const twoFrames = () => new Promise((resolve) => {
  requestAnimationFrame(() => requestAnimationFrame(() => resolve([window.innerWidth, window.innerHeight])));
});

// launchBrowser(): { open(url, { language, width, height, phone, ready, bypassPolicy }), close() };
// open waits until the page is ready to calculate, or with ready: false only until the form is
// drawn; bypassPolicy (Chromium alone) lifts the page's content policy, so that a check of what
// the page runs tests the page's own code and not the policy. Every
// page has evaluate, click, type, press, paste, fill, setViewport, reload, untilReady,
// screenshot, close and complaints (console errors and warnings and uncaught errors, or null
// where the protocol cannot tell).
export function launchBrowser() {
  return { chromium: chromiumBrowser, firefox: firefoxBrowser, webkit: webkitBrowser }[engine]();
}

// Chromium: a fresh context for every page, with the language, screen and touch of a phone.
async function chromiumBrowser() {
  const browser = await launchChromium();
  return {
    async open(url, {
      language = 'bg-BG', width = 1024, height = 768, phone = false, ready: whole = true, bypassPolicy = false,
    } = {}) {
      const valid = isLanguageTag(language);
      const context = await browser.newContext({
        locale: valid ? language : undefined, viewport: { width, height }, isMobile: phone, hasTouch: phone,
        bypassCSP: bypassPolicy,
      });
      const page = await context.newPage();
      if (!valid) {
        // Chromium takes no language that is not a valid tag, as others report one: say it in the page.
        await page.addInitScript((name) => Object.defineProperty(Navigator.prototype, 'language', { get: () => name }), language);
      }
      const complaints = listen(page, 'pageerror');
      await page.goto(url, { waitUntil: 'commit' });
      await page.waitForFunction(whole ? ready : drawn);
      return withFill({
        complaints,
        untilReady: () => page.waitForFunction(ready),
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        click: (selector) => (phone ? page.tap(selector) : page.click(selector)),
        type: (text) => page.keyboard.type(text),
        press: (key) => page.keyboard.press(key),
        paste: (text) => page.keyboard.insertText(text),
        setViewport: async (w, h) => {
          await page.setViewportSize({ width: w, height: h });
          await page.evaluate(twoFrames);
        },
        reload: async () => {
          await page.reload();
          await waitUntilReady(page);
        },
        screenshot: (path) => page.screenshot({ path }),
        close: () => context.close(),
      });
    },
    close: () => browser.close(),
  };
}

// Firefox: one browser for each language, which Firefox takes from its preferences.
async function firefoxBrowser() {
  const { default: puppeteer } = await import('puppeteer-core');
  const browsers = new Map();
  const browserFor = (language) => {
    if (!browsers.has(language)) {
      browsers.set(language, puppeteer.launch({
        browser: 'firefox',
        executablePath: '/usr/bin/firefox-esr',
        headless: true,
        extraPrefsFirefox: { 'intl.accept_languages': language, 'intl.locale.requested': language },
      }));
    }
    return browsers.get(language);
  };
  return {
    async open(url, { language = 'bg-BG', width = 1024, height = 768, ready: whole = true } = {}) {
      const page = await (await browserFor(language)).newPage();
      const complaints = listen(page, 'pageerror');
      await page.setViewport({ width, height });
      const reload = async (go) => {
        await go();
        await page.waitForFunction(ready);
      };
      await page.goto(url, { waitUntil: 'domcontentloaded' });
      await page.waitForFunction(whole ? ready : drawn);
      return withFill({
        complaints,
        untilReady: () => page.waitForFunction(ready),
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        click: (selector) => page.click(selector),
        type: (text) => page.keyboard.type(text),
        press: (key) => page.keyboard.press(key),
        paste: (text) => page.evaluate(insert, text),
        setViewport: async (w, h) => {
          await page.setViewport({ width: w, height: h });
          await page.evaluate(twoFrames);
        },
        reload: () => reload(() => page.reload()),
        screenshot: (path) => page.screenshot({ path }),
        close: () => page.close(),
      });
    },
    async close() {
      await Promise.all([...browsers.values()].map(async (browser) => (await browser).close()));
    },
  };
}

// WebKit: WebKitGTK takes the page's language from its driver's environment, so each language
// has a WebKitWebDriver and a MiniBrowser of its own, which every page of that language reuses.
// MiniBrowser's window is no narrower than its toolbar: a page for a narrower screen stands in a
// frame of that screen's size (where WebKit keeps service workers out; the offline test is wide).
async function webkitBrowser() {
  const { Builder, By, Key } = await import('selenium-webdriver');
  const keys = { Enter: Key.ENTER, Tab: Key.TAB, ArrowDown: Key.ARROW_DOWN };
  const sessions = new Map();
  // A page opened before it is ready needs a session whose navigations return at once: with the
  // eager strategy WebKitWebDriver now and then still waits for the load event, which the held
  // WebAssembly keeps back. Such a page is waited for by its own state instead.
  const sessionFor = (language, early) => {
    const key = `${language} ${early}`;
    if (!sessions.has(key)) {
      sessions.set(key, startWebKit(Builder, language, early));
    }
    return sessions.get(key);
  };
  return {
    async open(url, { language = 'bg-BG', width = 1024, height = 768, ready: whole = true } = {}) {
      const { driver, narrowest, chrome } = await sessionFor(language, !whole);
      const evaluate = (fn, arg) => driver.executeScript(fn, arg);
      const window = driver.manage().window();
      const framed = width < narrowest;
      const setViewport = async (w, h) => {
        if (framed) {
          await driver.switchTo().defaultContent();
          await window.setRect({ width: 1024, height: 1024 });
          await evaluate((size) => Object.assign(document.querySelector('iframe').style, size),
            { width: `${w}px`, height: `${h}px` });
          await driver.switchTo().frame(0);
        } else {
          // The window's rectangle holds the browser's own frame around the page.
          await window.setRect({ width: w + chrome.width, height: h + chrome.height });
        }
        // Until the page has its new size, and has heard of it.
        const innerSize = () => evaluate(twoFrames);
        let inner;
        await driver.wait(async () => {
          inner = await innerSize();
          return inner[0] === w && inner[1] === h;
        }, 10000).catch(() => {
          throw new Error(`The page got ${inner.join(' × ')} CSS pixels, not ${w} × ${h}`);
        });
      };
      // Waits for a new page: the old one is marked, and the new one must reach the state unmarked.
      // A document still on its way may not answer yet.
      const replace = async (go, state = ready) => {
        await evaluate(() => {
          window.blendoraReplaced = true;
        });
        await go();
        const arrived = `return !window.blendoraReplaced && (${state})();`;
        await driver.wait(() => driver.executeScript(arrived).catch(() => false), 30000);
      };
      // The page starts at its size, as on a real screen: sized first, then loaded.
      await driver.switchTo().defaultContent();
      await driver.get('about:blank');
      if (framed) {
        await evaluate(([src, size]) => {
          document.body.style.margin = '0';
          const frame = Object.assign(document.createElement('iframe'), { src });
          Object.assign(frame.style, { border: 'none', ...size });
          document.body.append(frame);
        }, [url, { width: `${width}px`, height: `${height}px` }]);
        await driver.switchTo().frame(0);
        await driver.wait(() => evaluate(whole ? ready : drawn), 30000);
      } else {
        await setViewport(width, height);
        await replace(() => driver.get(url), whole ? ready : drawn);
      }
      await setViewport(width, height);
      return withFill({
        complaints: null,
        untilReady: () => driver.wait(() => evaluate(ready), 30000),
        evaluate,
        setViewport,
        click: async (selector) => driver.findElement(By.css(selector)).click(),
        type: (text) => driver.actions().sendKeys(text).perform(),
        press: (key) => driver.actions().sendKeys(keys[key]).perform(),
        paste: (text) => evaluate(insert, text),
        reload: () => replace(() => evaluate(() => window.location.reload())),
        screenshot: async (path) => {
          const { writeFile } = await import('node:fs/promises');
          await writeFile(path, await driver.takeScreenshot(), 'base64');
        },
        // The next page replaces this one; going to about:blank here would make that page's own
        // step to about:blank no navigation, and its frame would never load.
        close: () => driver.switchTo().defaultContent(),
      });
    },
    async close() {
      for (const session of sessions.values()) {
        const { driver, server } = await session;
        await withinAMinute(driver.quit()).finally(() => server.kill('SIGKILL'));
      }
      if (locales) {
        rmSync(locales, { recursive: true, force: true });
      }
    },
  };
}

// A WebKitWebDriver on a free port, in the given language, and a MiniBrowser session through it.
// A browser that has not answered within a minute is stopped and started once more; what the
// driver wrote goes into the error of a start that failed twice.
async function startWebKit(Builder, language, early, attempts = 2) {
  const port = await freePort();
  const server = spawn('WebKitWebDriver', [`--port=${port}`], {
    env: { ...process.env, ...localeEnvironment(language) }, stdio: ['ignore', 'pipe', 'pipe'],
  });
  let log = '';
  const record = (chunk) => {
    log = (log + chunk).slice(-4000);
  };
  server.stdout.on('data', record);
  server.stderr.on('data', record);
  try {
    await listening(`http://127.0.0.1:${port}/status`);
    const driver = await withinAMinute(new Builder()
      .usingServer(`http://127.0.0.1:${port}`)
      .withCapabilities({
        browserName: 'MiniBrowser',
        pageLoadStrategy: early ? 'none' : 'normal',
        timeouts: { pageLoad: 60000, script: 30000 },
        'webkitgtk:browserOptions': {
          binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
          args: ['--automation'],
        },
      })
      .build());
    return { driver, server, ...await withinAMinute(measureWindow(driver)) };
  } catch (error) {
    server.kill('SIGKILL');
    if (attempts > 1) {
      return startWebKit(Builder, language, early, attempts - 1);
    }
    throw new Error(`MiniBrowser did not start: ${error.message}\nWebKitWebDriver said:\n${log}`);
  }
}

function withinAMinute(promise) {
  let timer;
  const late = new Promise((resolve, reject) => {
    timer = setTimeout(() => reject(new Error('no answer within a minute')), 60000);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// How narrow MiniBrowser's window lets a page be, and how much its own frame (the toolbar) adds
// to the page's size. The window manager takes its time over a new size: each is read once the
// window holds it and the page's size has stopped changing.
async function measureWindow(driver) {
  const window = driver.manage().window();
  const settled = async (width, height) => {
    await window.setRect({ width, height });
    let last = '';
    return driver.wait(async () => {
      const rect = await window.getRect();
      const inner = await driver.executeScript(() => [window.innerWidth, window.innerHeight]);
      const reading = JSON.stringify([rect.width, rect.height, ...inner]);
      const steady = reading === last && rect.height === height;
      last = reading;
      return steady && { rect, inner };
    }, 10000);
  };
  const narrow = await settled(100, 600);
  const wide = await settled(1024, 800);
  return {
    narrowest: narrow.inner[0],
    chrome: { width: wide.rect.width - wide.inner[0], height: wide.rect.height - wide.inner[1] },
  };
}

// WebKitGTK reports the language of the C library's locale, which must exist to be taken: each
// is compiled into a folder of the tests' own, leaving the machine's locales as they are. 'C'
// is the bare locale of a system without one, which WebKit reports as the language "C".
let locales;
function localeEnvironment(language) {
  const clear = { LANGUAGE: '', LC_ALL: '', LC_CTYPE: '', LC_MESSAGES: '' };
  if (language === 'C') {
    return { ...clear, LANG: 'C.UTF-8' };
  }
  locales ??= mkdtempSync(join(tmpdir(), 'blendora-locales-'));
  const [code, region] = language.split('-');
  const name = `${code}_${region}.UTF-8`;
  if (!existsSync(join(locales, name))) {
    execFileSync('localedef', ['-c', '-i', `${code}_${region}`, '-f', 'UTF-8', join(locales, name)]);
  }
  return { ...clear, LOCPATH: locales, LANG: name };
}

// Asks until the driver answers, for half a minute at most.
async function listening(url) {
  for (const deadline = Date.now() + 30000; Date.now() < deadline;) {
    try {
      if ((await fetch(url)).ok) {
        return;
      }
    } catch {
      // not listening yet
    }
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  throw new Error(`No WebDriver answered at ${url}`);
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

function isLanguageTag(language) {
  try {
    return Intl.getCanonicalLocales(language).length === 1;
  } catch {
    return false;
  }
}

// What a page reports of itself: console errors and warnings, and uncaught errors.
function listen(page, errorEvent) {
  const complaints = [];
  page.on('console', (message) => {
    if (['error', 'warning', 'warn'].includes(message.type())) {
      complaints.push(message.text());
    }
  });
  page.on(errorEvent, (error) => complaints.push(error.message));
  return complaints;
}

// fill(selector, text): into the control, over what it held, as a pupil types it.
function withFill(page) {
  return {
    ...page,
    async fill(selector, text) {
      await page.click(selector);
      await page.evaluate(selectAll, selector);
      await page.type(text);
    },
  };
}

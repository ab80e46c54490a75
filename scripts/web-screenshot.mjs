// Does in the page what a pupil does in the window (Вариант 2: 30, 200, 40, 36, Изчисли) and
// saves what the browser shows: the window's client area at 1024 × 768.
//   node scripts/web-screenshot.mjs [FILE]   (docs/web.png by default; needs scripts/web.sh)
import { button, cell, launchChromium, openPage, serveSite, variant } from '../tests/web/harness.mjs';

const file = process.argv[2] ?? new URL('../docs/web.png', import.meta.url).pathname;
const server = await serveSite();
// Playwright hides scroll bars in headless shots; the assignment box's is part of the look.
const browser = await launchChromium({ ignoreDefaultArgs: ['--hide-scrollbars'] });
const page = await openPage(browser, server.url);
await variant(page, 2).check();
const givens = [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес %', '36']];
for (const [heading, text] of givens) {
  await cell(page, `Вариант 2, ${heading}`).fill(text);
}
await button(page, 'Изчисли').click();
await page.locator('#form').screenshot({ path: file });
await browser.close();
await server.close();
console.log(`Saved ${file}`);

// Does in the page what a pupil does in the window (Вариант 2: 30, 200, 40, 36, Изчисли) and
// saves what the browser shows: the whole page at 1024 × 768, the window with the solution below
// it, or with --phone the whole page on a 360 × 740 phone.
//   node scripts/web-screenshot.mjs [--phone] [FILE]   (docs/web.png or docs/web-phone.png)
import { button, cell, launchChromium, openPage, openPhonePage, serveSite, variant } from '../tests/web/harness.mjs';

const phone = process.argv[2] === '--phone';
const file = process.argv[phone ? 3 : 2] ??
  new URL(phone ? '../docs/web-phone.png' : '../docs/web.png', import.meta.url).pathname;
const server = await serveSite();
// Playwright hides scroll bars in headless shots; the assignment box's is part of the look.
const browser = await launchChromium({ ignoreDefaultArgs: ['--hide-scrollbars'] });
const page = await (phone ? openPhonePage : openPage)(browser, server.url);
await variant(page, 2).check();
const givens = [['% - 1', '30'], ['Тегло 1', '200'], ['% - 2', '40'], ['Смес %', '36']];
for (const [heading, text] of givens) {
  await cell(page, `Вариант 2, ${heading}`).fill(text);
}
await button(page, 'Изчисли').click();
// The solution comes once the page has fetched what solves it.
await page.getByRole('region', { name: 'Решение', exact: true }).waitFor();
await page.screenshot({ path: file, fullPage: true });
await browser.close();
await server.close();
console.log(`Saved ${file}`);

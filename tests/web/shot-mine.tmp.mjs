// Temporary: screenshots of "Моята задача" solved, desktop and phone, in BLENDORA_ENGINE.
import { openPage, openPhonePage, serveSite, waitUntilReady } from './harness.mjs';
import { engine, launchBrowser } from './engines.mjs';
const text = 'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?';
const server = await serveSite();
const browser = await launchBrowser();
for (const phone of [false, true]) {
  const page = await (phone ? openPhonePage : openPage)(browser, server.url);
  await waitUntilReady(page);
  await page.getByRole('textbox', { name: 'Текст на задачата' }).fill(text);
  await page.getByRole('button', { name: 'Реши', exact: true }).click();
  await page.getByText('Отговор: 100 г вода').first().waitFor();
  const region = page.getByRole('region', { name: 'Моята задача' });
  await region.scrollIntoViewIfNeeded();
  const wide = await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth);
  await page.screenshot({ path: `/tmp/shots2/${engine}-${phone ? 'phone' : 'desk'}.png`, fullPage: true });
  console.log(engine, phone ? 'phone' : 'desk', 'sideways scroll:', wide);
  await page.close();
}
await browser.close();
await server.close();

// What the behaviour tests share: the worksheet's names and data, the page's controls as CSS
// selectors, what a pupil does with them, and what the page shows, asked in the page itself.
import { after } from 'node:test';
import { launchBrowser } from '../engines.mjs';
import { useSiteAndBrowser as useServedBrowser } from '../harness.mjs';

export const headings = ['% - 1', 'Тегло 1', '% - 2', 'Тегло 2', 'Смес %', 'Смес т.'];
export const assignment = ['30', '200', '40', '300', '36', '500'];
// Per variant, the columns computed (the others are given), as in README's table.
export const computed = [[4, 5], [3, 5], [3, 4], [2, 5], [1, 5], [2, 3], [1, 3]];
export const resultCells = computed.flatMap((columns, v) => columns.map((c) => 6 * v + c));
export const nameOf = (i) => {
  const name = `Вариант ${Math.floor(i / 6) + 1}, ${headings[i % 6]}`;
  return resultCells.includes(i) ? `${name}, резултат` : name;
};

export const cell = (i) => `#cell-${i}`;
export const variant = (v) => `input[name="variant"][value="${v}"]`;
export const calculate = '.command-0';
export const clear = '.command-1';
export const ok = '#fault-ok';

// The site's server and the engine's browser for the tests of one file.
export const useSiteAndBrowser = () => useServedBrowser(launchBrowser);

// open(fragment, options): a page of the site, with `fragment` after "#". Every page still open
// when the file's tests end is closed then.
export function pageOpener(shared) {
  const opened = [];
  after(() => Promise.all(opened.map((page) => page.close().catch(() => {}))));
  return async (fragment = '', options = {}) => {
    const page = await shared.browser.open(`${shared.server.url}${fragment && `#${fragment}`}`, options);
    opened.push(page);
    return page;
  };
}

// The four givens of variant v's row, typed as a pupil types them (undefined: left empty).
export async function typeRow(page, v, values) {
  for (let c = 0; c < 6; c += 1) {
    if (!computed[v].includes(c) && values[c] !== undefined) {
      await page.fill(cell(6 * v + c), values[c]);
    }
  }
}

export const cellValues = (page) => page.evaluate(() => [...document.querySelectorAll('input.cell')].map((c) => c.value));

export const row = async (page, v) => (await cellValues(page)).slice(6 * v, 6 * v + 6);

// The focused control's name, as a screen reader would say it.
export const focusedName = (page) => page.evaluate(() => {
  const focused = document.activeElement;
  return focused.getAttribute('aria-label') ?? focused.labels?.[0]?.innerText ?? focused.textContent;
});

// The open fault dialog's message, or null.
export const faultMessage = (page) => page.evaluate(() => {
  const dialog = document.getElementById('fault');
  return dialog.open ? dialog.querySelector('.fault-message').textContent : null;
});

// A box as [x, y, width, height] in CSS pixels, from the window's (the form's) top-left corner.
export const boxInWindow = (page, selector) => page.evaluate((target) => {
  const form = document.getElementById('form').getBoundingClientRect();
  const { x, y, width, height } = document.querySelector(target).getBoundingClientRect();
  return [x - form.x, y - form.y, width, height];
}, selector);

// Asks the page until fn(arg), run in it, gives something other than false, null or undefined,
// and returns that: for what the page does a moment after the pupil, such as its address.
export async function until(page, fn, arg, what = 'the page to get there') {
  for (const deadline = Date.now() + 10000; ;) {
    const answer = await page.evaluate(fn, arg);
    if (answer !== false && answer !== null && answer !== undefined) {
      return answer;
    }
    if (Date.now() > deadline) {
      throw new Error(`Waited ten seconds for ${what}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

// The page's address after "#", once it is `fragment`.
export const addressHolds = (page, fragment) => until(page, (expected) => location.hash === expected || null,
  fragment ? `#${fragment}` : '', `the address to end in #${fragment}`);

// Вариант 2 with 30, 200, 40 and 36, solved step by step, and its picture's text alternative.
export const solutionOfVariant2 = [
  'Дадено: % - 1 = 30, Тегло 1 = 200, % - 2 = 40, Смес % = 36.',
  'Търси се: Тегло 2 и Смес т.',
  '1. Активното вещество в първата съставка е 200 × 30 / 100 = 60.',
  '2. Баланс на теглата (двете съставки заедно тежат колкото сместа): 200 + «Тегло 2» = «Смес т.».',
  '3. Баланс на активното вещество (в сместа го има толкова, колкото в двете съставки заедно): '
    + '60 + «Тегло 2» × 40 / 100 = «Смес т.» × 36 / 100.',
  '4. От баланса на теглата «Смес т.» = 200 + «Тегло 2». Заместваме го в баланса на активното вещество и '
    + 'получаваме уравнение с едно неизвестно, «Тегло 2»: 60 + «Тегло 2» × 40 / 100 = (200 + «Тегло 2») × 36 / 100.',
  '5. Решаваме го: Тегло 2 = (200 × 30 − 200 × 36) / (36 − 40) = 300.',
  '6. От баланса на теглата: Смес т. = 200 + 300 = 500.',
  'Проверка: 200 × 30 / 100 + 300 × 40 / 100 = 60 + 120 = 180 = 500 × 36 / 100.',
  'Отговор: Тегло 2 = 300, Смес т. = 500.',
];
export const variant2Picture = 'Модел с отсечки: първата съставка 200, от тях 60 активно вещество; '
  + 'втората съставка 300, от тях 120; сместа 500, от тях 180.';

// What the solution's region holds, as a pupil and a screen reader meet it; null while hidden.
export const solution = (page) => page.evaluate(() => {
  const region = document.getElementById('solution');
  if (!region.checkVisibility()) {
    return null;
  }
  const picture = region.querySelector('svg');
  const box = (element) => {
    const { top, bottom, left, right } = element.getBoundingClientRect();
    return { top: top + window.scrollY, bottom: bottom + window.scrollY, left, right };
  };
  return {
    tag: region.tagName,
    name: document.getElementById(region.getAttribute('aria-labelledby'))?.textContent,
    lines: [...region.querySelectorAll('.solution-lines p')].map((line) => line.textContent),
    picture: picture && { role: picture.getAttribute('role'), name: picture.getAttribute('aria-label'),
      hatched: picture.querySelectorAll('rect[fill^="url("]').length, rects: picture.querySelectorAll('rect').length },
    smallest: Math.min(...[region, ...region.querySelectorAll('*')].filter((e) => e.checkVisibility()
      && [...e.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()))
      .map((e) => {
        // Text in the picture is drawn at the picture's scale.
        const svg = e.closest('svg');
        return parseFloat(getComputedStyle(e).fontSize) * (svg ? svg.getBoundingClientRect().width / svg.viewBox.baseVal.width : 1);
      })),
    box: box(region),
    window: box(document.getElementById('form')),
    buttons: box(document.getElementById('command-1')),
    assignment: box(document.getElementById('text-box-0')),
    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    live: document.getElementById('announcer').textContent,
  };
});

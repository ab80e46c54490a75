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

// Вариант 2 with 30, 200, 40 and 36, solved step by step, its table, and its picture's text
// alternative.
export const solutionOfVariant2 = [
  'Дадено: първата съставка има маса 200 и съдържа 30% чисто вещество; втората съставка съдържа 40%; '
    + 'сместа съдържа 36%.',
  'Търси се: масата на втората съставка и масата на сместа.',
  'Нека x е масата на втората съставка (в полето „Тегло 2“). Тогава масата на сместа е 200 + x.',
  'Чистото вещество в сместа е колкото в двете съставки заедно:',
  '60 + x · 40 : 100 = (200 + x) · 36 : 100   | · 100',
  '6000 + 40x = 36(200 + x)',
  '6000 + 40x = 7200 + 36x',
  '40x − 36x = 7200 − 6000',
  '4x = 1200',
  'x = 1200 : 4',
  'x = 300',
  'Масата на сместа е 200 + 300 = 500.',
  'Проверка: 200 · 30 : 100 + 300 · 40 : 100 = 60 + 120 = 180 и 500 · 36 : 100 = 180;',
  '200 + 300 = 500;',
  '36% е между 30% и 40%.',
  'Отговор: масата на втората съставка е 300; масата на сместа е 500.',
];
export const tableOfVariant2 = [
  ['', 'маса', 'процент', 'чисто вещество'],
  ['първа съставка', '200', '30%', '200 · 30 : 100 = 60'],
  ['втора съставка', 'x', '40%', 'x · 40 : 100'],
  ['смес', '200 + x', '36%', '(200 + x) · 36 : 100'],
];
export const variant2Picture = 'Модел с отсечки: първата съставка 200, от които 60 чисто вещество; '
  + 'втората съставка 300, от които 120; сместа 500, от които 180.';

// What the solution's region holds, as a pupil and a screen reader meet it; null while hidden.
export const solution = (page) => page.evaluate(() => {
  const region = document.getElementById('solution');
  const seen = (node) => node.querySelector('[aria-hidden="true"]')?.textContent ?? node.textContent;
  const heard = (node) => node.querySelector('.heard')?.textContent ?? node.textContent;
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
    // A line of mathematics as it is seen, and as a screen reader says it.
    lines: [...region.querySelectorAll('.solution-lines p')].map(seen),
    spoken: [...region.querySelectorAll('.solution-lines p')].map(heard),
    table: [...region.querySelectorAll('table tr')].map((tr) => [...tr.cells].map(seen)),
    headers: [...region.querySelectorAll('table th')].map((th) => th.scope),
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

// The solution once its region shows: it comes with the teaching module, after the page is ready.
export async function shownSolution(page) {
  await until(page, () => document.getElementById('solution').checkVisibility() || null, undefined, 'the solution');
  return solution(page);
}

// The practice below the calculator: its controls as CSS selectors.
export const practiceLevel = (level) => `input[name="practice-level"][value="${level}"]`;
export const answerBox = (i) => `#answer-${i}`;
export const [newProblem, check, hint, showSolution, intoGrid, sheetOpen] = ['#practice-new', '#practice-check',
  '#practice-hint', '#practice-solve', '#practice-into-grid', '#sheet-open'];

// A page of the site with its practice shown, which comes once the page is ready.
export async function openPractice(open, fragment = '', options = {}) {
  const page = await open(fragment, options);
  await until(page, () => document.getElementById('practice-text')?.textContent || null, undefined, 'the practice');
  return page;
}

// What the practice shows, as a pupil and a screen reader meet it.
export const practice = (page) => page.evaluate(() => {
  const section = document.getElementById('practice');
  const seen = (node) => node.querySelector('[aria-hidden="true"]')?.textContent ?? node.textContent;
  const solutionRegion = section.querySelector('.practice-solution');
  return {
    name: document.getElementById(section.getAttribute('aria-labelledby')).textContent,
    level: section.querySelector('input[name="practice-level"]:checked')?.value,
    text: document.getElementById('practice-text').textContent,
    // Each box's name, as a screen reader says it, and the unit beside it.
    boxes: [...section.querySelectorAll('.practice-answer input')].map((box) => [box.labels[0].textContent,
      box.parentElement.querySelector('.practice-unit').textContent]),
    feedback: section.querySelector('[role="status"]').textContent,
    solution: solutionRegion.hidden ? null : [...solutionRegion.querySelectorAll('.solution-lines p')].map(seen),
    intoGrid: !document.getElementById('practice-into-grid').hidden,
    tally: section.querySelector('.practice-tally').textContent,
  };
});

// The teacher's sheet, once drawn (its module comes when it is first asked for): its title,
// problems and the key's rows as their cells' texts, each with whether it is bold.
export const teacherSheet = (page) => until(page, () => {
  const sheet = document.getElementById('teacher-sheet');
  if (sheet.hasAttribute('aria-busy') || !sheet.querySelector('h3')) {
    return null;
  }
  return {
    title: sheet.querySelector('h3').textContent,
    problems: [...sheet.querySelectorAll('li')].map((item) => item.textContent),
    heading: [...sheet.querySelectorAll('thead th')].map((cell) => cell.textContent),
    key: [...sheet.querySelectorAll('tbody tr')].map((row) => [...row.cells].map((cell) => cell.textContent)),
    bold: [...sheet.querySelectorAll('tbody tr')].map((row) => [...row.cells]
      .map((cell) => Number(getComputedStyle(cell).fontWeight) >= 700)),
  };
}, undefined, 'the teacher\'s sheet');

// Presses Tab until fn(), run in the page, holds, at most `limit` times.
export async function tabUntil(page, fn, what, limit = 80) {
  for (let presses = 0; presses < limit; presses += 1) {
    await page.press('Tab');
    if (await page.evaluate(fn)) {
      return;
    }
  }
  throw new Error(`${limit} presses of Tab never reached ${what}`);
}

// The pupil's own problem below the practice: a textbook's problem read and solved, a number given
// another role, the problem put into the grid, and what is no problem told plainly, shown as text
// whatever it holds, with the grid left as it was. In every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { cellValues, pageOpener, row, until, useSiteAndBrowser } from './pupil.mjs';

const shared = useSiteAndBrowser();
const open = pageOpener(shared);

const example = 'Колко грама вода трябва да се долеят към 400 г 10% разтвор на сол, за да се получи 8% разтвор?';
const [box, solve, intoGrid] = ['#my-problem-text', '#my-problem-solve', '#my-problem-into-grid'];

// A page with the section shown, which comes after the practice, once the page is ready.
async function openMyProblem(options = {}) {
  const page = await open('', options);
  await until(page, () => document.getElementById('my-problem') !== null || null, undefined, 'the section');
  return page;
}

// The box emptied, the text pasted into it, and Реши pressed; the result once it is there (the
// first press waits for the reader).
async function solveText(page, text) {
  await page.click(box);
  await page.evaluate((selector) => {
    document.querySelector(selector).value = '';
  }, box);
  if (text) {
    await page.paste(text);
  }
  await page.click(solve);
  await until(page, () => !document.getElementById('my-problem-result').hasAttribute('aria-busy'), undefined, 'the reading');
}

// What the section shows, as a pupil and a screen reader meet it.
const shown = (page) => page.evaluate(() => {
  const section = document.getElementById('my-problem');
  const result = document.getElementById('my-problem-result');
  const seen = (node) => node.querySelector('[aria-hidden="true"]')?.textContent ?? node.textContent;
  return {
    name: document.getElementById(section.getAttribute('aria-labelledby')).textContent,
    label: document.getElementById('my-problem-text').labels[0].textContent,
    live: result.getAttribute('aria-live'),
    lines: [...result.querySelectorAll('.solution-lines p')].map(seen),
    numbers: [...section.querySelectorAll('.my-problem-table tbody tr')].map((tr) => {
      const select = tr.querySelector('select');
      return [tr.cells[0].textContent, select.selectedOptions[0].textContent, select.getAttribute('aria-labelledby')];
    }),
    roles: [...(section.querySelector('.my-problem-table select')?.options ?? [])].map((option) => option.textContent),
    intoGrid: !document.getElementById('my-problem-into-grid').hidden,
    // Every element in the section, by its tag, which no text typed into it may add to.
    tags: [...new Set([...section.querySelectorAll('*')].map((element) => element.localName))].sort(),
    injected: window.injected ?? null,
    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
  };
});

// A number's role chosen as a pupil chooses it from the list, which has the focus then.
const chooseRole = (page, number, role) => page.evaluate(([n, r]) => {
  const select = document.querySelectorAll('.my-problem-table select')[n];
  select.focus();
  select.selectedIndex = r;
  select.dispatchEvent(new Event('change', { bubbles: true }));
}, [number, role]);

const answerOf = (lines) => lines.find((line) => line.startsWith('Отговор:'));
const notUnderstood = (lines) => lines.find((line) => line.startsWith('Не разбрах'));

// The section's own elements: no text may add another.
const ownTags = ['button', 'caption', 'div', 'h2', 'label', 'option', 'p', 'section', 'select', 'span', 'table', 'tbody',
  'td', 'textarea', 'th', 'thead', 'tr'];

describe('the pupil\'s own problem', () => {
  test('the textbook\'s example: what is given and sought, the solution, 100 г, and the grid', async () => {
    const page = await openMyProblem();
    let state = await shown(page);
    assert.deepEqual([state.name, state.label, state.live], ['Моята задача', 'Текст на задачата', 'polite']);

    await solveText(page, example);
    state = await shown(page);
    assert.match(state.lines[0], /^Дадено:/);
    assert.ok(state.lines.some((line) => line.startsWith('Търси се:')), state.lines.join('\n'));
    assert.ok(state.lines.length > 3, state.lines.join('\n'));
    assert.match(answerOf(state.lines) ?? '', /(?<![\d,])100 г(?!\p{L})/u);
    assert.equal(notUnderstood(state.lines), undefined);
    assert.deepEqual(state.numbers.map(([written]) => written), ['400 г', '10%', '8%']);
    // Each role's list is named by its number.
    for (const [written, , labelledBy] of state.numbers) {
      assert.equal(await page.evaluate((id) => document.getElementById(id).textContent, labelledBy), written);
    }
    assert.equal(state.roles.at(-1), 'не е нужно');
    assert.equal(state.intoGrid, true);

    // Into the grid: Вариант 2 with the solution's numbers, calculated, the pupil taken to the row.
    await page.click(intoGrid);
    assert.equal(await page.evaluate(() => document.querySelector('input[name="variant"]:checked').value), '1');
    assert.deepEqual(await row(page, 1), ['10', '400', '0', '100', '8', '500']);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'cell-6');
  });

  test('a number given another role solves again: without the new percentage no answer, with it back the answer', async () => {
    const page = await openMyProblem();
    await solveText(page, example);
    const state = await shown(page);
    const [, , [, newPercent]] = state.numbers;
    await chooseRole(page, 2, state.roles.length - 1);
    const without = await shown(page);
    assert.equal(without.numbers[2][1], 'не е нужно');
    assert.ok(notUnderstood(without.lines), without.lines.join('\n'));
    assert.equal(answerOf(without.lines), undefined);
    assert.equal(without.intoGrid, false);
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-labelledby')), 'my-problem-number-2');
    await chooseRole(page, 2, state.roles.indexOf(newPercent));
    assert.deepEqual((await shown(page)).lines, state.lines);
  });

  test('on a phone, stands under the practice, solved, every control large enough for a finger', async () => {
    const page = await openMyProblem({ width: 360, height: 740, phone: true });
    await solveText(page, example);
    const screen = await page.evaluate(() => {
      const section = document.getElementById('my-problem');
      const visible = [...section.querySelectorAll('*')].filter((element) => element.checkVisibility());
      const targets = visible.filter((element) => element.matches('button, textarea, select')).map((element) => {
        const { width, height } = element.getBoundingClientRect();
        return { name: element.id || element.getAttribute('aria-labelledby'), width, height };
      });
      const small = visible.filter((element) => [...element.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim())
        && parseFloat(getComputedStyle(element).fontSize) < 16).map((element) => element.outerHTML.slice(0, 80));
      const top = (id) => document.getElementById(id).getBoundingClientRect().top;
      return { targets, small, below: top('my-problem') > top('practice') };
    });
    assert.equal(screen.below, true);
    assert.deepEqual(screen.small, []);
    // The box, Реши, a role for each of the three numbers, and Въведи в таблицата.
    assert.equal(screen.targets.length, 6, JSON.stringify(screen.targets));
    for (const target of screen.targets) {
      assert.ok(target.width >= 44 && target.height >= 44, `${target.name}: ${target.width} × ${target.height}`);
    }
    assert.equal((await shown(page)).sideways, 0);
  });

  test('a problem that is not about mixtures is told what is not understood, and gets no answer', async () => {
    const page = await openMyProblem();
    await solveText(page, 'Иван има 3 кошници с по 12 ябълки. Колко ябълки има Иван?');
    const state = await shown(page);
    assert.ok(notUnderstood(state.lines), state.lines.join('\n'));
    assert.equal(answerOf(state.lines), undefined);
    assert.equal(state.intoGrid, false);
  });

  // An unbroken word longer than a phone is wide is shown within it.
  const badInputs = [
    ['an empty box', ''],
    ['10 000 characters', `${example} `.repeat(200).slice(0, 10000)],
    ['10 000 characters without a blank', 'й'.repeat(10000)],
    ['a pasted page of HTML', '<!DOCTYPE html><html><head><title>Новини</title><style>body{color:red}</style></head>'
      + '<body><h1>Днес</h1><p>Времето е <b>хубаво</b>.</p><img src="x" onerror="window.injected = 1">'
      + '<script>window.injected = 2</script><table><tr><td>30%</td></tr></table></body></html>'],
  ];
  for (const [phone, width, height] of [[false, 1024, 768], [true, 360, 740]]) {
    test(`bad input ${phone ? 'on a phone' : 'in the window'}: a clear sentence, nothing of it as markup, the grid as it was`, async () => {
      const page = await openMyProblem({ width, height, phone });
      const grid = await cellValues(page);
      for (const [what, text] of badInputs) {
        await solveText(page, text);
        const state = await shown(page);
        assert.ok(notUnderstood(state.lines), `${what}: ${state.lines.join('\n')}`);
        assert.equal(answerOf(state.lines), undefined, what);
        assert.equal(state.intoGrid, false, what);
        assert.deepEqual(state.tags.filter((tag) => !ownTags.includes(tag)), [], what);
        assert.equal(state.injected, null, what);
        assert.equal(state.sideways, 0, what);
        assert.deepEqual(await cellValues(page), grid, what);
      }
    });
  }
});

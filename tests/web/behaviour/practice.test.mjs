// The practice below the calculator: a pupil at a level, a wrong answer and its feedback, hints,
// the right answer, the problem put into the grid, its link, the keyboard alone, and where the
// practice stands in either layout. In every engine.
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import {
  addressHolds, answerBox, calculate, cellValues, focusedName, hint, intoGrid, newProblem, openPractice, pageOpener,
  practice, practiceLevel, row, sheetOpen, showSolution, solution, tabUntil, teacherSheet, typeRow, until,
  useSiteAndBrowser, variant,
} from './pupil.mjs';

const shared = useSiteAndBrowser();
// Each test closes its pages: WebKit loads the next page, framed ones above all, only after that.
const open = pageOpener(shared);

// The first problem of sheet 5 at a level, as the key of the teacher's sheet has it, read in a
// page of its own: { variant (from 0), cells (the grid's six, as the grid writes them), answers
// (in the order the boxes ask them, with their units) }.
async function keyOfFirstProblem(level) {
  const page = await openPractice(open, `1:z5:${level + 1}:1`);
  await page.click(sheetOpen);
  const [first] = (await teacherSheet(page)).key;
  await page.close();
  return {
    variant: Number(first[1].replace('Вариант ', '')) - 1,
    cells: first.slice(2, 8).map((cell) => cell.replace('*', '')),
    // The key says each box's amount, then what it is of ("4,5 л вода"): the box takes the amount.
    answers: first[8].split('; ').map((answer) => answer.split(' ').slice(0, 2).join(' ')),
  };
}

// A number of an answer ("1,5 кг") one more, and so wrong.
const oneMore = (answer) => String(Number(answer.match(/^[\d,]+/)[0].replace(',', '.')) + 1).replace('.', ',');

const announced = (page) => page.evaluate(() => document.getElementById('announcer').textContent);

const boxesOf = (page) => page.evaluate(() => document.querySelectorAll('.practice-answer input').length);

// The practice's box, and the window's and the solution's, from the top of the page.
const boxes = (page) => page.evaluate(() => Object.fromEntries(['practice', 'form', 'solution', 'text-box-0']
  .map((id) => {
    const { top, bottom, left, right } = document.getElementById(id).getBoundingClientRect();
    return [id, { top: top + scrollY, bottom: bottom + scrollY, left, right }];
  })));

describe('the practice', () => {
  // First, while no wide page has run on this origin: WebKit frames a phone's page.
  test('on a phone, stands under the assignment, every control large enough for a finger', async () => {
    const page = await openPractice(open, '', { width: 360, height: 740, phone: true });
    await page.click(showSolution);
    const shown = await boxes(page);
    assert.ok(shown.practice.top >= shown['text-box-0'].bottom, `${shown.practice.top} under ${shown['text-box-0'].bottom}`);
    const screen = await page.evaluate(() => {
      const section = document.getElementById('practice');
      const visible = [...section.querySelectorAll('*')].filter((element) => element.checkVisibility());
      const targets = visible.filter((element) => element.matches('button, input:not([type=radio]), select, label.practice-level'))
        .map((element) => {
          const { width, height } = element.getBoundingClientRect();
          return { name: element.textContent || element.id, width, height };
        });
      const small = visible.filter((element) => [...element.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim())
        && parseFloat(getComputedStyle(element).fontSize) < 16).map((element) => element.outerHTML.slice(0, 80));
      return { targets, small, sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth };
    });
    assert.equal(screen.sideways, 0);
    assert.deepEqual(screen.small, []);
    // Four levels, a box, four buttons, Въведи в таблицата, the count and Лист със задачи.
    assert.ok(screen.targets.length >= 12, screen.targets.map((target) => target.name).join(', '));
    for (const target of screen.targets) {
      assert.ok(target.width >= 44 && target.height >= 44, `${target.name}: ${target.width} × ${target.height}`);
    }
    await page.close();
  });

  test('at Ниво 2: a wrong answer is told, two hints ask the way, the right answer is right, and its link opens it again', async () => {
    const key = await keyOfFirstProblem(1);
    const page = await openPractice(open, '1:z5:1:1');
    await page.click(practiceLevel(1));
    await addressHolds(page, '1:z5:2:1');
    const start = await practice(page);
    assert.equal(start.name, 'Задача');
    assert.equal(start.level, '1');
    assert.equal(start.boxes.length, key.answers.length);
    for (const [label, unit] of start.boxes) {
      assert.match(label, /^Колко .+\?$/);
      assert.ok(['г', 'кг', 'л', '%'].includes(unit), unit);
    }
    assert.deepEqual([start.feedback, start.solution, start.intoGrid], ['', null, false]);

    await page.fill(answerBox(0), oneMore(key.answers[0]));
    await page.click('#practice-check');
    assert.match((await practice(page)).feedback, /^Не е вярно/);

    await page.click(hint);
    const first = (await practice(page)).solution;
    await page.click(hint);
    const second = (await practice(page)).solution;
    // Each hint asks one question, and the ones before stay.
    assert.ok(first.length === 1 && second.length === 2, `${first.length}, then ${second.length} lines`);
    assert.match(first[0], /\?$/);
    assert.deepEqual(second.slice(0, first.length), first);
    assert.ok(!second.some((line) => line.startsWith('Отговор')), second.join('\n'));

    // The answers as the key writes them, a unit and a decimal comma included; Enter checks.
    for (const [i, answer] of key.answers.entries()) {
      await page.fill(answerBox(i), answer);
    }
    await page.press('Enter');
    const solved = await practice(page);
    assert.equal(solved.feedback, 'Вярно!');
    assert.match(solved.tally, /^Решени задачи: 1\D/);
    assert.equal(solved.intoGrid, true);

    // Into the grid: its variant chosen, its givens typed and Изчисли pressed, below the window.
    await page.click(intoGrid);
    assert.equal(await page.evaluate(() => document.querySelector('input[name="variant"]:checked').value), String(key.variant));
    assert.deepEqual(await row(page, key.variant), key.cells);
    assert.notEqual(await solution(page), null);
    const shown = await boxes(page);
    assert.ok(shown.solution.top >= shown.form.bottom && shown.practice.top >= shown.solution.bottom,
      JSON.stringify(shown));
    await page.close();

    // The link, opened anew, gives the same problem at the same level.
    const again = await openPractice(open, '1:z5:2:1');
    assert.deepEqual([(await practice(again)).text, (await practice(again)).level], [start.text, '1']);
    await again.close();
  });

  test('by the keyboard alone: a level, an answer, the solution and the grid', async () => {
    const page = await openPractice(open);
    await tabUntil(page, () => document.activeElement.name === 'practice-level', 'the levels');
    assert.equal(await page.evaluate(() => document.activeElement.value), '1');
    await page.press('ArrowDown');
    await addressHolds(page, '1:z1:3:1');
    assert.equal((await practice(page)).level, '2');
    const [[question]] = (await practice(page)).boxes;
    await page.press('Tab');
    assert.equal(await focusedName(page), question);
    // The sheet's first problem of Ниво 3 asks for a ratio.
    await page.type('0 : 1');
    await page.press('Enter');
    assert.match((await practice(page)).feedback, /^Не е вярно/);
    await tabUntil(page, () => document.activeElement.id === 'practice-solve', 'Покажи решението');
    await page.press('Enter');
    // The answer, then the line that sends the pupil to the grid.
    const [answer, toGrid] = (await practice(page)).solution.slice(-2);
    assert.match(answer, /^Отговор: /);
    assert.match(toGrid, /^Провери с Blendora \(„Вариант \d“\)(, като избереш [^:]+)?: въведи /);
    // What the solution added is read out, its answer and the way to the grid, "·" and ":" as
    // they are said.
    const heard = await announced(page);
    const said = (line) => line.replaceAll(' · ', ' по ').replaceAll(' : ', ' делено на ');
    assert.ok(heard.includes(said(answer)) && heard.endsWith(said(toGrid)), heard);
    await tabUntil(page, () => document.activeElement.id === 'practice-into-grid', 'Въведи в таблицата');
    await page.press('Enter');
    // Ниво 3 is Вариант 7; the pupil is taken to the first of its givens, and it is calculated.
    assert.equal(await focusedName(page), 'Вариант 7, % - 1');
    assert.ok((await row(page, 6)).every((text) => text !== ''), (await row(page, 6)).join(' '));
    await page.close();
  });

  test('shows the problem the page starts with solved whole, not counted as solved', async () => {
    const page = await openPractice(open);
    await page.click(showSolution);
    const shown = await practice(page);
    assert.ok(shown.solution.some((line) => line.startsWith('Проверка: ')), shown.solution.join('\n'));
    assert.match(shown.solution.at(-2), /^Отговор: /);
    assert.equal(shown.intoGrid, true);
    assert.match(shown.tally, /^Решени задачи: 0\D/);
    await page.click(newProblem);
    const next = await practice(page);
    assert.notEqual(next.text, shown.text);
    assert.equal(await announced(page), next.text);
    assert.deepEqual([next.solution, next.intoGrid], [null, false]);
    await addressHolds(page, '1:z1:2:2');
    await page.close();
  });

  test('a link to a place its sheet does not have opens the usual start; one pasted into the open page leaves the grid as it is', async () => {
    const start = await openPractice(open);
    const usual = await practice(start);
    await start.close();
    const page = await openPractice(open, '1:z17:2:13');
    assert.deepEqual(await practice(page), usual);
    assert.equal(await page.evaluate(() => location.hash), '');
    // The address holds what the pupil worked on last: the grid's problem, then the practice's.
    await page.click(variant(1));
    await typeRow(page, 1, ['30', '200', '40', undefined, '36']);
    await page.click(calculate);
    await addressHolds(page, '1:v2:30;200;40;36=');
    await page.evaluate(() => {
      location.hash = '1:z2:4:3';
    });
    await until(page, () => document.querySelector('input[name="practice-level"]:checked').value === '3' || null);
    assert.equal((await cellValues(page))[9], '300');
    await page.click(newProblem);
    await addressHolds(page, '1:z2:4:4');
    assert.ok(await boxesOf(page) >= 1);
    await page.close();
  });
});

// Writes the page as it stands at start, at build time, so that a browser draws the form from
// the first response, before any script or the module has arrived: the controls from the form
// description, every place and colour and the style sheet inline (allowed by its hash), and a
// preload of every module and of the WebAssembly, so that all are asked for at once.
//   node prerender.mjs TEMPLATE STYLE FORM_JSON SITE   writes SITE/index.html
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { stripStyle } from './strip.mjs';

const [template, styleSheet, formJson, site] = process.argv.slice(2);
const form = JSON.parse(readFileSync(formJson, 'utf8'));

const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const attributes = (pairs) => Object.entries(pairs).filter(([, value]) => value !== false)
  .map(([name, value]) => (value === true ? ` ${name}` : ` ${name}="${escape(String(value))}"`)).join('');
const element = (tag, pairs, content = '') => `<${tag}${attributes(pairs)}>${content}</${tag}>`;
const input = (pairs) => `<input${attributes(pairs)}>`;

// Each control that can take the focus carries its place in the window's keyboard order, which
// the page's script gives it in the wide layout.
const tabStops = new Map(form.keyboardOrder.map(({ array, index }, position) => [`${array} ${index}`, position + 1]));
const tab = (array, index) => tabStops.get(`${array} ${index}`);

// At start variant 1 is chosen: its row is open and every other cell is locked. A reload starts
// there too: no browser puts back the choice or the numbers of the page before it.
const columns = form.columnHeadings.length;
const working = (i) => Math.floor(i / columns) === 0;
const classes = (...names) => names.filter(Boolean).join(' ');

function labels() {
  const heading = element('h1', { id: 'label-0', class: 'label heading' }, escape(form.heading));
  const columnHeadings = form.columnHeadings.map((text, c) => element('div', { id: `label-${c + 1}`, class: 'label' }, escape(text)));
  return [heading, ...columnHeadings];
}

function frame() {
  const options = form.variantCaptions.map((caption, v) => element('label', { id: `option-${v}`, class: 'option' },
    input({ class: 'option-button', type: 'radio', name: 'variant', value: v, checked: v === 0, autocomplete: 'off', 'data-tab': tab('Option1', v) })
    + element('span', { class: 'option-caption' }, escape(caption))));
  return element('fieldset', { id: 'frame-0', class: 'frame' },
    element('legend', { class: 'frame-caption' }, escape(form.variants)) + options.join(''));
}

// Each cell with its heading beside it on a narrow screen, and a result's worked solution under it.
function cells() {
  return form.cellNames.flatMap((name, i) => {
    const result = form.resultCells[i];
    const label = element('label', { class: classes('cell-label', working(i) && 'working'), for: `cell-${i}` },
      escape(form.columnHeadings[i % columns]));
    const cell = input({
      id: `cell-${i}`, class: classes('cell', result && 'result', working(i) && 'working'),
      autocomplete: 'off', maxlength: 32767, 'aria-label': name, inputmode: 'decimal',
      readonly: result || !working(i), 'aria-describedby': result && `worked-${i}`, 'data-tab': tab('Text2', i),
    });
    const worked = result ? [element('p', { id: `worked-${i}`, class: classes('worked', working(i) && 'working') })] : [];
    return [label, cell, ...worked];
  });
}

function commands() {
  return [form.calculate, form.clear].map((caption, index) => element('button',
    { id: `command-${index}`, class: `command command-${index}`, type: 'button', 'data-tab': tab('Command1', index) },
    escape(caption)));
}

// The row solved step by step, which the script fills in after Изчисли: on a phone under the
// buttons, in the window's layout below the window.
function solution() {
  return element('section', { id: 'solution', class: 'solution', 'aria-labelledby': 'solution-heading', hidden: true },
    element('h2', { id: 'solution-heading', class: 'solution-heading' }, escape(form.solutionHeading))
    + element('div', { class: 'solution-lines' }));
}

// The stored texts end their lines in CR LF; a text box wants line feeds. The quotation is held,
// never shown. A text box prints no more than it shows, so a print has the assignment whole
// beside it, copied there by the script rather than sent twice.
const boxText = (text) => escape(text.replaceAll('\r\n', '\n'));
function textBoxes() {
  const boxes = [[form.assignment, form.assignmentName], [form.quotation, form.quotationName]].map(([text, name], index) =>
    element('textarea', {
      id: `text-box-${index}`, class: `text-box text-box-${index}`, readonly: true,
      'aria-label': name, hidden: index === 1, 'data-tab': tab('Text1', index),
    }, boxText(text)));
  return [...boxes, element('div', { class: 'printed-assignment' })];
}

// Places as custom properties, which only the wide layout reads, and the window's colours. Each
// side's value is one rule for every control that has it, as cells share their column's left,
// their row's top and one size: a plain server sends the page uncompressed.
function placesAndColours() {
  const pixels = (twips) => `${Math.trunc(twips / form.twipsPerPixel)}px`;
  const ids = { Label1: 'label', Command1: 'command', Frame1: 'frame', Option1: 'option', Text2: 'cell', Text1: 'text-box' };
  const places = [['#form', form.clientSize], ...Object.entries(form.places).flatMap(([array, rectangles]) =>
    rectangles.map((rectangle, index) => [`#${ids[array]}-${index}`, rectangle]))];
  const sides = ['left', 'top', 'width', 'height'];
  const selectors = new Map();
  for (const [selector, rectangle] of places) {
    rectangle.forEach((twips, side) => {
      const declaration = `--${sides[side]}:${pixels(twips)}`;
      selectors.set(declaration, [...(selectors.get(declaration) ?? []), selector]);
    });
  }
  const rules = [...selectors].map(([declaration, sharing]) => `${sharing.join(',')}{${declaration}}`);
  const colours = Object.entries(form.colours).map(([name, colour]) => `--${name}:${colour}`).join(';');
  return [`:root{${colours}}`, ...rules].join('\n');
}

// The sheet's comments and layout are for its readers here, not for every first visit, which a
// plain server sends uncompressed.
const style = `\n${stripStyle(readFileSync(styleSheet, 'utf8'))}\n${placesAndColours()}\n`;
const styleHash = `'sha256-${createHash('sha256').update(style).digest('base64')}'`;
// Every module that the page runs before it is ready. The solution, the practice and the pupil's
// own problem come after (main.js asks for them then): preloaded, they would share the line with
// what the page waits for.
const notPreloaded = ['service-worker.js', 'solution.js', 'practice.js', 'my-problem.js'];
const modules = readdirSync(site).filter((name) => name.endsWith('.js') && !notPreloaded.includes(name)).sort();
// The WebAssembly first: it is the largest, and a browser opens only six connections at once.
const preloads = [
  '<link rel="preload" href="blendora.wasm.gz" as="fetch" crossorigin>',
  ...modules.map((name) => `<link rel="modulepreload" href="${name}">`),
].join('\n');
const controls = [...labels(), frame(), ...cells(), ...commands(), solution(), ...textBoxes()].join('\n');
const filled = {
  'style-hash': styleHash,
  preloads,
  style: `<style>${style}</style>`,
  form: controls,
  caption: escape(form.caption),
  'needs-script': element('noscript', {}, element('p', { class: 'needs-script' }, escape(form.needsScript))),
  'fault-title': escape(form.title),
  ok: escape(form.ok),
};
const page = readFileSync(template, 'utf8').replace(/\{\{([a-z-]+)\}\}/g, (_, name) => filled[name]);
writeFileSync(join(site, 'index.html'), page);

// The row solved step by step, in a region the page arrives with: the calculator's, from the
// worksheet's last calculation, and the practice's. The teaching module, which solves it, is
// fetched once the page is ready to calculate, so that nothing of it delays the calculator.
import { compileModule, connect } from './sheet.js';

let teaching;
// The teaching module's functions, and its texts (see connect); fetched once, on the first call.
export function loadTeaching() {
  teaching ??= connect(compileModule('blendora-teaching'));
  return teaching;
}

// show(worked) for the calculator's region: worked as the worksheet gives it (see sheet.js), or
// null, which hides the region.
export async function calculatorSolution(region) {
  const { module, read } = await loadTeaching();
  const view = new SolutionRegion(region);
  return (worked) => view.show(worked && JSON.parse(
    read(module.blendora_explain(worked.variant, worked.calculated, ...worked.values)),
  ));
}

// The solution in its region: its lines, the table as textbooks draw it, and the segment model.
// Built node by node from the module's text: nothing of it reaches the page as markup.
export class SolutionRegion {
  constructor(region) {
    this.region = region;
    this.lines = region.querySelector('.solution-lines');
  }

  // { lines, table, tableAt, picture } from the module, or null, which hides the region.
  show(solution) {
    this.region.querySelector('svg')?.remove();
    const lines = (solution?.lines ?? []).map((line) => mathematics('p', line));
    if (solution?.table) {
      lines.splice(solution.tableAt, 0, table(solution.table));
    }
    this.lines.replaceChildren(...lines);
    if (solution?.picture) {
      this.region.append(drawing(solution.picture));
    }
    this.region.hidden = !solution;
  }
}

// A line of mathematics as it is seen, and, where "·" and ":" should be heard as words, as it is
// said to a screen reader instead.
function mathematics(tag, [text, spoken]) {
  const node = document.createElement(tag);
  if (spoken === undefined) {
    node.textContent = text;
    return node;
  }
  const seen = document.createElement('span');
  seen.setAttribute('aria-hidden', 'true');
  seen.textContent = text;
  const heard = document.createElement('span');
  heard.className = 'heard';
  heard.textContent = spoken;
  node.append(seen, heard);
  return node;
}

function table({ heading, rows }) {
  const node = document.createElement('table');
  node.className = 'solution-table';
  const head = node.createTHead().insertRow();
  for (const cell of heading) {
    const th = mathematics('th', cell);
    th.scope = 'col';
    head.append(th);
  }
  const body = node.createTBody();
  for (const [name, ...cells] of rows) {
    const row = body.insertRow();
    const th = mathematics('th', name);
    th.scope = 'row';
    row.append(th, ...cells.map((cell) => mathematics('td', cell)));
  }
  return node;
}

const svgElement = (tag, attributes) => {
  const node = document.createElementNS('http://www.w3.org/2000/svg', tag);
  Object.entries(attributes).forEach(([name, value]) => node.setAttribute(name, value));
  return node;
};

// The picture as SVG, named by its text alternative; the active substance is hatched over its
// colour, so that it tells apart without colour too.
function drawing({ width, height, ink, boxes, labels, description }) {
  const image = svgElement('svg', {
    class: 'solution-picture', role: 'img', 'aria-label': description, viewBox: `0 0 ${width} ${height}`, width, height,
  });
  const hatch = svgElement('pattern', { id: 'substance-hatch', patternUnits: 'userSpaceOnUse', width: 6, height: 6 });
  hatch.append(svgElement('path', { d: 'M0 6L6 0M-1 1L1-1M5 7L7 5', stroke: ink, 'stroke-width': 1.5 }));
  const definitions = svgElement('defs', {});
  definitions.append(hatch);
  image.append(definitions);
  for (const [x, y, w, h, fill, hatched] of boxes) {
    const box = { x, y, width: w, height: h };
    image.append(svgElement('rect', { ...box, fill, stroke: ink }));
    if (hatched) {
      image.append(svgElement('rect', { ...box, fill: 'url(#substance-hatch)' }));
    }
  }
  for (const [x, y, text] of labels) {
    const label = svgElement('text', { x, y, fill: ink, 'font-size': 16 });
    label.textContent = text;
    image.append(label);
  }
  return image;
}

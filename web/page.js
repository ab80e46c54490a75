// Finds the window's controls in the page, which arrives with them already drawn (see
// prerender.mjs), sets the window's keyboard order, shows a fault in the page's dialog and the
// step-by-step solution in its region. The elements stand in the order of the narrow layout, top
// to bottom; at 504 CSS pixels and wider each sits at its twip rectangle.

// The controls as arrays named as the window names them; beside them each cell's heading and
// each result's worked solution. The print's copy of the assignment is filled in here.
export function adoptPage(root) {
  const all = (selector) => [...root.querySelectorAll(selector)];
  const controls = {
    Label1: all('.label'),
    Command1: all('.command'),
    Frame1: all('.frame'),
    Option1: all('.option'),
    Text2: all('input.cell'),
    Text1: all('.text-box'),
  };
  const workedSolutions = controls.Text2.map((cell, i) => root.querySelector(`#worked-${i}`));
  root.querySelector('.printed-assignment').textContent = controls.Text1[0].value;
  return { controls, cellLabels: all('.cell-label'), workedSolutions };
}

// The window's keyboard order: each control's tab stop at its place in the form's order, which
// the page carries (data-tab). The browser passes over those that cannot take the focus, and
// all option buttons of the group but the selected one. Without it, the order is the elements'
// own, top to bottom.
export function setKeyboardOrder(root, designed) {
  root.querySelectorAll('[data-tab]').forEach((control) => {
    control.tabIndex = designed ? Number(control.dataset.tab) : 0;
  });
}

// Until the worksheet is ready, what the pupil types and chooses stays in the controls; a press
// of Изчисли or Изчисти, or Enter in an open cell, is kept here. The returned function stops
// keeping them and gives them in order: 'calculate' or 'clear'.
export function keepEarlyCommands(root) {
  const commands = [];
  const onClick = (event) => {
    const command = event.target.closest?.('.command');
    if (command) {
      commands.push(command.classList.contains('command-0') ? 'calculate' : 'clear');
    }
  };
  const onKey = (event) => {
    if (event.key === 'Enter' && event.target.matches('input.cell') && !event.target.readOnly) {
      event.preventDefault();
      commands.push('calculate');
    }
  };
  root.addEventListener('click', onClick);
  root.addEventListener('keydown', onKey);
  return () => {
    root.removeEventListener('click', onClick);
    root.removeEventListener('keydown', onKey);
    return commands;
  };
}

// Tells the pupil of a failed calculation in a modal alert, whose title and button the page
// arrives with, and gives the focus back after it.
export class FaultDialog {
  constructor(dialog) {
    this.dialog = dialog;
    this.message = dialog.querySelector('.fault-message');
    dialog.querySelector('.fault-ok').addEventListener('click', () => dialog.close());
    dialog.addEventListener('close', () => this.returnFocus?.focus());
  }

  // The first line names the kind of fault, the second what in the numbers causes it.
  show(message) {
    this.returnFocus = document.activeElement;
    this.message.textContent = message;
    this.dialog.showModal();
  }
}

// The row solved step by step, in the region the page arrives with: its lines, the table as
// textbooks draw it, and the segment model. Built node by node from the module's text: nothing
// of it reaches the page as markup.
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

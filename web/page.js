// Builds the window's controls from the form description. At 504 CSS pixels and wider each sits
// at its twip rectangle, as in the window; narrower, the style sheet stacks the working row.
// The elements stand in the order of the narrow layout, top to bottom.

const pixels = (twips, twipsPerPixel) => `${Math.trunc(twips / twipsPerPixel)}px`;

// The rectangle goes to custom properties, which only the wide layout reads.
function place(element, [left, top, width, height], twipsPerPixel) {
  const sides = { left, top, width, height };
  for (const [side, twips] of Object.entries(sides)) {
    element.style.setProperty(`--${side}`, pixels(twips, twipsPerPixel));
  }
  return element;
}

function create(tag, className, text) {
  const element = document.createElement(tag);
  element.className = className;
  if (text !== undefined) {
    element.textContent = text;
  }
  return element;
}

// The stored texts end their lines in CR LF; a text box wants line feeds.
const lines = (text) => text.replaceAll('\r\n', '\n');

function labels(form) {
  const headings = [form.heading, ...form.columnHeadings];
  return headings.map((text, k) => create(k === 0 ? 'h1' : 'div', k === 0 ? 'label heading' : 'label', text));
}

function commands(form) {
  return [form.calculate, form.clear].map((text, index) => {
    const button = create('button', `command command-${index}`, text);
    button.type = 'button';
    return button;
  });
}

function options(form) {
  return form.variantCaptions.map((caption, v) => {
    const option = create('label', 'option');
    const radio = create('input', 'option-button');
    Object.assign(radio, { type: 'radio', name: 'variant', value: String(v) });
    option.append(radio, create('span', 'option-caption', caption));
    return option;
  });
}

function cells(form) {
  return form.cellNames.map((name, i) => {
    const cell = create('input', form.resultCells[i] ? 'cell result' : 'cell');
    Object.assign(cell, { type: 'text', id: `cell-${i}`, spellcheck: false, autocomplete: 'off', maxLength: 32767 });
    cell.setAttribute('aria-label', name);
    cell.setAttribute('inputmode', 'decimal');
    if (form.resultCells[i]) {
      cell.setAttribute('aria-describedby', `worked-${i}`);
    }
    return cell;
  });
}

// On a narrow screen each field of the working row carries its column heading beside it.
function cellLabels(form) {
  return form.cellNames.map((_, i) => {
    const label = create('label', 'cell-label', form.columnHeadings[i % form.columnHeadings.length]);
    label.htmlFor = `cell-${i}`;
    return label;
  });
}

// Under each result, how it was found: a touch screen shows no tooltip. It is the result's
// description too, for a screen reader.
function workedSolutions(form) {
  return form.resultCells.map((isResult, i) => {
    if (!isResult) {
      return null;
    }
    const worked = create('p', 'worked');
    worked.id = `worked-${i}`;
    return worked;
  });
}

function textBoxes(form) {
  const texts = [
    [form.assignment, form.assignmentName],
    [form.quotation, form.quotationName],
  ];
  return texts.map(([text, name], index) => {
    const box = create('textarea', `text-box text-box-${index}`);
    Object.assign(box, { readOnly: true, value: lines(text), spellcheck: false });
    box.setAttribute('aria-label', name);
    return box;
  });
}

// The controls as arrays named as the window names them, placed and in the page.
export function buildPage(root, form) {
  const controls = {
    Label1: labels(form),
    Command1: commands(form),
    Frame1: [create('fieldset', 'frame')],
    Option1: options(form),
    Text2: cells(form),
    Text1: textBoxes(form),
  };
  const frame = controls.Frame1[0];
  frame.append(create('legend', 'frame-caption', form.variants), ...controls.Option1);
  controls.Text1[1].hidden = true; // the quotation is held, never shown
  for (const [array, elements] of Object.entries(controls)) {
    elements.forEach((element, index) => place(element, form.places[array][index], form.twipsPerPixel));
  }
  place(root, form.clientSize, form.twipsPerPixel);
  const labelsOfCells = cellLabels(form);
  const worked = workedSolutions(form);
  const fields = controls.Text2.flatMap((cell, i) => [labelsOfCells[i], cell, worked[i]]).filter(Boolean);
  root.append(...controls.Label1, frame, ...fields, ...controls.Command1, ...controls.Text1);
  setColours(document.documentElement, form.colours);
  return { controls, cellLabels: labelsOfCells, workedSolutions: worked };
}

// The window's keyboard order: each control's tab stop at its place in the form's order. The
// browser passes over those that cannot take the focus, and all option buttons of the group but
// the selected one. Without it, the order is the elements' own, top to bottom.
export function setKeyboardOrder(controls, order, designed) {
  order.forEach(({ array, index }, position) => {
    const control = controls[array][index];
    const focusable = control.querySelector?.('input') ?? control;
    if (['INPUT', 'BUTTON', 'TEXTAREA'].includes(focusable.tagName)) {
      focusable.tabIndex = designed ? position + 1 : 0;
    }
  });
}

function setColours(root, colours) {
  for (const [name, colour] of Object.entries(colours)) {
    root.style.setProperty(`--${name}`, colour);
  }
}

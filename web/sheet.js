// The worksheet in the WebAssembly module, behind plain JavaScript calls.
import createBlendora from './blendora.js';

export async function loadSheet() {
  const module = await createBlendora();
  const call = (name, result, args = []) => module.cwrap(`blendora_${name}`, result, args);
  const cells = call('cells', 'string');
  const calculate = call('calculate', 'string');
  const solution = call('solution', 'string');
  return {
    start: call('start', null, ['string']),
    // Each cell's text, whether it is locked, and the worked solution of a computed one.
    cells: () => JSON.parse(cells()),
    currentVariant: call('current_variant', 'number'),
    selectVariant: call('select_variant', null, ['number']),
    setCellText: call('set_cell_text', 'number', ['number', 'string']),
    // The fault's message, or null when the row was solved.
    calculate: () => calculate() || null,
    results: call('results', 'string'),
    // The last calculation solved step by step ({ lines, picture }), or null once anything changed.
    solution: () => JSON.parse(solution() || 'null'),
    clear: call('clear', null),
    // The number a text reads as, with a period, or '' where it is out of range.
    readNumber: call('read_number', 'string', ['string']),
  };
}

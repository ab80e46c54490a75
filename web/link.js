// A problem as the fragment of the page's address, so that a link holds it:
//   1:v3:30;200;40;500=
// the format's version, the variant (from 1), the four givens of its row in column order as
// typed, with a period for the decimal separator whatever the language, and "=" when the results
// were calculated. The start (variant 1, nothing typed) is the address without a fragment.
// A practice problem has a form of its own, so that one link of a teacher's gives every pupil
// the same problem:
//   1:z17:2:3
// the format's version, "z" and the sheet's number, the level (1 to 3, 4 for a mixed sheet) and
// the place on the sheet (from 1); whether the sheet has that place, the teaching module says.
// A fragment that is anything else is no problem at all: nothing of it is ever used.

const version = '1';
const number = /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/;
// Longer numbers and longer links are none that this page writes.
const longestNumber = 32;
const longestLink = 4 * longestNumber + 16;
const givenCount = 4;

// The problem's fragment, without "#"; the givens are already neutral (see neutralNumber).
export function linkOf({ variant, givens, calculated }) {
  if (variant === 0 && !calculated && givens.every((given) => given === '')) {
    return '';
  }
  return `${version}:v${variant + 1}:${givens.join(';')}${calculated ? '=' : ''}`;
}

// { variant, givens, calculated } from a fragment (without "#"), or null when it is no link of
// this page. `variants` is how many there are.
export function problemOf(fragment, variants) {
  const parts = /^(\d+):v(\d{1,2}):([^=]*)(=?)$/.exec(decoded(fragment));
  if (!parts || parts[1] !== version) {
    return null;
  }
  const variant = Number(parts[2]) - 1;
  const givens = parts[3].split(';');
  const fits = variant >= 0 && variant < variants && givens.length === givenCount;
  if (!fits || !givens.every((given) => given === '' || isNumber(given))) {
    return null;
  }
  return { variant, givens, calculated: parts[4] === '=' };
}

// A practice problem's fragment, without "#"; the level and the place count from 0.
export function practiceLinkOf({ sheet, level, place }) {
  return `${version}:z${sheet}:${level + 1}:${place + 1}`;
}

// { sheet, level, place } from a fragment (without "#"), or null when it is no practice link.
export function practiceOf(fragment) {
  const parts = /^(\d+):z([1-9]\d{0,5}):([1-4]):([1-9]\d?)$/.exec(decoded(fragment));
  if (!parts || parts[1] !== version) {
    return null;
  }
  return { sheet: Number(parts[2]), level: Number(parts[3]) - 1, place: Number(parts[4]) - 1 };
}

// What a pupil typed, as a link writes it: without blanks, the language's decimal separator as a
// period. null where that is no plain number in range ("30 kg", "&H1F", "1e999"): the link then
// holds the number the worksheet reads from it.
export function neutralNumber(text, separator) {
  const packed = text.replace(/[ \t\n]/g, '').replaceAll(separator, '.');
  return packed === '' || isNumber(packed) ? packed : null;
}

// A link's number as this browser's language writes it.
export function localNumber(neutral, separator) {
  return neutral.replace('.', separator);
}

function isNumber(text) {
  return text.length <= longestNumber && number.test(text) && Number.isFinite(Number(text));
}

// The fragment as text; '' where it is longer than any link of this page or wrongly
// percent-encoded.
function decoded(fragment) {
  if (typeof fragment !== 'string' || fragment.length > 3 * longestLink) {
    return '';
  }
  try {
    return decodeURIComponent(fragment);
  } catch {
    return '';
  }
}

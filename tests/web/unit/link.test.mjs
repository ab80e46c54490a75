// A problem written into a link and read back, in either decimal separator, a practice problem
// the same, and every fragment that is no link of the page read as none.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { linkOf, localNumber, neutralNumber, practiceLinkOf, practiceOf, problemOf } from '../../../web/link.js';

const variants = 7;

test('a problem goes into a link and comes back the same, with and without its results', () => {
  for (const calculated of [false, true]) {
    const problem = { variant: 2, givens: ['30', '200', '40', '500'], calculated };
    const link = linkOf(problem);
    assert.equal(link, calculated ? '1:v3:30;200;40;500=' : '1:v3:30;200;40;500');
    assert.deepEqual(problemOf(link, variants), problem);
  }
});

test('the start is the address without a fragment, and anything else has one', () => {
  const empty = ['', '', '', ''];
  assert.equal(linkOf({ variant: 0, givens: empty, calculated: false }), '');
  assert.equal(linkOf({ variant: 1, givens: empty, calculated: false }), '1:v2:;;;');
  assert.equal(linkOf({ variant: 0, givens: ['', '5', '', ''], calculated: false }), '1:v1:;5;;');
  assert.deepEqual(problemOf('1:v2:;;;', variants), { variant: 1, givens: empty, calculated: false });
});

test('a link written in a comma language opens in a period one, and the other way round', () => {
  const typed = [['12,5', ','], ['12.5', '.'], ['12.5', ',']];
  for (const [text, separator] of typed) {
    assert.equal(neutralNumber(text, separator), '12.5');
  }
  assert.equal(localNumber('12.5', ','), '12,5');
  assert.equal(localNumber('12.5', '.'), '12.5');
  assert.equal(localNumber('-1.5E+20', ','), '-1,5E+20');
});

test('numbers keep the way they were typed, less their blanks', () => {
  const kept = [['0200', '0200'], ['1e2', '1e2'], [' 2 4 ', '24'], ['-4', '-4'], ['+.5', '+.5'], ['5.', '5.'], ['', ''], ['  ', '']];
  for (const [text, written] of kept) {
    assert.equal(neutralNumber(text, ','), written, text);
  }
});

test('what is no plain number is left for the worksheet to read', () => {
  // Units, the whole-number forms, a comma where the period is the point, two points, out of range.
  for (const [text, separator] of [['30 kg', ','], ['&H1F', '.'], ['2,5', '.'], ['1.2.3', '.'], ['1e999', '.'], ['9'.repeat(40), '.']]) {
    assert.equal(neutralNumber(text, separator), null, text);
  }
});

test('a fragment that is no link of the page is no problem', () => {
  const none = [
    ['100 000 characters', `1:v3:${'9'.repeat(100000)};200;40;500`],
    ['100 000 characters of nothing', 'x'.repeat(100000)],
    ['a variant below the first', '1:v0:30;200;40;500'],
    ['a variant beyond the last', '1:v8:30;200;40;500'],
    ['a variant of three digits', '1:v003:30;200;40;500'],
    ['broken percent-encoding', '1:v3:30%E0%A4%A;200;40;500'],
    ['a lone percent sign', '1:v3:30%;200;40;500'],
    ['markup', '1:v3:<img src=x onerror=alert(1)>;200;40;500'],
    ['encoded markup', '1:v3:%3Cscript%3Ealert(1)%3C%2Fscript%3E;200;40;500'],
    ['script in the variant', '1:v<script>:30;200;40;500'],
    ['a script address', 'javascript:alert(1)'],
    ['a number beyond a double', '1:v3:1e999;200;40;500'],
    ['a number too long', `1:v3:${'1'.repeat(33)};200;40;500`],
    ['not a number', '1:v3:30kg;200;40;500'],
    ['NaN', '1:v3:NaN;200;40;500'],
    ['Infinity', '1:v3:Infinity;200;40;500'],
    ['a comma for the point', '1:v3:30,5;200;40;500'],
    ['three fields', '1:v3:30;200;40'],
    ['five fields', '1:v3:30;200;40;500;600'],
    ['no fields', '1:v3'],
    ['two equals signs', '1:v3:30;200;40;500=='],
    ['another version', '2:v3:30;200;40;500'],
    ['no version', 'v3:30;200;40;500'],
    ['blanks', '1:v3: 30;200;40;500'],
    ['the empty fragment', ''],
    ['not text', undefined],
  ];
  for (const [what, fragment] of none) {
    assert.equal(problemOf(fragment, variants), null, what);
  }
});

test('a link that was sent percent-encoded still opens', () => {
  assert.deepEqual(problemOf('1%3Av3%3A30%3B200%3B40%3B12.5%3D', variants),
    { variant: 2, givens: ['30', '200', '40', '12.5'], calculated: true });
});

test('a practice problem goes into a link of its own and comes back the same', () => {
  for (const [source, link] of [
    [{ sheet: 17, level: 1, place: 2 }, '1:z17:2:3'],
    [{ sheet: 1, level: 3, place: 0 }, '1:z1:4:1'],
    [{ sheet: 999999, level: 0, place: 11 }, '1:z999999:1:12'],
  ]) {
    assert.equal(practiceLinkOf(source), link);
    assert.deepEqual(practiceOf(link), source);
    // Neither form is taken for the other.
    assert.equal(problemOf(link, variants), null);
  }
  assert.equal(practiceOf('1:v3:30;200;40;500='), null);
  assert.deepEqual(practiceOf('1%3Az17%3A2%3A3'), { sheet: 17, level: 1, place: 2 });
});

test('a fragment that is no practice link is none', () => {
  const none = [
    ['sheet 0', '1:z0:2:3'], ['a sheet of seven digits', '1:z1000000:2:3'], ['a sheet with a leading zero', '1:z017:2:3'],
    ['level 0', '1:z17:0:3'], ['level 5', '1:z17:5:3'], ['place 0', '1:z17:2:0'], ['a place of three digits', '1:z17:2:100'],
    ['another version', '2:z17:2:3'], ['no place', '1:z17:2'], ['a place too many', '1:z17:2:3:4'], ['blanks', '1:z17: 2:3'],
    ['markup', '1:z17:2:<img src=x onerror=alert(1)>'], ['broken percent-encoding', '1:z17:2:3%E0%A4%A'],
    ['100 000 characters', `1:z17:2:${'3'.repeat(100000)}`], ['the empty fragment', ''], ['not text', undefined],
  ];
  for (const [what, fragment] of none) {
    assert.equal(practiceOf(fragment), null, what);
  }
});

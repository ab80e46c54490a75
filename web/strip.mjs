// Writes a page module as a phone downloads it: without the lines that are only comments, and
// without indentation, which a plain server would send uncompressed. Nothing else changes, so a
// module that holds a string or template running over several lines, where such blanks would
// count, is refused.
//   node strip.mjs SOURCE TARGET
import { readFileSync, writeFileSync } from 'node:fs';

const [source, target] = process.argv.slice(2);
const lines = readFileSync(source, 'utf8').split('\n');
const spanning = lines.findIndex((line) => (line.match(/`/g) ?? []).length % 2 === 1);
if (spanning >= 0) {
  console.error(`${source}:${spanning + 1}: a template runs over several lines; the module cannot be stripped.`);
  process.exit(1);
}
const kept = lines.map((line) => line.trim()).filter((line) => line !== '' && !line.startsWith('//'));
writeFileSync(target, `${kept.join('\n')}\n`);

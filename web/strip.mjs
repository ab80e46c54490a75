// Writes a page module as a phone downloads it: without the lines that are only comments, and
// without indentation, which a plain server would send uncompressed. Nothing else changes, so a
// module that holds a string or template running over several lines, where such blanks would
// count, is refused. A style sheet loses its comments and layout blanks, as the page's inline one
// does (prerender.mjs).
//   node strip.mjs SOURCE TARGET
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

// The sheets have no strings in which such blanks would count.
export const stripStyle = (sheet) => sheet.replace(/\/\*[\s\S]*?\*\//g, '')
  .replace(/\s*\n\s*/g, '').replace(/\s*([{};,>])\s*/g, '$1').replace(/:\s+/g, ':').trim();

function stripModule(source, text) {
  const lines = text.split('\n');
  const spanning = lines.findIndex((line) => (line.match(/`/g) ?? []).length % 2 === 1);
  if (spanning >= 0) {
    console.error(`${source}:${spanning + 1}: a template runs over several lines; the module cannot be stripped.`);
    process.exit(1);
  }
  return lines.map((line) => line.trim()).filter((line) => line !== '' && !line.startsWith('//')).join('\n');
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [source, target] = process.argv.slice(2);
  const text = readFileSync(source, 'utf8');
  writeFileSync(target, `${source.endsWith('.css') ? stripStyle(text) : stripModule(source, text)}\n`);
}

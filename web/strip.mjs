// Writes a page module as a phone downloads it: minified by Debian's terser, its names inside
// shortened and its comments gone, so that the first visit stays within its budget; what it
// imports and exports keeps its name. A style sheet loses its comments and layout blanks, as the
// page's inline one does (prerender.mjs).
//   NODE_PATH=/usr/share/nodejs node strip.mjs SOURCE TARGET
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';

// The sheets have no strings in which such blanks would count.
export const stripStyle = (sheet) => sheet.replace(/\/\*[\s\S]*?\*\//g, '')
  .replace(/\s*\n\s*/g, '').replace(/\s*([{};,>])\s*/g, '$1').replace(/:\s+/g, ':').trim();

async function minifyModule(text) {
  const { minify } = createRequire(import.meta.url)('terser');
  const { code } = await minify(text, { module: true, compress: { passes: 2 }, format: { comments: false } });
  return code;
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [source, target] = process.argv.slice(2);
  const text = readFileSync(source, 'utf8');
  writeFileSync(target, `${source.endsWith('.css') ? stripStyle(text) : await minifyModule(text)}\n`);
}

// Writes the WebAssembly module gzip-compressed, as the page fetches it: many school servers send
// files as they are, and the module is half its size this way. The gzip header carries no time or
// name, so the same module gives the same bytes.
//   node compress.mjs SOURCE TARGET
import { readFileSync, writeFileSync } from 'node:fs';
import { gzipSync } from 'node:zlib';

const [source, target] = process.argv.slice(2);
writeFileSync(target, gzipSync(readFileSync(source), { level: 9 }));

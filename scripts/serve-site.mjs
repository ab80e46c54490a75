// Serves a folder of static files on this machine's loopback address, as any web server would.
//   node scripts/serve-site.mjs FOLDER [PORT]   serves on PORT (8080), or the next free one
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
};
// What a usual web server compresses for a browser that accepts it: text and WebAssembly.
const compressible = new Set(['.html', '.js', '.css', '.wasm', '.webmanifest', '.svg']);

// Starts serving `folder`; `requests` records every path asked for, in order, and
// `transfers` those whose body was sent. Like a usual web server, each file carries a validator,
// so that a browser that has it already is answered "not modified", and text and WebAssembly go
// gzip-compressed to a browser that accepts it. hold(path) keeps back the
// answers for one path, as a slow network would, until the function it returns is called.
// labelGzip(path) sends that file as it is but says it is gzip-encoded, as a server does that
// takes a name ending in .gz for an encoding.
export async function serveSite(folder, port = 0, lastPort = port) {
  const requests = [];
  const transfers = [];
  const held = new Map();
  const labelled = new Set();
  const labelGzip = (path) => labelled.add(path);
  const hold = (path) => {
    let release;
    const answer = new Promise((resolve) => {
      release = resolve;
    });
    held.set(path, { answer, release });
    return release;
  };
  const server = createServer(async (request, response) => {
    requests.push(request.url);
    const path = new URL(request.url, 'http://localhost').pathname;
    await held.get(path)?.answer;
    const file = join(folder, normalize(path === '/' ? '/index.html' : path));
    try {
      const { size, mtime } = await stat(file);
      const tag = `"${size.toString(16)}-${mtime.getTime().toString(16)}"`;
      const headers = { ETag: tag, 'Last-Modified': mtime.toUTCString(), 'Cache-Control': 'no-cache' };
      if (request.headers['if-none-match'] === tag) {
        response.writeHead(304, headers).end();
        return;
      }
      const type = { 'Content-Type': types[extname(file)] ?? 'application/octet-stream', Vary: 'Accept-Encoding' };
      const body = await readFile(file);
      const accepted = /\bgzip\b/.test(request.headers['accept-encoding'] ?? '');
      const encoded = labelled.has(path) ? body : compressible.has(extname(file)) && accepted && gzipSync(body);
      if (encoded) {
        response.writeHead(200, { ...headers, ...type, 'Content-Encoding': 'gzip' });
        response.end(encoded);
      } else {
        response.writeHead(200, { ...headers, ...type });
        response.end(body);
      }
      transfers.push(request.url);
    } catch {
      response.writeHead(404).end();
    }
  });
  for (let candidate = port; ; candidate += 1) {
    try {
      await new Promise((resolve, reject) => {
        server.once('error', reject);
        server.listen(candidate, '127.0.0.1', resolve);
      });
      break;
    } catch (error) {
      if (error.code !== 'EADDRINUSE' || candidate >= lastPort) {
        throw error;
      }
    }
  }
  const url = `http://127.0.0.1:${server.address().port}/`;
  // Closing lets every held answer go and ends the connections browsers keep open.
  const close = () => new Promise((resolve) => {
    server.close(resolve);
    held.forEach(({ release }) => release());
    server.closeAllConnections();
  });
  return { url, requests, transfers, hold, labelGzip, close };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [folder, port = '8080'] = process.argv.slice(2);
  const { url } = await serveSite(folder, Number(port), Number(port) + 100);
  console.log(`Blendora is served at ${url} (Ctrl+C stops it)`);
}

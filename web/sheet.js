// The worksheet in the WebAssembly module, behind plain JavaScript calls. The module needs no
// file system and grows its own memory, so no loader of emscripten's: it is instantiated here,
// and texts go in and out as UTF-8 that ends in a zero byte. The teaching module, which the
// page fetches once it is ready, is instantiated the same way.

// Compiled while it downloads, from the moment this module is evaluated: the page asked for it at
// once (its preload), and loads this module by itself, ahead of main.js, so that the compiling is
// under way while the other modules arrive.
const compiling = compileModule('blendora');
// blendora_worked's row: the variant, whether it calculated, and the six quantities.
const workedLength = 2 + 6;

// A browser that cannot decompress a stream (Safari before 16.4) fetches the module as it is; the
// service worker keeps the same one.
export function compileModule(name) {
  return WebAssembly.compileStreaming('DecompressionStream' in globalThis
    ? moduleResponse(fetch(`${name}.wasm.gz`)) : fetch(`${name}.wasm`));
}

// The module's exported functions, by name; a text comes back as a pointer to it.
async function instantiate(compiled) {
  const imports = {
    // Views of the memory are made anew for every text, so a growth needs no answer.
    env: { emscripten_notify_memory_growth: () => {} },
    wasi_snapshot_preview1: {
      proc_exit: () => {
        throw new WebAssembly.RuntimeError('the worksheet stopped');
      },
    },
  };
  const instance = await WebAssembly.instantiate(await compiled, imports);
  instance.exports._initialize();
  return instance.exports;
}

// The module travels gzip-compressed, since many school servers send files as they are. A server
// that sent it with a gzip encoding has had it decompressed by the browser already, so the first
// bytes tell which it is.
async function moduleResponse(fetched) {
  const response = await fetched;
  if (!response.ok) {
    throw new TypeError(`${response.url} did not come (${response.status})`);
  }
  // One branch shows the first bytes; the other carries them all on.
  const [peek, body] = response.body.tee();
  const reader = peek.getReader();
  const first = await reader.read();
  reader.cancel();
  const gzipped = first.value?.[0] === 0x1f && first.value?.[1] === 0x8b;
  const module = gzipped ? body.pipeThrough(new DecompressionStream('gzip')) : body;
  return new Response(module, { headers: { 'Content-Type': 'application/wasm' } });
}

// A compiled module's functions, and its texts: read(pointer) gives the text there, and
// withText(text, use) calls use with a pointer to the text in the module's memory, for that call.
export async function connect(compiled) {
  const module = await instantiate(compiled);
  const { memory } = module;
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const read = (pointer) => {
    const bytes = new Uint8Array(memory.buffer, pointer);
    return decoder.decode(bytes.subarray(0, bytes.indexOf(0)));
  };
  const withText = (text, use) => {
    const bytes = encoder.encode(text);
    const pointer = module.malloc(bytes.length + 1);
    new Uint8Array(memory.buffer, pointer, bytes.length + 1).set([...bytes, 0]);
    try {
      return use(pointer);
    } finally {
      module.free(pointer);
    }
  };
  return { module, read, withText };
}

// A module the page fetches when it is first used: load() gives what `wrap` makes of it (see
// connect), fetched on the first call, and asked for again after a fetch that failed.
export function onFirstUse(name, wrap) {
  let coming;
  return () => {
    coming ??= connect(compileModule(name)).then(wrap, (failure) => {
      coming = undefined;
      throw failure;
    });
    return coming;
  };
}

export async function loadSheet() {
  const { module, read, withText } = await connect(compiling);
  const text = (name) => () => read(module[`blendora_${name}`]());
  return {
    start: (separator) => withText(separator, module.blendora_start),
    // Each cell's text, whether it is locked, and the worked solution of a computed one.
    cells: () => JSON.parse(text('cells')()),
    currentVariant: module.blendora_current_variant,
    selectVariant: module.blendora_select_variant,
    setCellText: (cell, value) => withText(value, (pointer) => module.blendora_set_cell_text(cell, pointer)),
    // The fault's message, or null when the row was solved.
    calculate: () => text('calculate')() || null,
    results: text('results'),
    // What the last calculation worked on, { variant, calculated, values }, or null once anything
    // changed (see blendora_worked).
    worked: () => {
      const pointer = module.blendora_worked();
      if (!pointer) {
        return null;
      }
      const [variant, calculated, ...values] = new Float64Array(module.memory.buffer, pointer, workedLength);
      return { variant, calculated, values };
    },
    clear: module.blendora_clear,
    // The number a text reads as, with a period, or '' where it is out of range.
    readNumber: (value) => withText(value, (pointer) => read(module.blendora_read_number(pointer))),
  };
}

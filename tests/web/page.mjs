// The page under test: a local server for build-web/bin and headless
// Chromium (rendering WebGL 2 through SwiftShader) driven by puppeteer-core.
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
};

// Serves `folder` on a free port of 127.0.0.1; resolves to its base URL.
export async function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://page').pathname);
    const file = path.join(folder, path.normalize(name));
    if (!file.startsWith(folder) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// A browser with a profile of its own, kept across reloads of the page.
export async function openBrowser(width, height) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'rockpile-browser-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.ROCKPILE_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--autoplay-policy=no-user-gesture-required',
           `--window-size=${width},${height}`],
    defaultViewport: { width, height },
  });
  return {
    browser,
    close: async () => {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Collects the page's console lines; `waitFor` resolves at the first line
// (already seen or still to come) matching `pattern`.
export function consoleOf(page) {
  const lines = [];
  const waiting = [];
  const note = (text) => {
    lines.push(text);
    for (const w of waiting.slice()) if (w.pattern.test(text)) { waiting.splice(waiting.indexOf(w), 1); w.resolve(text); }
  };
  page.on('console', (message) => note(message.text()));
  page.on('pageerror', (error) => note('page error: ' + (error.stack || error.message)));
  return {
    lines,
    mark: () => lines.length,
    waitFor(pattern, seconds, from = 0) {
      const seen = lines.slice(from).find((line) => pattern.test(line));
      if (seen) return Promise.resolve(seen);
      return new Promise((resolve, reject) => {
        const w = { pattern, resolve };
        waiting.push(w);
        setTimeout(() => {
          if (!waiting.includes(w)) return;
          waiting.splice(waiting.indexOf(w), 1);
          reject(new Error(`no console line like ${pattern} within ${seconds} s; the page said:\n` + lines.join('\n')));
        }, seconds * 1000);
      });
    },
  };
}

// Counts the WebGL textures and buffers the page has made and not deleted;
// call before the page loads. `liveGlObjects` reads the counts.
export async function watchGlObjects(page) {
  await page.evaluateOnNewDocument(() => {
    const live = { texture: new Set(), buffer: new Set() };
    window.rockpileGlObjects = live;
    const proto = WebGL2RenderingContext.prototype;
    for (const kind of ['Texture', 'Buffer']) {
      const set = live[kind.toLowerCase()];
      const create = proto['create' + kind], remove = proto['delete' + kind];
      proto['create' + kind] = function (...args) {
        const object = create.apply(this, args);
        if (object) set.add(object);
        return object;
      };
      proto['delete' + kind] = function (object) {
        set.delete(object);
        return remove.call(this, object);
      };
    }
  });
}

export async function liveGlObjects(page) {
  return page.evaluate(() => ({
    textures: window.rockpileGlObjects.texture.size, buffers: window.rockpileGlObjects.buffer.size,
  }));
}

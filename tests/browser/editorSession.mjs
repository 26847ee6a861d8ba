// What the page's tests share: a scratch copy of a game directory, the
// built zunai serving it with `zunai edit`, and Debian's Chromium under
// Playwright (never a downloaded browser).

import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createInterface } from 'node:readline';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

const here = path.dirname(fileURLToPath(import.meta.url));
export const root = path.resolve(here, '../..');
export const sample = path.join(root, 'samples/courtyard');
const tool = process.env.ZUNAI_TOOL || path.join(root, 'build/native/tools/zunai/zunai');
const browserPath = process.env.ZUNAI_CHROMIUM || '/usr/bin/chromium';

export function scratchDir(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), `${prefix}-`));
}

// A copy of the sample in a fresh temporary folder: tests never write into the sample.
export function copyOfSample() {
  const dir = scratchDir('zunai-page');
  fs.cpSync(sample, dir, { recursive: true });
  return dir;
}

export function databaseOf(gameDir) {
  return path.join(gameDir, 'data/memory/levels/paths.qzt');
}

// `zunai edit --game DIR --port 0`; resolves once it printed its URL.
export async function startEditor(gameDir) {
  const child = spawn(tool, ['edit', '--game', gameDir, '--port', '0'], { stdio: ['ignore', 'pipe', 'pipe'] });
  let stderr = '';
  child.stderr.on('data', (chunk) => { stderr += chunk; });
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const lines = createInterface({ input: child.stdout });
  const url = await new Promise((resolve, reject) => {
    lines.once('line', resolve);
    exited.then(({ code }) => reject(new Error(`zunai edit ended (${code}): ${stderr}`)));
  });
  if (!/^http:\/\/127\.0\.0\.1:\d+\/$/.test(url)) throw new Error(`unexpected first line: ${url}`);
  return {
    url,
    async api(method, route, body) {
      const response = await fetch(url + route.replace(/^\//, ''), {
        method,
        headers: body ? { 'Content-Type': 'application/json' } : {},
        body: body ? JSON.stringify(body) : undefined,
      });
      return { status: response.status, data: await response.json() };
    },
    // SIGTERM, as a designer's Ctrl-C: the editor ends by itself, exit code 0.
    async stop() {
      child.kill('SIGTERM');
      return exited;
    },
  };
}

export async function launchBrowser() {
  const profile = scratchDir('zunai-chromium');
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: browserPath,
    headless: true,
    viewport: { width: 1400, height: 900 },
    // WebGL for the 3D view from the software renderer: no GPU in a test run.
    args: ['--disable-gpu', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-quic',
      '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Clicks the map at world coordinates (x, y), or the 3D view at (x, y, z).
export async function clickWorld(page, x, y, z) {
  const [view, canvas] = z === undefined ? ['zunaiView', '#map'] : ['zunaiOrbit', '#scene'];
  const at = await page.evaluate(([name, p]) => window[name].toScreen(...p), [view, [x, y, z]]);
  const box = await page.locator(canvas).boundingBox();
  await page.mouse.click(box.x + at.x, box.y + at.y);
}

// The 3D view's picture: the share of pixels not the background, and a
// fingerprint that changes with the picture.
export function scenePicture(page) {
  return page.evaluate(() => {
    const scene = document.querySelector('#scene');
    const copy = document.createElement('canvas');
    copy.width = scene.width;
    copy.height = scene.height;
    const g = copy.getContext('2d');
    g.drawImage(scene, 0, 0);
    const d = g.getImageData(0, 0, copy.width, copy.height).data;
    let lit = 0, print = 0;
    for (let i = 0; i < d.length; i += 4) {
      if (d[i] !== 0x15 || d[i + 1] !== 0x18 || d[i + 2] !== 0x1c) lit++;
      print = (print * 31 + d[i] + 7 * d[i + 1] + 13 * d[i + 2]) >>> 0;
    }
    return { lit: lit / (d.length / 4), print };
  });
}

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
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Clicks the map at world coordinates (x, y).
export async function clickWorld(page, x, y) {
  const at = await page.evaluate(([wx, wy]) => window.zunaiView.toScreen(wx, wy), [x, y]);
  const box = await page.locator('#map').boundingBox();
  await page.mouse.click(box.x + at.x, box.y + at.y);
}

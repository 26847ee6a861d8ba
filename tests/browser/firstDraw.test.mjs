// How long the page takes to first draw a large game: a level of 100,352
// triangles (a rolling terrain of 224 x 224 squares) and a database of
// 1,000 paths of 20 marks, in the top view and then in the 3D view. The
// figures are reported, not judged.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { launchBrowser, scratchDir, startEditor } from './editorSession.mjs';

const CELLS = 224, SIZE = 4000;
const height = (x, y) => 40 * Math.sin(x / 350) * Math.cos(y / 450);

function writeLargeGame(dir) {
  fs.mkdirSync(path.join(dir, 'bin'));
  fs.mkdirSync(path.join(dir, 'data/levels'), { recursive: true });
  fs.mkdirSync(path.join(dir, 'data/memory/levels'), { recursive: true });
  const obj = [];
  const step = SIZE / CELLS;
  for (let j = 0; j <= CELLS; j++)
    for (let i = 0; i <= CELLS; i++) {
      const x = -SIZE / 2 + i * step, y = -SIZE / 2 + j * step;
      obj.push(`v ${x} ${y} ${height(x, y).toFixed(3)}`);
    }
  const at = (i, j) => j * (CELLS + 1) + i + 1;
  for (let j = 0; j < CELLS; j++)
    for (let i = 0; i < CELLS; i++) {
      obj.push(`f ${at(i, j)} ${at(i + 1, j)} ${at(i + 1, j + 1)}`);
      obj.push(`f ${at(i, j)} ${at(i + 1, j + 1)} ${at(i, j + 1)}`);
    }
  fs.writeFileSync(path.join(dir, 'data/levels/terrain.obj'), obj.join('\n') + '\n');

  const lines = ['KVR AI path database ----------------------------------------------------', ''];
  let seed = 12345;
  const random = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
  for (let p = 0; p < 1000; p++) {
    lines.push(`Path ID:${p} ----------------------------`);
    let x = (random() - 0.5) * (SIZE - 400), y = (random() - 0.5) * (SIZE - 400);
    for (let m = 0; m < 20; m++) {
      lines.push(`Path${p}Mark${m}X = ${x.toFixed(6)};`, `Path${p}Mark${m}Y = ${y.toFixed(6)};`,
        `Path${p}Mark${m}Z = ${(height(x, y) + 24.7).toFixed(6)};`);
      x += (random() - 0.5) * 60;
      y += (random() - 0.5) * 60;
    }
    lines.push('');
  }
  fs.writeFileSync(path.join(dir, 'data/memory/levels/paths.qzt'), lines.join('\n') + '\n');
}

test('first draw of 1,000 paths on a 100,000-triangle level', async (t) => {
  const dir = scratchDir('zunai-large');
  writeLargeGame(dir);
  const editor = await startEditor(dir);
  const browser = await launchBrowser();
  try {
    const page = await browser.context.newPage();
    await page.goto(editor.url);
    const firstDraw = await page.waitForFunction(() => window.zunaiView && window.zunaiView.firstDraw, null,
      { timeout: 60000 });
    const ms = await firstDraw.jsonValue();
    const status = await page.textContent('#status');
    assert.match(status, /^1000 paths/);
    assert.match(status, /100352 triangles/);
    t.diagnostic(`first draw after ${Math.round(ms)} ms (from navigation start)`);
    const asked = await page.evaluate(() => performance.now());
    await page.keyboard.press('v');
    const drawn = await page.waitForFunction(() => window.zunaiOrbit && window.zunaiOrbit.firstDraw, null,
      { timeout: 60000 });
    t.diagnostic(`3D view drawn ${Math.round((await drawn.jsonValue()) - asked)} ms after it was asked for`);
  } finally {
    await browser.close();
    assert.equal((await editor.stop()).code, 0);
    fs.rmSync(dir, { recursive: true, force: true });
  }
});

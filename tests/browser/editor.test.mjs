// The editor's page in headless Chromium: a designer records a path by
// clicking, takes a mark back, commits, selects and deletes a path, saves,
// meets a file changed on disk, reloads, asks for a route, and turns the
// level round in the 3D view.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, test } from 'node:test';

import { clickWorld, copyOfSample, databaseOf, launchBrowser, scenePicture, startEditor } from './editorSession.mjs';

let game, editor, browser, page;

async function until(check, what) {
  const end = Date.now() + 10000;
  for (;;) {
    const value = await check();
    if (value) return value;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

const serverState = async () => (await editor.api('GET', '/api/state')).data;

before(async () => {
  game = copyOfSample();
  editor = await startEditor(game);
  browser = await launchBrowser();
  page = await browser.context.newPage();
  page.on('pageerror', (e) => { throw e; });
  await page.goto(editor.url);
  await page.waitForFunction(() => window.zunaiView && window.zunaiView.firstDraw !== null);
});

after(async () => {
  if (browser) await browser.close();
  if (editor) assert.equal((await editor.stop()).code, 0, 'zunai edit ends cleanly on SIGTERM');
  if (game) fs.rmSync(game, { recursive: true, force: true });
});

test('record, undo, commit, select, delete and save by mouse and keys', async () => {
  const stored = (await serverState()).paths.length;
  const before = fs.readFileSync(databaseOf(game), 'utf8');

  for (const [x, y] of [[-150, -178], [-120, -178], [-90, -170]]) await clickWorld(page, x, y);
  await until(async () => (await serverState()).recording?.length === 3, 'three marks');
  await page.waitForSelector('#unsaved:not([hidden])');
  await page.waitForFunction(() => /recording 3 marks/.test(document.querySelector('#status').textContent));

  await page.keyboard.press('u');
  await until(async () => (await serverState()).recording?.length === 2, 'undo');
  await page.keyboard.press('Enter');
  await until(async () => (await serverState()).paths.length === stored + 1, 'commit');

  await page.keyboard.press('s');
  await clickWorld(page, -121, -177);
  const selected = await until(async () => {
    const s = await serverState();
    return s.selected !== null && s.selected;
  }, 'a selection');
  assert.equal(selected, stored);
  assert.equal((await serverState()).lines.at(-1).colour, '#ffff00');
  await page.keyboard.press('Delete');
  await until(async () => (await serverState()).paths.length === stored, 'delete');

  // A new path, committed and saved with Ctrl+S.
  await page.keyboard.press('m');
  await clickWorld(page, -150, -178);
  await clickWorld(page, -150, -120);
  await until(async () => (await serverState()).recording?.length === 2, 'two marks');
  await page.click('[data-action=commit]');
  await until(async () => (await serverState()).paths.length === stored + 1, 'second commit');
  await page.keyboard.press('Control+s');
  await page.waitForSelector('#unsaved', { state: 'hidden' });
  const saved = fs.readFileSync(databaseOf(game), 'utf8');
  const y = Number(saved.match(new RegExp(`Path${stored}Mark1Y = (\\S+);`))[1]);
  assert.ok(Math.abs(y + 120) < 1, `the clicked mark is saved near y -120 (${y})`);
  assert.equal(fs.readFileSync(databaseOf(game) + '.bak', 'utf8'), before);
});

test('a save over a file changed on disk offers reload, which reads the file', async () => {
  await clickWorld(page, -100, -100);
  await until(async () => (await serverState()).recording?.length === 1, 'a mark');
  await page.keyboard.press('Enter');
  fs.appendFileSync(databaseOf(game), '\n');   // someone else touched the file
  const onDisk = fs.readFileSync(databaseOf(game), 'utf8');
  await page.keyboard.press('Control+s');
  await page.waitForSelector('#conflict[open]');
  await page.click('#conflict-reload');
  await page.waitForSelector('#unsaved', { state: 'hidden' });
  assert.equal(fs.readFileSync(databaseOf(game), 'utf8'), onDisk, 'nothing written');
  const s = await serverState();
  assert.equal(s.dirty, false);
  assert.equal(s.recording, null);

  // The page reloaded in the browser shows the same database.
  await page.reload();
  await page.waitForFunction(() => window.zunaiView && window.zunaiView.firstDraw !== null);
  assert.match(await page.textContent('#status'), new RegExp(`^${s.paths.length} paths`));
});

test('a route picked on the map is drawn with its explanation', async () => {
  await page.keyboard.press('t');
  await clickWorld(page, -150, -178);
  await clickWorld(page, -140, 76);
  await page.waitForSelector('#explanation[data-found]');
  const text = await page.textContent('#explanation');
  assert.match(text, /foundyes/);
  assert.match(text, /rays\d+/);
  assert.match(text, /the whole explanation/);
  if (process.env.ZUNAI_SCREENSHOT) await page.screenshot({ path: process.env.ZUNAI_SCREENSHOT });

  await page.keyboard.press('k');
  await clickWorld(page, -150, -178);
  await clickWorld(page, -150, -100);
  await page.waitForFunction(() => document.querySelector('#explanation').textContent.includes('walked'));

  // The saved database checked against the level, on demand.
  await page.keyboard.press('c');
  await page.waitForFunction(() => /problem/.test(document.querySelector('#problems-summary').textContent));
});

test('the 3D view draws the level, turns with a drag and marks the floor clicked', async () => {
  await page.keyboard.press('m');
  await page.keyboard.press('v');
  await page.waitForFunction(() => window.zunaiOrbit && window.zunaiOrbit.firstDraw !== null);
  assert.ok(await page.isHidden('#map'));
  const first = await scenePicture(page);
  assert.ok(first.lit > 0.2, `the level fills much of the view (${first.lit})`);
  if (process.env.ZUNAI_SCREENSHOT) await page.screenshot({ path: process.env.ZUNAI_SCREENSHOT.replace(/\.png$/, '-3d.png') });

  const box = await page.locator('#scene').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width / 2 + 160, box.y + box.height / 2 + 40, { steps: 5 });
  await page.mouse.up();
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  assert.notEqual((await scenePicture(page)).print, first.print, 'the picture turned');

  // The terrace (ground 20) over the yard: the mark stands on the terrace.
  await clickWorld(page, 140, 158, 20);
  const s = await until(async () => {
    const now = await serverState();
    return now.recording?.length === 1 && now;
  }, 'a mark from the 3D view');
  assert.ok(Math.abs(s.recording[0][2] - 44.7) < 0.01, `mark height ${s.recording[0][2]}`);

  await page.keyboard.press('v');
  await page.waitForSelector('#scene', { state: 'hidden' });
  assert.ok(await page.isVisible('#map'));
});

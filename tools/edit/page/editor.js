// The path editor's page: it shows what the editor answers and sends the
// designer's actions to it. Every rule (where a mark stands, which path is
// nearest, what is saved) is the editor's.

import { api } from './api.js';
import { TopView } from './map.js';

const $ = (id) => document.getElementById(id);
const view = new TopView($('map'));
window.zunaiView = view;   // for the page's tests: world <-> screen
// The 3D view is made the first time it is asked for: its library loads only then.
let orbit = null;
let shown = view;
const views = () => (orbit ? [view, orbit] : [view]);
// What the views show besides the state, for a view made later.
const picture = { level: null, band: [null, null], route: null, ends: [], problems: [] };

let state = null;
let mode = 'mark';
let routeStart = null;
let busy = Promise.resolve();

// One action at a time, in the order the designer gave them.
function queue(action) {
  busy = busy.then(action, action);
  return busy;
}

function say(text, kind = '') {
  const m = $('message');
  m.textContent = text;
  m.className = kind;
}

function showState(next) {
  state = next;
  for (const v of views()) v.setState(state);
  const unsaved = state.dirty || state.recording !== null;
  $('unsaved').hidden = !unsaved;
  document.title = (unsaved ? '\u25cf ' : '') + 'zunai edit';
  const recording = state.recording ? `recording ${state.recording.length} mark${state.recording.length === 1 ? '' : 's'}` : 'not recording';
  const selected = state.selected === null ? 'no path selected' : `path ${state.selected} selected`;
  $('status').textContent = `${state.paths.length} paths \u00b7 ${recording} \u00b7 ${selected} \u00b7 level of ${state.level.triangles} triangles`;
  document.querySelector('[data-action=undo]').disabled = !state.recording;
  document.querySelector('[data-action=commit]').disabled = !state.recording;
  document.querySelector('[data-action=delete]').disabled = state.selected === null;
  document.body.dataset.dirty = String(state.dirty);
}

// An answer that carries the new state; false when it was an error.
function took(answer, success) {
  if (!answer.ok) {
    say(answer.data.error || `failed (HTTP ${answer.status})`, 'error');
    return false;
  }
  if (answer.data.paths) showState(answer.data);
  if (success !== undefined) say(answer.data.done === false ? success[1] : success[0], answer.data.done === false ? '' : 'ok');
  return true;
}

function setMode(next) {
  mode = next;
  routeStart = null;
  for (const b of document.querySelectorAll('[data-mode]')) b.classList.toggle('active', b.dataset.mode === mode);
  $('route-pick').textContent = mode === 'route' ? 'Click the start of the route.' : '';
}

function bandValue(id) {
  const text = $(id).value.trim();
  return text === '' || !Number.isFinite(Number(text)) ? null : Number(text);
}

// The point clicked: on the ground [x, y]; with a floor band, on the
// highest floor the editor finds inside it [x, y, mark height]; in the 3D
// view, on the floor clicked (the highest at or below the point hit).
async function pointAt(world) {
  const low = bandValue('band-low'), high = bandValue('band-high');
  const hit = world.z !== undefined;
  if (!hit && low === null && high === null) return [world.x, world.y];
  const probe = await api.probe(world.x, world.y);
  if (!probe.ok) return [world.x, world.y];
  const floor = probe.data.floors.find(hit ? (f) => f.ground <= world.z + 1
    : (f) => (low === null || f.ground >= low) && (high === null || f.ground <= high));
  return floor ? [world.x, world.y, floor.mark] : [world.x, world.y];
}

async function clickAt(world) {
  const at = await pointAt(world);
  if (mode === 'mark') {
    took(await api.addMark(at), ['mark added', 'no mark added']);
  } else if (mode === 'select') {
    took(await api.select(at), ['path selected', 'no path within reach of that point']);
  } else if (mode === 'route') {
    if (!routeStart) {
      routeStart = at;
      setRoute(null, [{ at, goal: false }]);
      $('route-pick').textContent = 'Now click the goal.';
    } else {
      const from = routeStart;
      routeStart = null;
      $('route-pick').textContent = 'Click the start of the next route.';
      await queryRoute(from, at);
    }
  }
}

function setRoute(route, ends) {
  Object.assign(picture, { route, ends });
  for (const v of views()) v.setRoute(route, ends);
}

function tuningValue(id) {
  const v = Number($(id).value);
  return $(id).value.trim() === '' ? undefined : v;
}

async function queryRoute(from, to) {
  const request = { from, to, kind: $('route-kind').value };
  if (request.kind === 'chained') {
    for (const [field, id] of [['firstJoin', 'first-join'], ['join', 'join'], ['minDot', 'min-dot'], ['maxHeightDiff', 'max-height-diff']]) {
      const v = tuningValue(id);
      if (v !== undefined) request[field] = v;
    }
  }
  const answer = await api.route(request);
  if (!answer.ok) {
    say(answer.data.error, 'error');
    setRoute(null, []);
    return;
  }
  const route = answer.data;
  setRoute(route, [{ at: route.from, goal: false }, { at: route.to, goal: true }]);
  explain(route);
  say(route.found ? 'route found' : 'no route', route.found ? 'ok' : '');
}

const fmt = (v) => (typeof v === 'number' ? String(+v.toFixed(2)) : v === null || v === undefined ? '\u2013' : String(v));
const point = (p) => (p ? `(${p.map(fmt).join(', ')})` : '\u2013');

function row(table, name, value, cls) {
  const tr = table.insertRow();
  const th = document.createElement('th');
  th.textContent = name;
  tr.appendChild(th);
  const td = tr.insertCell();
  td.textContent = value;
  if (cls) td.className = cls;
}

function side(s) {
  if (!s) return '\u2013';
  const counts = {};
  for (const c of s.candidates || []) counts[c.verdict] = (counts[c.verdict] || 0) + 1;
  const list = Object.entries(counts).map(([k, n]) => `${n} ${k}`).join(', ');
  return `path ${fmt(s.chosen)}${list ? ` (${list})` : ''}`;
}

// The route and the editor's explanation of it, beside the map.
function explain(route) {
  const box = $('explanation');
  box.replaceChildren();
  const table = document.createElement('table');
  row(table, 'kind', route.kind);
  row(table, 'from', point(route.from));
  row(table, 'to', point(route.to));
  row(table, 'found', route.found ? 'yes' : 'no', route.found ? 'found' : 'missed');
  row(table, 'reached', route.reached ? 'yes' : 'no', route.reached ? 'found' : 'missed');
  row(table, 'marks', fmt(route.markCount));
  row(table, 'length', fmt(route.length));
  row(table, 'goal distance', fmt(route.goalDistance));
  row(table, 'rays', fmt(route.rays));
  if (route.end) row(table, 'end', route.end);
  box.appendChild(table);
  if (Array.isArray(route.passes) && route.passes.length) {
    const list = document.createElement('ol');
    list.start = 0;
    for (const pass of route.passes) {
      const li = document.createElement('li');
      if (route.kind === 'walked') {
        const chosen = pass.chosen ? `angle ${fmt(pass.chosen.angle)}, clearance ${fmt(pass.chosen.clearance)}` : '';
        li.textContent = `${pass.direct ? 'direct' : 'turn'} ${chosen} ${pass.step ? `(${pass.step} step)` : ''}`;
      } else {
        const closing = pass.closing ? (pass.closing.holds ? 'closing holds' : `closing fails: ${pass.closing.reason || (pass.closing.tested ? '?' : 'not tested')}`) : '';
        li.textContent = `goal side ${side(pass.goalSide)}; start side ${side(pass.startSide)}; ${closing}`;
      }
      list.appendChild(li);
    }
    box.appendChild(list);
  }
  if (route.hint) {
    const hint = document.createElement('p');
    hint.className = 'hint';
    hint.textContent = route.hint;
    box.appendChild(hint);
  }
  if (route.text) {
    const details = document.createElement('details');
    const summary = document.createElement('summary');
    summary.textContent = 'the whole explanation';
    const pre = document.createElement('pre');
    pre.textContent = route.text;
    details.append(summary, pre);
    box.appendChild(details);
  }
  box.dataset.found = String(route.found);
}

// The check of the database as edited against the level, as `zunai check
// --level` would check it saved: its problems listed and marked on the map
// where the editor says they are.
async function check() {
  const answer = await api.check();
  $('problems-box').hidden = false;
  if (!answer.ok) {
    $('problems-summary').textContent = answer.data.error || 'no checks in this editor';
    return;
  }
  const problems = answer.data.problems || [];
  picture.problems = problems;
  for (const v of views()) v.setProblems(problems);
  $('problems-summary').textContent = problems.length === 0
    ? 'the database as edited has no problem'
    : `${problems.length} problem${problems.length === 1 ? '' : 's'} in the database as edited`;
  const list = $('problems');
  list.replaceChildren();
  for (const p of problems) {
    const li = document.createElement('li');
    const kind = document.createElement('span');
    kind.className = 'kind';
    kind.textContent = p.kind;
    li.append(kind, ` path ${p.path}${p.mark !== undefined && p.mark !== null ? ` mark ${p.mark}` : ''}: ${p.message || ''}`);
    if (p.at) li.addEventListener('click', () => shown.focus(p.at));
    list.appendChild(li);
  }
}

async function save(force) {
  const answer = await api.save(force);
  if (answer.status === 409) {
    const dialog = $('conflict');
    dialog.returnValue = '';
    dialog.showModal();
    const choice = await new Promise((resolve) => dialog.addEventListener('close', () => resolve(dialog.returnValue), { once: true }));
    if (choice === 'overwrite') return save(true);
    if (choice === 'reload') return reload(true);
    say('not saved: the file changed on disk', 'error');
    return;
  }
  if (took(answer)) say('saved', 'ok');
}

async function reload(confirmed) {
  if (!confirmed && state && (state.dirty || state.recording) && !window.confirm('Drop the unsaved edits and read the file again?')) return;
  if (!took(await api.reload())) return false;
  say('reloaded from disk', 'ok');
  return true;
}

// Once shown, the problems follow every change to the stored paths.
async function recheck(changed) {
  if (changed && !$('problems-box').hidden) await check();
}

// Top view <-> 3D view.
async function toggleView() {
  const to3d = shown === view;
  $('map').hidden = to3d;
  $('scene').hidden = !to3d;
  if (to3d && !orbit) {
    try {
      const { OrbitView } = await import('./view3d.js');
      orbit = new OrbitView($('scene'));
    } catch (failure) {
      $('map').hidden = false;
      $('scene').hidden = true;
      say(`no 3D view in this browser: ${failure.message}`, 'error');
      return;
    }
    window.zunaiOrbit = orbit;   // for the page's tests
    orbit.setLevel(...picture.level);
    orbit.setBand(...picture.band);
    orbit.setRoute(picture.route, picture.ends);
    orbit.setProblems(picture.problems);
    if (state) orbit.setState(state);
    orbit.fit();
  }
  shown = to3d ? orbit : view;
  document.querySelector('[data-action=view]').classList.toggle('active', to3d);
  $('cursor').textContent = '';
  shown.redraw();
}

const actions = {
  undo: async () => took(await api.undo(), ['mark taken back', 'nothing is being recorded']),
  commit: async () => recheck(took(await api.commit(), ['recording stored as a path', 'nothing is being recorded'])),
  delete: async () => recheck(took(await api.deleteSelected(), ['path deleted', 'no path is selected'])),
  save: () => save(false),
  reload: async () => recheck(await reload(false)),
  fit: async () => shown.fit(),
  check: () => check(),
  view: () => toggleView(),
};

// In the 3D view the camera takes drags (turn, pan) and the wheel (zoom);
// a click without a drag acts on the floor under it, as a click in the top
// view does on the ground.
function wireScene() {
  const canvas = $('scene');
  let down = null, hover = null;
  const at = (e) => {
    const r = canvas.getBoundingClientRect();
    return orbit && orbit.pick(e.clientX - r.left, e.clientY - r.top);
  };
  canvas.addEventListener('pointerdown', (e) => { down = { x: e.clientX, y: e.clientY }; });
  canvas.addEventListener('pointerup', (e) => {
    const click = down && e.button === 0 && Math.hypot(e.clientX - down.x, e.clientY - down.y) < 4;
    down = null;
    const world = click && at(e);
    if (world) queue(() => clickAt(world));
  });
  canvas.addEventListener('pointermove', (e) => {
    if (hover) return;
    hover = requestAnimationFrame(() => {
      hover = null;
      const w = at(e);
      $('cursor').textContent = w ? `x ${w.x.toFixed(1)}  y ${w.y.toFixed(1)}  z ${w.z.toFixed(1)}` : '';
    });
  });
}

function wire() {
  for (const b of document.querySelectorAll('[data-mode]')) b.addEventListener('click', () => setMode(b.dataset.mode));
  for (const b of document.querySelectorAll('[data-action]')) b.addEventListener('click', () => queue(actions[b.dataset.action]));
  for (const id of ['band-low', 'band-high']) {
    $(id).addEventListener('change', () => {
      picture.band = [bandValue('band-low'), bandValue('band-high')];
      for (const v of views()) v.setBand(...picture.band);
    });
  }
  wireScene();

  const canvas = $('map');
  let drag = null;
  canvas.addEventListener('pointerdown', (e) => {
    drag = { x: e.clientX, y: e.clientY, moved: false };
    canvas.setPointerCapture(e.pointerId);
  });
  canvas.addEventListener('pointermove', (e) => {
    const r = canvas.getBoundingClientRect();
    const w = view.toWorld(e.clientX - r.left, e.clientY - r.top);
    $('cursor').textContent = `x ${w.x.toFixed(1)}  y ${w.y.toFixed(1)}`;
    if (!drag) return;
    const dx = e.clientX - drag.x, dy = e.clientY - drag.y;
    if (drag.moved || Math.hypot(dx, dy) > 4) {
      drag.moved = true;
      view.panBy(dx, dy);
      drag.x = e.clientX;
      drag.y = e.clientY;
    }
  });
  canvas.addEventListener('pointerup', (e) => {
    const wasDrag = drag && drag.moved;
    drag = null;
    if (wasDrag || e.button !== 0) return;
    const r = canvas.getBoundingClientRect();
    const world = view.toWorld(e.clientX - r.left, e.clientY - r.top);
    queue(() => clickAt(world));
  });
  canvas.addEventListener('wheel', (e) => {
    e.preventDefault();
    const r = canvas.getBoundingClientRect();
    view.zoomAt(e.clientX - r.left, e.clientY - r.top, Math.exp(-e.deltaY * 0.0015));
  }, { passive: false });

  document.addEventListener('keydown', (e) => {
    if (e.target.closest('input, select') && e.key !== 'Escape') return;
    if ($('conflict').open) return;
    const key = e.key.length === 1 ? e.key.toLowerCase() : e.key;
    const w = $('map').clientWidth, h = $('map').clientHeight;
    const bindings = {
      m: () => setMode('mark'),
      s: () => (e.ctrlKey || e.metaKey ? queue(actions.save) : setMode('select')),
      t: () => setMode('route'),
      u: () => queue(actions.undo),
      Backspace: () => queue(actions.undo),
      z: () => (e.ctrlKey || e.metaKey) && queue(actions.undo),
      Enter: () => queue(actions.commit),
      Delete: () => queue(actions.delete),
      x: () => queue(actions.delete),
      r: () => queue(actions.reload),
      f: () => shown.fit(),
      v: () => queue(actions.view),
      c: () => queue(actions.check),
      k: () => { $('route-kind').value = $('route-kind').value === 'chained' ? 'walked' : 'chained'; },
      '+': () => view.zoomAt(w / 2, h / 2, 1.25),
      '=': () => view.zoomAt(w / 2, h / 2, 1.25),
      '-': () => view.zoomAt(w / 2, h / 2, 0.8),
      ArrowLeft: () => view.panBy(60, 0),
      ArrowRight: () => view.panBy(-60, 0),
      ArrowUp: () => view.panBy(0, 60),
      ArrowDown: () => view.panBy(0, -60),
      Escape: () => { routeStart = null; if (mode === 'route') setMode('route'); e.target.blur && e.target.blur(); },
    };
    const run = bindings[key];
    if (!run || ((e.ctrlKey || e.metaKey || e.altKey) && key !== 's' && key !== 'z')) return;
    e.preventDefault();
    run();
  });

  window.addEventListener('beforeunload', (e) => {
    if (state && (state.dirty || state.recording)) {
      e.preventDefault();
      e.returnValue = '';
    }
  });
}

async function start() {
  wire();
  setMode('mark');
  const [first, level] = await Promise.all([api.state(), api.level()]);
  if (!first.ok || !level.ok) {
    say((first.data && first.data.error) || (level.data && level.data.error) || 'the editor did not answer', 'error');
    return;
  }
  picture.level = [new Float32Array(level.data.triangles), first.data.level.min, first.data.level.max];
  view.setLevel(...picture.level);
  showState(first.data);
  view.fit();
  say('ready');
}

start();

// The top view: the level shaded by height under a coordinate grid, and on
// it what the editor answered: the lines the module draws for the paths,
// the recording and the selection, a route, and problems. x runs right, y up.

const GRID_PIXELS = 90;          // about this far apart on screen
const LEVEL_PIXELS = 2048;       // largest side of the level's picture

function niceStep(units) {
  const power = Math.pow(10, Math.floor(Math.log10(units)));
  for (const m of [1, 2, 5, 10]) if (m * power >= units) return m * power;
  return 10 * power;
}

// Height (0 lowest, 1 highest) to grey-green [r, g, b]: low ground dark,
// high ground light. The 3D view shades with it too.
export function heightColour(t) {
  const c = (a, b) => Math.round(a + (b - a) * t);
  return [c(46, 170), c(58, 182), c(52, 150)];
}

function shade(t) {
  return `rgb(${heightColour(t).join(',')})`;
}

export class TopView {
  constructor(canvas) {
    this.canvas = canvas;
    this.context = canvas.getContext('2d');
    this.scale = 1;
    this.centre = { x: 0, y: 0 };
    this.levelBox = null;
    this.triangles = new Float32Array(0);
    this.band = { low: null, high: null };
    this.levelImage = null;
    this.state = null;
    this.route = null;
    this.ends = [];
    this.problems = [];
    this.pending = false;
    this.firstDraw = null;
    new ResizeObserver(() => this.resize()).observe(canvas);
  }

  resize() {
    const ratio = window.devicePixelRatio || 1;
    const w = Math.max(1, Math.round(this.canvas.clientWidth * ratio));
    const h = Math.max(1, Math.round(this.canvas.clientHeight * ratio));
    if (this.canvas.width !== w || this.canvas.height !== h) {
      this.canvas.width = w;
      this.canvas.height = h;
      this.redraw();
    }
  }

  // Screen pixels (CSS) <-> world units.
  toScreen(x, y) {
    const w = this.canvas.clientWidth, h = this.canvas.clientHeight;
    return { x: (x - this.centre.x) * this.scale + w / 2, y: h / 2 - (y - this.centre.y) * this.scale };
  }
  toWorld(px, py) {
    const w = this.canvas.clientWidth, h = this.canvas.clientHeight;
    return { x: (px - w / 2) / this.scale + this.centre.x, y: (h / 2 - py) / this.scale + this.centre.y };
  }

  setLevel(triangles, min, max) {
    this.triangles = triangles;
    this.levelBox = { min, max };
    this.levelImage = null;
    this.redraw();
  }
  setBand(low, high) {
    this.band = { low, high };
    this.levelImage = null;
    this.redraw();
  }
  setState(state) { this.state = state; this.redraw(); }
  setRoute(route, ends) { this.route = route; this.ends = ends; this.redraw(); }
  setProblems(problems) { this.problems = problems; this.redraw(); }
  focus(at) { this.centre = { x: at[0], y: at[1] }; this.redraw(); }

  fit() {
    if (!this.levelBox) return;
    const { min, max } = this.levelBox;
    const w = this.canvas.clientWidth || 1, h = this.canvas.clientHeight || 1;
    const spanX = Math.max(1, max[0] - min[0]), spanY = Math.max(1, max[1] - min[1]);
    this.scale = 0.92 * Math.min(w / spanX, h / spanY);
    this.centre = { x: (min[0] + max[0]) / 2, y: (min[1] + max[1]) / 2 };
    this.redraw();
  }
  zoomAt(px, py, factor) {
    const before = this.toWorld(px, py);
    this.scale = Math.min(1e4, Math.max(1e-4, this.scale * factor));
    const after = this.toWorld(px, py);
    this.centre.x += before.x - after.x;
    this.centre.y += before.y - after.y;
    this.redraw();
  }
  panBy(dx, dy) {
    this.centre.x -= dx / this.scale;
    this.centre.y += dy / this.scale;
    this.redraw();
  }

  redraw() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.draw();
    });
  }

  // The level drawn once into a picture of its own (higher triangles over
  // lower ones), then placed with the view's transform at every redraw.
  levelPicture() {
    if (this.levelImage || !this.levelBox) return this.levelImage;
    const { min, max } = this.levelBox;
    const spanX = Math.max(1e-3, max[0] - min[0]), spanY = Math.max(1e-3, max[1] - min[1]);
    const unit = LEVEL_PIXELS / Math.max(spanX, spanY);
    const image = document.createElement('canvas');
    image.width = Math.max(1, Math.ceil(spanX * unit));
    image.height = Math.max(1, Math.ceil(spanY * unit));
    const g = image.getContext('2d');
    const t = this.triangles, count = t.length / 9;
    const low = this.band.low, high = this.band.high;
    const order = [];
    for (let i = 0; i < count; i++) {
      const z = Math.max(t[9 * i + 2], t[9 * i + 5], t[9 * i + 8]);
      const zMin = Math.min(t[9 * i + 2], t[9 * i + 5], t[9 * i + 8]);
      if (low !== null && z < low) continue;
      if (high !== null && zMin > high) continue;
      // Walls seen from above are lines; only ground with some extent is drawn.
      const ax = t[9 * i + 3] - t[9 * i], ay = t[9 * i + 4] - t[9 * i + 1];
      const bx = t[9 * i + 6] - t[9 * i], by = t[9 * i + 7] - t[9 * i + 1];
      if (Math.abs(ax * by - ay * bx) * unit * unit < 0.05) continue;
      order.push(i);
    }
    // One path per height band, lowest band first: few, large fills.
    const zSpan = Math.max(1e-3, max[2] - min[2]);
    const buckets = 48;
    const bands = Array.from({ length: buckets }, () => []);
    for (const i of order) {
      const z = (t[9 * i + 2] + t[9 * i + 5] + t[9 * i + 8]) / 3;
      bands[Math.min(buckets - 1, Math.max(0, Math.floor(((z - min[2]) / zSpan) * buckets)))].push(i);
    }
    g.lineWidth = 0.6;
    g.lineJoin = 'round';
    bands.forEach((band, b) => {
      if (!band.length) return;
      g.fillStyle = g.strokeStyle = shade(b / (buckets - 1));
      g.beginPath();
      for (const i of band) {
        g.moveTo((t[9 * i] - min[0]) * unit, (max[1] - t[9 * i + 1]) * unit);
        g.lineTo((t[9 * i + 3] - min[0]) * unit, (max[1] - t[9 * i + 4]) * unit);
        g.lineTo((t[9 * i + 6] - min[0]) * unit, (max[1] - t[9 * i + 7]) * unit);
        g.closePath();
      }
      g.fill();
      g.stroke();
    });
    this.levelImage = { image, unit };
    return this.levelImage;
  }

  draw() {
    const g = this.context, ratio = window.devicePixelRatio || 1;
    const w = this.canvas.clientWidth, h = this.canvas.clientHeight;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.fillStyle = '#15181c';
    g.fillRect(0, 0, w, h);
    const picture = this.levelPicture();
    if (picture) {
      const corner = this.toScreen(this.levelBox.min[0], this.levelBox.max[1]);
      const s = this.scale / picture.unit;
      g.imageSmoothingEnabled = true;
      g.drawImage(picture.image, corner.x, corner.y, picture.image.width * s, picture.image.height * s);
    }
    this.drawGrid(g, w, h);
    if (this.state) this.drawState(g);
    this.drawProblems(g);
    this.drawRoute(g);
    if (this.firstDraw === null && picture && this.state) {
      this.firstDraw = performance.now();
      window.dispatchEvent(new CustomEvent('zunai-first-draw', { detail: this.firstDraw }));
    }
  }

  drawGrid(g, w, h) {
    const step = niceStep(GRID_PIXELS / this.scale);
    const topLeft = this.toWorld(0, 0), bottomRight = this.toWorld(w, h);
    g.lineWidth = 1;
    g.strokeStyle = 'rgba(255,255,255,0.12)';
    g.fillStyle = 'rgba(230,232,234,0.75)';
    g.font = '11px monospace';
    g.beginPath();
    for (let x = Math.ceil(topLeft.x / step) * step; x <= bottomRight.x; x += step) {
      const p = this.toScreen(x, 0);
      g.moveTo(Math.round(p.x) + 0.5, 0);
      g.lineTo(Math.round(p.x) + 0.5, h);
      g.fillText(String(+x.toFixed(6)), p.x + 3, 12);
    }
    for (let y = Math.ceil(bottomRight.y / step) * step; y <= topLeft.y; y += step) {
      const p = this.toScreen(0, y);
      g.moveTo(0, Math.round(p.y) + 0.5);
      g.lineTo(w, Math.round(p.y) + 0.5);
      g.fillText(String(+y.toFixed(6)), 3, p.y - 3);
    }
    g.stroke();
  }

  // The module's own lines, in its colours and with its offsets.
  drawState(g) {
    g.lineCap = 'round';
    // A pale halo first, so that dark path colours stand out on dark ground.
    g.strokeStyle = 'rgba(255,255,255,0.28)';
    g.lineWidth = 4;
    g.beginPath();
    for (const run of this.state.lines) {
      for (const l of run.lines) {
        const a = this.toScreen(l[0], l[1]), b = this.toScreen(l[3], l[4]);
        g.moveTo(a.x, a.y);
        g.lineTo(b.x, b.y);
      }
    }
    g.stroke();
    for (const run of this.state.lines) {
      g.strokeStyle = run.colour;
      g.lineWidth = run.role === 'stored' ? 1.6 : 2.4;
      g.beginPath();
      for (const l of run.lines) {
        const a = this.toScreen(l[0], l[1]), b = this.toScreen(l[3], l[4]);
        g.moveTo(a.x, a.y);
        g.lineTo(b.x, b.y);
      }
      g.stroke();
    }
    // The marks themselves, small; the recording's numbered.
    g.fillStyle = 'rgba(255,255,255,0.55)';
    if (this.scale > 0.8) {
      for (const path of this.state.paths) {
        for (const m of path.marks) {
          const p = this.toScreen(m[0], m[1]);
          g.fillRect(p.x - 1.5, p.y - 1.5, 3, 3);
        }
      }
    }
    if (this.state.recording) {
      g.font = 'bold 11px sans-serif';
      this.state.recording.forEach((m, i) => {
        const p = this.toScreen(m[0], m[1]);
        g.fillStyle = '#ffffff';
        g.beginPath();
        g.arc(p.x, p.y, 4, 0, 2 * Math.PI);
        g.fill();
        g.fillText(String(i), p.x + 6, p.y - 6);
      });
    }
  }

  drawRoute(g) {
    if (this.route && this.route.marks && this.route.marks.length) {
      g.strokeStyle = this.route.kind === 'walked' ? '#ff9f40' : '#40d0ff';
      g.lineWidth = 4;
      g.globalAlpha = 0.85;
      g.setLineDash([10, 6]);
      g.beginPath();
      this.route.marks.forEach((m, i) => {
        const p = this.toScreen(m[0], m[1]);
        if (i === 0) g.moveTo(p.x, p.y); else g.lineTo(p.x, p.y);
      });
      g.stroke();
      g.setLineDash([]);
      g.globalAlpha = 1;
    }
    for (const end of this.ends) {
      const p = this.toScreen(end.at[0], end.at[1]);
      g.fillStyle = end.goal ? '#ff5f7f' : '#5fff9f';
      g.beginPath();
      g.arc(p.x, p.y, 7, 0, 2 * Math.PI);
      g.fill();
      g.fillStyle = '#000';
      g.font = 'bold 10px sans-serif';
      g.fillText(end.goal ? 'G' : 'S', p.x - 3.5, p.y + 3.5);
    }
  }

  drawProblems(g) {
    g.strokeStyle = '#f06f5f';
    g.lineWidth = 2;
    for (const problem of this.problems) {
      if (!problem.at) continue;
      const p = this.toScreen(problem.at[0], problem.at[1]);
      g.beginPath();
      g.arc(p.x, p.y, 9, 0, 2 * Math.PI);
      g.moveTo(p.x - 5, p.y - 5);
      g.lineTo(p.x + 5, p.y + 5);
      g.moveTo(p.x + 5, p.y - 5);
      g.lineTo(p.x - 5, p.y + 5);
      g.stroke();
    }
  }
}

// The 3D view, for levels with floors above each other: the level shaded by
// height and lit from above, under an orbit camera (drag to turn, right-drag
// to pan, wheel to zoom), with what the editor answered drawn in place: the
// lines the module draws for the paths, the recording and the selection, a
// route, and problems. z is up, as in the module.

import * as THREE from 'three';
import { OrbitControls } from './vendor/OrbitControls.js';
import { heightColour } from './map.js';

const ROUTE_COLOURS = { chained: '#40d0ff', walked: '#ff9f40' };

// Colours are given as the top view shows them: no conversion on the way.
THREE.ColorManagement.enabled = false;

// A round dot for the point markers, drawn once.
function dotTexture() {
  const c = document.createElement('canvas');
  c.width = c.height = 64;
  const g = c.getContext('2d');
  g.fillStyle = '#fff';
  g.beginPath();
  g.arc(32, 32, 28, 0, 2 * Math.PI);
  g.fill();
  return new THREE.CanvasTexture(c);
}

export class OrbitView {
  constructor(canvas) {
    this.canvas = canvas;
    // The drawing buffer kept, so that the page's tests can read the picture.
    this.renderer = new THREE.WebGLRenderer({ canvas, antialias: true, preserveDrawingBuffer: true });
    this.renderer.setPixelRatio(window.devicePixelRatio || 1);
    this.renderer.outputColorSpace = THREE.LinearSRGBColorSpace;
    this.renderer.localClippingEnabled = true;
    this.renderer.setClearColor('#15181c');
    this.scene = new THREE.Scene();
    this.camera = new THREE.PerspectiveCamera(45, 1, 1, 1e5);
    this.camera.up.set(0, 0, 1);
    this.controls = new OrbitControls(this.camera, canvas);
    this.controls.addEventListener('change', () => this.redraw());
    this.scene.add(new THREE.AmbientLight(0xffffff, 0.5 * Math.PI));
    const sun = new THREE.DirectionalLight(0xffffff, 0.55 * Math.PI);
    sun.position.set(0.3, 0.5, 1);
    this.scene.add(sun);
    this.dot = dotTexture();
    this.groups = {};           // what is drawn, by what it shows
    this.level = null;
    this.levelBox = null;
    this.clipping = [];
    this.pending = false;
    this.firstDraw = null;
    new ResizeObserver(() => this.resize()).observe(canvas);
  }

  resize() {
    const w = Math.max(1, this.canvas.clientWidth), h = Math.max(1, this.canvas.clientHeight);
    this.renderer.setSize(w, h, false);
    this.camera.aspect = w / h;
    this.camera.updateProjectionMatrix();
    this.redraw();
  }

  // One named part of the picture replaced by another (or by nothing).
  replace(name, object) {
    const old = this.groups[name];
    if (old) {
      this.scene.remove(old);
      old.traverse((o) => { if (o.geometry) o.geometry.dispose(); if (o.material) o.material.dispose(); });
    }
    this.groups[name] = object;
    if (object) this.scene.add(object);
    this.redraw();
  }

  setLevel(triangles, min, max) {
    this.levelBox = { min, max };
    const geometry = new THREE.BufferGeometry();
    geometry.setAttribute('position', new THREE.BufferAttribute(triangles, 3));
    const colours = new Float32Array(triangles.length);
    const span = Math.max(1e-3, max[2] - min[2]);
    for (let i = 0; i < triangles.length; i += 3) {
      const c = heightColour((triangles[i + 2] - min[2]) / span);
      colours[i] = c[0] / 255;
      colours[i + 1] = c[1] / 255;
      colours[i + 2] = c[2] / 255;
    }
    geometry.setAttribute('color', new THREE.BufferAttribute(colours, 3));
    geometry.computeVertexNormals();
    const material = new THREE.MeshLambertMaterial({ vertexColors: true, side: THREE.DoubleSide, clippingPlanes: this.clipping });
    this.level = new THREE.Mesh(geometry, material);
    const span3 = Math.hypot(max[0] - min[0], max[1] - min[1], max[2] - min[2]) || 1;
    this.camera.near = span3 / 2000;
    this.camera.far = span3 * 20;
    this.camera.updateProjectionMatrix();
    this.replace('level', this.level);
  }

  // Only the level between the band's heights is drawn: the floors above
  // the band are cut away to see into the floors below.
  setBand(low, high) {
    this.clipping.length = 0;
    if (high !== null) this.clipping.push(new THREE.Plane(new THREE.Vector3(0, 0, -1), high + 1));
    if (low !== null) this.clipping.push(new THREE.Plane(new THREE.Vector3(0, 0, 1), -(low - 1)));
    this.redraw();
  }

  // The module's own lines, in its colours and with its offsets, and the
  // recording's marks.
  setState(state) {
    const group = new THREE.Group();
    const positions = [], colours = [];
    for (const run of state.lines) {
      const c = new THREE.Color(run.colour);
      for (const l of run.lines) {
        positions.push(...l);
        colours.push(c.r, c.g, c.b, c.r, c.g, c.b);
      }
    }
    if (positions.length) {
      const geometry = new THREE.BufferGeometry();
      geometry.setAttribute('position', new THREE.Float32BufferAttribute(positions, 3));
      geometry.setAttribute('color', new THREE.Float32BufferAttribute(colours, 3));
      group.add(new THREE.LineSegments(geometry, new THREE.LineBasicMaterial({ vertexColors: true })));
    }
    if (state.recording) group.add(this.dots(state.recording, '#ffffff', 8));
    this.replace('state', group);
  }

  setRoute(route, ends) {
    const group = new THREE.Group();
    if (route && route.marks && route.marks.length) {
      const geometry = new THREE.BufferGeometry().setFromPoints(route.marks.map((m) => new THREE.Vector3(...m)));
      const line = new THREE.Line(geometry, new THREE.LineDashedMaterial({ color: ROUTE_COLOURS[route.kind] || ROUTE_COLOURS.chained, dashSize: 10, gapSize: 6 }));
      line.computeLineDistances();
      group.add(line);
    }
    for (const end of ends) group.add(this.dots([end.at], end.goal ? '#ff5f7f' : '#5fff9f', 14));
    this.replace('route', group);
  }

  setProblems(problems) {
    const at = problems.filter((p) => p.at).map((p) => p.at);
    this.replace('problems', at.length ? this.dots(at, '#f06f5f', 14) : null);
  }

  dots(points, colour, size) {
    const geometry = new THREE.BufferGeometry().setFromPoints(points.map((p) => new THREE.Vector3(...p)));
    return new THREE.Points(geometry, new THREE.PointsMaterial({
      color: colour, size, sizeAttenuation: false, map: this.dot, alphaTest: 0.5, depthTest: false,
    }));
  }

  // The whole level in view, seen from the south-east and above.
  fit() {
    if (!this.levelBox) return;
    const { min, max } = this.levelBox;
    const centre = new THREE.Vector3((min[0] + max[0]) / 2, (min[1] + max[1]) / 2, (min[2] + max[2]) / 2);
    const radius = 0.5 * Math.hypot(max[0] - min[0], max[1] - min[1], max[2] - min[2]) || 1;
    const distance = radius / Math.sin(THREE.MathUtils.degToRad(this.camera.fov / 2));
    this.controls.target.copy(centre);
    this.camera.position.copy(centre).add(new THREE.Vector3(0.45, -0.7, 0.55).normalize().multiplyScalar(0.9 * distance));
    this.controls.update();
    this.redraw();
  }

  // Turns the camera to look at a point.
  focus(at) {
    const shift = new THREE.Vector3(...at).sub(this.controls.target);
    this.controls.target.add(shift);
    this.camera.position.add(shift);
    this.controls.update();
  }

  // The level's point under the screen point (CSS pixels), within the
  // band, or null.
  pick(px, py) {
    if (!this.level) return null;
    const ray = new THREE.Raycaster();
    ray.setFromCamera(new THREE.Vector2((px / this.canvas.clientWidth) * 2 - 1, 1 - (py / this.canvas.clientHeight) * 2), this.camera);
    const inBand = (z) => this.clipping.every((plane) => plane.distanceToPoint(new THREE.Vector3(0, 0, z)) >= 0);
    const hit = ray.intersectObject(this.level).find((h) => inBand(h.point.z));
    return hit ? { x: hit.point.x, y: hit.point.y, z: hit.point.z } : null;
  }

  // A world point on screen (CSS pixels), for the page's tests.
  toScreen(x, y, z) {
    const p = new THREE.Vector3(x, y, z).project(this.camera);
    return { x: (p.x + 1) / 2 * this.canvas.clientWidth, y: (1 - p.y) / 2 * this.canvas.clientHeight };
  }

  redraw() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.renderer.render(this.scene, this.camera);
      if (this.firstDraw === null && this.level && this.groups.state) this.firstDraw = performance.now();
    });
  }
}

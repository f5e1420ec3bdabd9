// Fitted pages, as every project makes them unless the teacher unticks "Adapter la page à
// l'écran", at the sizes pupils meet them: the class's whiteboard, a projector, a PC, a
// tablet, a phone (Chromium as a phone's browser), a platform's frame. At each: the share of
// the screen the exercise takes and its text's size (reported), nothing sideways, targets a
// finger can hit, both exercises completed by pointer, finger and keys and scored the same,
// and the objects or the balloon in place after the window turns.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, join, resolve } from 'node:path';
import { ENGINE, TOUCH, TORAVI_BIN, COLLECTOR, visit, scratchFolder, dragDropExercise, tooltipExercise, inWindow, axe } from './helpers.mjs';

// Name, window width and height, and how: a touch screen, a phone's browser, a frame (its size) in the window.
const SIZES = [
  ['tableau', 1920, 1080, {}], ['projecteur', 1280, 720, {}], ['PC', 1366, 650, {}],
  ['tablette', 768, 1024, { touch: true }], ['téléphone', 360, 640, { touch: true, mobile: true }],
  ['cadre', 1100, 800, { frame: [800, 600] }],
];
// The cat, the moon and a 16 x 16 dot: each one's place on the scene (its top left corner).
const PLACES = [[200, 150], [400, 250], [20, 300]];
const POINTS = [[100, 100, 'Alpha'], [200, 200, 'Charlie'], [370, 120, 'abcdefghij'], [150, 270, 'Bas']];

let folder, base;
const pages = {};
const report = [];

before(async () => {
  folder = scratchFolder('toravi-fit-', ['scene.png', 'chat.png', 'lune.png', 'photo.png']);
  copyFileSync(join(dirname(TORAVI_BIN), 'ptrouge.gif'), join(folder, 'point.gif'));
  pages.dragdrop = dragDropExercise(folder, 'glisser', { objects: ['chat.png', 'lune.png', 'point.gif'],
    check: [PLACES.map((p) => p[0] + ',').join(''), PLACES.map((p) => p[1] + ',').join(''), 'vrai', '20'] });
  pages.tooltip = tooltipExercise(folder, 'bulles', 'photo.png', [400, 300], POINTS);
  // The platform's frame: its page and the exercise from the same server.
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    let body = null;
    try { body = path === '/' ? HOST(new URL(req.url, 'http://x').searchParams) : readFileSync(resolve(folder, path.slice(1))); } catch { /* refused */ }
    // WebKit reports no page errors: each page gathers its own.
    if (body && /(^\/|\.htm)$/.test(path)) body = Buffer.from(String(body.toString('latin1')).replace(/<head>/i, `<head>${COLLECTOR}`), 'latin1');
    const type = { '': 'text/html', htm: 'text/html', js: 'text/javascript', png: 'image/png', gif: 'image/gif' }[path.split('.')[1] ?? ''];
    res.writeHead(body ? 200 : 404, { 'Content-Type': type ?? 'application/octet-stream' }).end(body);
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  base = `http://127.0.0.1:${server.address().port}`;
  server.unref();
});
after(() => report.length && console.log(['Moteur | Taille | Page | Échelle | Part de l\'écran | Textes (px)', ...report].join('\n')));

const HOST = (q) => `<!DOCTYPE html><html lang="fr"><head><title>Plateforme</title></head><body style="margin:0">` +
  `<iframe title="Exercice" style="border:0;display:block" width="${q.get('w')}" height="${q.get('h')}" src="${q.get('page')}"></iframe></body></html>`;

// Opens `which` page at `size` and runs body(page, framed), page.in running in the exercise's window.
async function open(which, [, width, height, how], body) {
  const url = how.frame ? `${base}/?w=${how.frame[0]}&h=${how.frame[1]}&page=${encodeURIComponent(pages[which].replace(/^file:\/\/.*?toravi-fit-[^/]+/, ''))}` : pages[which];
  await visit(url, { width, height, touch: TOUCH, mobile: ENGINE === 'chromium' && !!how.mobile }, async (page) => {
    inWindow(page, !!how.frame);
    page.framed = !!how.frame;
    // Fitted, with every picture there and the text laid out in its fonts.
    await page.until((f) => ((w) => w?.document.readyState === 'complete' && w.document.querySelector('main')?.style.transform &&
      (typeof w.ordre !== 'object' || w.ordre.fittedHeight === w.document.querySelector('main').offsetHeight))(
      f ? document.querySelector('iframe').contentWindow : window), !!how.frame);
    await body(page);
    // WebKit's errors in the frame's page, gathered there (Chromium and Firefox report them with the page's).
    if (how.frame && ENGINE === 'webkit') assert.deepEqual(await page.in((w) => w.pageErrors), [], 'errors in the frame');
  });
}

// The exercise's scale and box, the window, and whether anything needs sideways scrolling.
const frame = (page) => page.in((w) => {
  const d = w.document, main = d.querySelector('main'), r = main.getBoundingClientRect();
  return { k: r.width / main.offsetWidth, box: r.toJSON(), view: [w.innerWidth, w.innerHeight],
    layout: d.documentElement.clientWidth, sideways: d.documentElement.scrollWidth > d.documentElement.clientWidth };
});
// Rendered text size in CSS pixels: its own size times the exercise's scale.
const textSize = (page, selector) => page.in((w, s) => {
  const main = w.document.querySelector('main');
  return Math.round(parseFloat(w.getComputedStyle(w.document.querySelector(s)).fontSize) * main.getBoundingClientRect().width / main.offsetWidth * 10) / 10;
}, selector);

// The exercise fitted again in a window `width` wide: centred in it.
const refitted = ([framed, width]) => ((w) => w.innerWidth === width && ((r, v) => Math.abs(r.left + w.scrollX - Math.max(0, (v - r.width) / 2)) < 1.5)(
  w.document.querySelector('main').getBoundingClientRect(), w.document.documentElement.clientWidth))(
  framed ? document.querySelector('iframe').contentWindow : window);

function measure(name, which, f, texts) {
  const share = Math.round(100 * Math.max(0, Math.min(f.box.right, f.view[0]) - Math.max(f.box.left, 0)) *
    Math.max(0, Math.min(f.box.bottom, f.view[1]) - Math.max(f.box.top, 0)) / (f.view[0] * f.view[1]));
  report.push([ENGINE, `${name} ${f.view.join('x')}`, which, f.k.toFixed(2), `${share} %`, texts.join(' / ')].join(' | '));
}

// ---- Drag and drop.

// The scene, and each object: its middle on the screen, its size there, its picture's corner on the scene.
const objects = (page) => page.in((w) => {
  const d = w.document, main = d.querySelector('main'), k = main.getBoundingClientRect().width / main.offsetWidth;
  const scene = d.querySelector('img[width="700"]:not([name])').getBoundingClientRect();
  return { k, scene: scene.toJSON(), list: [...d.querySelectorAll('img[name^="objet"]')].map((img) => {
    const r = img.getBoundingClientRect(), cs = w.getComputedStyle(img);
    return { name: img.name, x: r.left + r.width / 2, y: r.top + r.height / 2, w: r.width, h: r.height, pw: img.width, ph: img.height,
      at: [(r.left - scene.left) / k + parseFloat(cs.paddingLeft), (r.top - scene.top) / k + parseFloat(cs.paddingTop)] };
  }) };
});
// Where object `o`'s middle goes on the screen for its place `p`.
const target = (g, o, [px, py]) => [g.scene.left + (px + o.pw / 2) * g.k, g.scene.top + (py + o.ph / 2) * g.k];
const said = (page) => page.in((w) => w.document.getElementById('resultat').textContent);
// "Vérifier", and what it says (said again after a pause when it is the same).
async function check(page) {
  await page.in((w) => ((line) => (line.textContent = '', w.document.getElementById('boutonVerifier').click()))(w.document.getElementById('resultat')));
  await page.until((f) => (f ? document.querySelector('iframe').contentDocument : document).getElementById('resultat').textContent, page.framed);
  return said(page);
}

// Each way a pupil places the three objects.
const PLAYS = {
  async souris(page, g) {
    for (const [i, o] of g.list.entries()) {
      const [x, y] = target(g, o, PLACES[i]);
      if (i < 2) { // drags; the dot, smaller than the mouse's reach, by two clicks
        await page.move(o.x, o.y);
        await page.down();
        await page.move(x, y, 8);
        await page.up();
      } else for (const [cx, cy] of [[o.x, o.y], [x, y]]) await page.move(cx, cy), await page.down(), await page.up();
    }
  },
  async doigt(page, g) {
    for (const [i, o] of g.list.entries()) {
      const [x, y] = target(g, o, PLACES[i]);
      if (i < 2) await page.slide(Array.from({ length: 11 }, (_, n) => [o.x + ((x - o.x) * n) / 10, o.y + ((y - o.y) * n) / 10]));
      else await page.tap(o.x, o.y), await page.tap(x, y);
    }
  },
  async clavier(page, g) {
    for (const [i, o] of g.list.entries()) {
      await page.in((w, n) => w.document.getElementsByName(n)[0].focus(), o.name);
      await page.key('Enter');
      for (const [axis, more, less] of [[0, 'ArrowRight', 'ArrowLeft'], [1, 'ArrowDown', 'ArrowUp']]) {
        const d = Math.round(PLACES[i][axis] - o.at[axis]);
        for (let n = 0; n < Math.trunc(Math.abs(d) / 10); n++) await page.key(d < 0 ? less : more);
        for (let n = 0; n < Math.abs(d) % 10; n++) await page.key(d < 0 ? less : more, ['Shift']);
      }
      await page.key('Enter');
    }
  },
};

// MiniBrowser's window is never narrower than 447 pixels: phones in Chromium (as a phone's browser) and Firefox.
const skip = (how) => ENGINE === 'webkit' && !!how.mobile;

for (const size of SIZES) {
  const [name, , , how] = size;
  test(`drag and drop, ${name}: the exercise fills the screen, text at its size or more, 3 sur 3 by each hand`, { skip: skip(how) }, async () => {
    await open('dragdrop', size, async (page) => {
      const f = await frame(page);
      const texts = [await textSize(page, 'h2'), await textSize(page, '#consigne font'), await textSize(page, '#boutonVerifier')];
      measure(name, 'glisser-déplacer', f, texts);
      assert.equal(f.sideways, false, 'sideways');
      assert.ok(texts[0] >= 22 && texts[1] >= 14 && texts[2] >= 15, `text ${texts}`);
      if (how.mobile) assert.equal(f.layout, size[1], 'laid out at the phone\'s width');
      if (!how.touch) {
        // Whole in view, and as large as the window allows: one side touches its edges.
        assert.ok(f.box.top >= 0 && f.box.bottom <= f.view[1] + 1 && f.box.left >= 0 && f.box.right <= f.view[0] + 1, 'in view');
        assert.ok(f.box.bottom >= f.view[1] - 3 || f.box.right - f.box.left >= f.view[0] - 3, 'as large as it can');
      } else assert.ok(f.box.right - f.box.left >= f.layout - 3, 'the width filled');
      const g = await objects(page);
      for (const o of g.list) assert.ok(o.w >= 24 && o.h >= 24, `${o.name} ${o.w}x${o.h}`);
      for (const [hand, play] of Object.entries(PLAYS)) {
        if (hand === 'doigt' && !TOUCH) continue;
        await play(page, await objects(page));
        assert.equal(await check(page), 'Bien placés : 3 sur 3', hand);
        if (hand !== 'clavier') await page.in((w) => w.document.getElementById('boutonRecommencer').click());
      }
      // Turned, or made smaller: every object stays where it is on the scene.
      const before = (await objects(page)).list.map((o) => o.at);
      const [w2, h2] = how.touch ? [size[2], size[1]] : how.frame ? [600, 800] : [1024, 700];
      if (how.frame) await page.eval(([w, h]) => Object.assign(document.querySelector('iframe'), { width: w, height: h }), [w2, h2]);
      else await page.resize(w2, h2);
      await page.until(refitted, [page.framed, w2]);
      const after = (await objects(page)).list.map((o) => o.at);
      for (const [i, a] of after.entries()) assert.ok(Math.hypot(a[0] - before[i][0], a[1] - before[i][1]) < 1, `${i}: ${before[i]} -> ${a}`);
      assert.equal(await check(page), 'Bien placés : 3 sur 3', 'after the turn');
      if (!how.frame) assert.deepEqual(await axe(page), [], 'axe');
    });
  });
}

// ---- Tooltips.

// Point i on the screen; the balloon and the dot, when shown.
const point = (page, i) => page.in((w, i) => {
  const main = w.document.querySelector('main'), r = main.getBoundingClientRect(), k = r.width / main.offsetWidth;
  return [r.left + w.coordx[i] * k, r.top + w.coordy[i] * k, k];
}, i);
const shown = (page) => page.in((w) => ({ on: w.objet_on, box: w.document.getElementById('nomobjet').getBoundingClientRect().toJSON(),
  dot: w.document.querySelector('#pointrouge img').getBoundingClientRect().toJSON(), view: [w.innerWidth, w.innerHeight] }));
async function sees(page, i, what) {
  await page.until(([f, i]) => (f ? document.querySelector('iframe').contentWindow : window).objet_on === i, [page.framed, i]);
  const s = await shown(page);
  const [x, y, k] = await point(page, i);
  assert.ok(s.box.left >= -0.5 && s.box.top >= -0.5 && s.box.right <= s.view[0] + 0.5 && s.box.bottom <= s.view[1] + 0.5, `${what} ${i}: balloon in the window`);
  assert.ok(Math.abs(s.dot.left - (x - 3 * k)) < 1 && Math.abs(s.dot.top - (y - 7 * k)) < 1, `${what} ${i}: dot on its point`);
}

for (const size of SIZES) {
  const [name, , , how] = size;
  test(`tooltips, ${name}: the picture fills the screen, every point answers pointer, finger and keys at the same distance`, { skip: skip(how) }, async () => {
    await open('tooltip', size, async (page) => {
      const f = await frame(page);
      await page.in((w) => w.showobjet(0));
      const texts = [await textSize(page, '#Titel font'), await textSize(page, '#nomobjet')];
      await page.in((w) => w.hideobjet());
      measure(name, 'info-bulles', f, texts);
      assert.equal(f.sideways, false, 'sideways');
      assert.ok(texts[0] >= 18 && texts[1] >= 14, `text ${texts}`);
      if (!how.touch) assert.ok(f.box.top >= 0 && f.box.bottom <= f.view[1] + 1 && (f.box.bottom >= f.view[1] - 3 || f.box.width >= f.view[0] - 3), 'in view and as large as it can');
      // The pointer: each point, then 14 picture pixels off Charlie (shown) and 18 (hidden).
      for (const i of POINTS.keys()) {
        const [x, y] = await point(page, i);
        await page.move(x, y);
        await sees(page, i, 'pointer');
      }
      const [cx, cy, k] = await point(page, 1);
      await page.move(cx + 14 * k, cy);
      await sees(page, 1, 'pointer at 14');
      await page.move(cx + 18 * k, cy);
      await page.until((f) => (f ? document.querySelector('iframe').contentWindow : window).objet_on === -1, page.framed);
      // A finger 8 CSS pixels off each way, within a finger's target at any scale.
      if (TOUCH) {
        for (const i of POINTS.keys()) {
          const [x, y] = await point(page, i);
          await page.tap(x + 8, y + 8);
          await sees(page, i, 'finger');
        }
      }
      // The keys: each point in turn.
      await page.in((w) => (w.focus(), w.document.activeElement?.blur()));
      for (const i of POINTS.keys()) {
        await page.key('Tab');
        await sees(page, i, 'keys');
      }
      // Turned, or made smaller: the balloon stays on its point, inside the window.
      const [w2, h2] = how.touch ? [size[2], size[1]] : how.frame ? [600, 800] : [1024, 700];
      if (how.frame) await page.eval(([w, h]) => Object.assign(document.querySelector('iframe'), { width: w, height: h }), [w2, h2]);
      else await page.resize(w2, h2);
      await page.until(refitted, [page.framed, w2]);
      await sees(page, POINTS.length - 1, 'turned');
      if (!how.frame) assert.deepEqual(await axe(page), [], 'axe');
    });
  });
}

// Fitted pages (unless "Adapter la page à l'écran" is unticked) at the sizes pupils meet them: whiteboard, projector, PC, tablet,
// phone (Chromium as a phone's browser), a platform's frame. At each: the share of the screen and the text's size (reported),
// nothing sideways, finger-sized targets, both exercises by pointer, finger and keys, the same score, all in place once turned.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { dirname, join, resolve } from 'node:path';
import { ENGINE, TOUCH, TORAVI_BIN, COLLECTOR, visit, scratchFolder, dragDropExercise, tooltipExercise, inWindow, axe } from './helpers.mjs';

// Name, window width and height, and how: a touch screen, a phone's browser, a frame (its size) in the window.
const SIZES = [['tableau', 1920, 1080, {}], ['projecteur', 1280, 720, {}], ['PC', 1366, 650, {}], ['tablette', 768, 1024, { touch: true }],
  ['téléphone', 360, 640, { touch: true, mobile: true }], ['cadre', 1100, 800, { frame: [800, 600] }]];
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
    const url = new URL(req.url, 'http://x'), path = decodeURIComponent(url.pathname), type = path.split('.')[1] ?? '';
    let body = null;
    try { body = path === '/' ? HOST(url.searchParams) : readFileSync(resolve(folder, path.slice(1))); } catch { /* refused */ }
    // WebKit reports no page errors: each page gathers its own.
    if (body && /^(htm)?$/.test(type)) body = Buffer.from(String(body.toString('latin1')).replace(/<head>/i, `<head>${COLLECTOR}`), 'latin1');
    res.writeHead(body ? 200 : 404, { 'Content-Type': { '': 'text/html', htm: 'text/html', js: 'text/javascript', png: 'image/png' }[type] ?? 'image/gif' }).end(body);
  }).listen(0, '127.0.0.1').unref();
  await new Promise((r) => server.once('listening', r));
  base = `http://127.0.0.1:${server.address().port}`;
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
    // page.wait(fn, arg): until fn(window, arg) holds in the exercise's window.
    page.wait = (fn, arg) => page.until(([f, src, a]) => (0, eval)(`(${src})`)(f ? document.querySelector('iframe').contentWindow : window, a),
      [page.framed, String(fn), arg]);
    // Fitted, with every picture there and the text laid out in its fonts.
    await page.wait((w) => w?.document.readyState === 'complete' && w.document.querySelector('main')?.style.transform &&
      (typeof w.ordre !== 'object' || w.ordre.fittedHeight === w.document.querySelector('main').offsetHeight));
    await body(page);
    // WebKit's errors in the frame's page, gathered there (Chromium and Firefox report them with the page's).
    if (how.frame && ENGINE === 'webkit') assert.deepEqual(await page.in((w) => w.pageErrors), [], 'errors in the frame');
  });
}

// The exercise's scale and box, the window, and whether anything needs sideways scrolling.
const frame = (page) => page.in((w) => ((d, main, r) => ({ k: r.width / main.offsetWidth, box: r.toJSON(), view: [w.innerWidth, w.innerHeight],
  layout: d.clientWidth, sideways: d.scrollWidth > d.clientWidth }))(w.document.documentElement, w.document.querySelector('main'), w.document.querySelector('main').getBoundingClientRect()));
// Rendered text size in CSS pixels: its own size times the exercise's scale.
const textSize = (page, selector) => page.in((w, s) => ((main) => Math.round(parseFloat(w.getComputedStyle(w.document.querySelector(s)).fontSize) *
  main.getBoundingClientRect().width / main.offsetWidth * 10) / 10)(w.document.querySelector('main')), selector);

// The device turned (a frame or a window made narrower): fitted again, centred in it.
async function turn(page, [, width, height, how]) {
  const [w2, h2] = how.touch ? [height, width] : how.frame ? [600, 800] : [1024, 700];
  if (how.frame) await page.eval(([w, h]) => Object.assign(document.querySelector('iframe'), { width: w, height: h }), [w2, h2]);
  else await page.resize(w2, h2);
  await page.wait((w, [width, height]) => w.innerWidth === width && w.innerHeight === height && ((r, v) => Math.abs(r.left + w.scrollX -
    Math.max(0, (v - r.width) / 2)) < 1.5)(w.document.querySelector('main').getBoundingClientRect(), w.document.documentElement.clientWidth), [w2, h2]);
}

// Whole in view on a wide screen and as large as the window allows (one side touches its edges); the width filled on a touch screen.
function fills(f, how) {
  if (how.touch) return assert.ok(f.box.width >= f.layout - 3, 'the width filled');
  assert.ok(f.box.top >= 0 && f.box.bottom <= f.view[1] + 1 && f.box.left >= 0 && f.box.right <= f.view[0] + 1, 'in view');
  assert.ok(f.box.bottom >= f.view[1] - 3 || f.box.width >= f.view[0] - 3, 'as large as it can');
}

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
// "Vérifier", and what it says (said again after a pause when it is the same).
async function check(page) {
  await page.in((w) => ((line) => (line.textContent = '', w.document.getElementById('boutonVerifier').click()))(w.document.getElementById('resultat')));
  await page.wait((w) => w.document.getElementById('resultat').textContent);
  return page.in((w) => w.document.getElementById('resultat').textContent);
}

// Each way a pupil places the three objects.
// Each way a pupil places object `o` (the i-th) whose middle goes to (x, y): the dot, smaller than a mouse's drag, by two clicks or taps.
const PLAYS = {
  souris: async (page, o, [x, y], i) => (i < 2 ? (await page.move(o.x, o.y), await page.down(), await page.move(x, y, 8), await page.up())
    : (await page.move(o.x, o.y), await page.down(), await page.up(), await page.move(x, y), await page.down(), await page.up())),
  doigt: async (page, o, [x, y], i) => (i < 2 ? page.slide(Array.from({ length: 11 }, (_, n) => [o.x + ((x - o.x) * n) / 10, o.y + ((y - o.y) * n) / 10]))
    : (await page.tap(o.x, o.y), await page.tap(x, y))),
  async clavier(page, o, _, i) { // ten pixels of the scene a press, one with Shift
    await page.in((w, n) => w.document.getElementsByName(n)[0].focus(), o.name);
    await page.key('Enter');
    for (const [axis, more, less] of [[0, 'ArrowRight', 'ArrowLeft'], [1, 'ArrowDown', 'ArrowUp']]) {
      const d = Math.round(PLACES[i][axis] - o.at[axis]);
      const tens = Math.trunc(Math.abs(d) / 10);
      for (let n = 0; n < tens + (Math.abs(d) % 10); n++) await page.key(d < 0 ? less : more, n < tens ? [] : ['Shift']);
    }
    await page.key('Enter');
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
      fills(f, how);
      const g = await objects(page);
      for (const o of g.list) assert.ok(o.w >= 24 && o.h >= 24, `${o.name} ${o.w}x${o.h}`);
      for (const [hand, play] of Object.entries(PLAYS)) {
        if (hand === 'doigt' && !TOUCH) continue;
        const g = await objects(page);
        for (const [i, o] of g.list.entries()) await play(page, o, target(g, o, PLACES[i]), i);
        assert.equal(await check(page), 'Bien placés : 3 sur 3', hand);
        if (hand !== 'clavier') await page.in((w) => w.document.getElementById('boutonRecommencer').click());
      }
      // Turned, or made smaller: every object stays where it is on the scene.
      const before = (await objects(page)).list.map((o) => o.at);
      await turn(page, size);
      for (const [i, a] of (await objects(page)).list.map((o) => o.at).entries()) assert.ok(Math.hypot(a[0] - before[i][0], a[1] - before[i][1]) < 1, `${i}: ${a}`);
      assert.equal(await check(page), 'Bien placés : 3 sur 3', 'after the turn');
      if (!how.frame) assert.deepEqual(await axe(page), [], 'axe');
    });
  });
}

// ---- Tooltips.

// Point i on the screen; the balloon and the dot, when shown.
const point = (page, i) => page.in((w, i) => ((m, r) => ((k) => [r.left + w.coordx[i] * k, r.top + w.coordy[i] * k, k])(r.width / m.offsetWidth))(
  w.document.querySelector('main'), w.document.querySelector('main').getBoundingClientRect()), i);
// Shown, with its balloon and dot as the window is at one moment: WebKit may still scroll after a resize.
async function sees(page, i, what) {
  await page.wait((w, i) => w.objet_on === i, i);
  const s = await page.in((w, i) => ((m, r) => ({ k: r.width / m.offsetWidth, r: r.toJSON(), x: w.coordx[i], y: w.coordy[i], view: [w.innerWidth, w.innerHeight],
    box: w.document.getElementById('nomobjet').getBoundingClientRect().toJSON(), dot: w.document.querySelector('#pointrouge img').getBoundingClientRect().toJSON() }))(
    w.document.querySelector('main'), w.document.querySelector('main').getBoundingClientRect()), i);
  const [x, y, k] = [s.r.left + s.x * s.k, s.r.top + s.y * s.k, s.k];
  assert.ok(s.box.left >= -0.5 && s.box.top >= -0.5 && s.box.right <= s.view[0] + 0.5 && s.box.bottom <= s.view[1] + 0.5, `${what} ${i}: balloon in the window`);
  assert.ok(Math.abs(s.dot.left - (x - 3 * k)) < 1 && Math.abs(s.dot.top - (y - 7 * k)) < 1, `${what} ${i}: dot on its point`);
}

for (const size of SIZES) {
  const [name, , , how] = size;
  test(`tooltips, ${name}: the picture fills the screen, every point answers pointer, finger and keys at the same distance`, { skip: skip(how) }, async () => {
    await open('tooltip', size, async (page) => {
      const f = await frame(page);
      const texts = [await textSize(page, '#Titel font'), await page.in((w) => w.showobjet(0)) ?? await textSize(page, '#nomobjet')];
      await page.in((w) => w.hideobjet());
      measure(name, 'info-bulles', f, texts);
      assert.equal(f.sideways, false, 'sideways');
      assert.ok(texts[0] >= 18 && texts[1] >= 14, `text ${texts}`);
      fills(f, how);
      // The pointer: each point, then 14 picture pixels off Charlie (shown) and 18 (hidden).
      for (const i of POINTS.keys()) await page.move(...(await point(page, i)).slice(0, 2)), await sees(page, i, 'pointer');
      const [cx, cy, k] = await point(page, 1);
      await page.move(cx + 14 * k, cy), await sees(page, 1, 'pointer at 14');
      await page.move(cx + 18 * k, cy), await page.wait((w) => w.objet_on === -1);
      // A finger 8 CSS pixels off each way, within a finger's target at any scale.
      for (const i of TOUCH ? POINTS.keys() : []) await page.tap(...(await point(page, i)).slice(0, 2).map((v) => v + 8)), await sees(page, i, 'finger');
      // The keys: each point in turn.
      await page.in((w) => (w.focus(), w.document.activeElement?.blur()));
      for (const i of POINTS.keys()) await page.key('Tab'), await sees(page, i, 'keys');
      // Turned, or made smaller: the balloon stays on its point, inside the window.
      await turn(page, size);
      await sees(page, POINTS.length - 1, 'turned');
      if (!how.frame) assert.deepEqual(await axe(page), [], 'axe');
    });
  });
}

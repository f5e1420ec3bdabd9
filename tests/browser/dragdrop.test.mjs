// Drag-and-drop pages as pupils meet them: pages made by `toravi generate` from
// test projects, dragged with the mouse, a finger and the keyboard, or placed by clicks.
import { test, before } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { ENGINE, TOUCH, DATA, visit, scratchFolder, dragDropExercise, examplePage, axe, ring } from './helpers.mjs';

let folder;
const HELP = '<html><body><p id="aide">Voici l\'aide</p></body></html>';

// Pages of the designed size, whose pixels are the scene's; fit.test.mjs plays the fitted ones.
const exercise = (name, options) => dragDropExercise(folder, name, { fit: false, ...options });

const pages = {};
before(() => {
  folder = scratchFolder('toravi-dd-', ['scene.png', 'petite.png', 'chat.png', 'lune.png', 'portrait-exif6.jpg']);
  const src = folder;
  writeFileSync(join(folder, "Fiche d'aide.htm"), HELP);
  Object.assign(pages, {
    main: exercise('main'),
    plain: exercise('plain', { alt: 'Faux', transparent: 'vrai' }),
    // With a phone photo stored 160 x 120 and tagged to be shown turned.
    help: exercise('help', { bouton: 'Vrai', document: "Fiche d'aide.htm", objects: ['portrait-exif6.jpg'] }),
    empty: exercise('empty', { objects: [], bouton: 'Vrai' }),
    small: exercise('small', { scene: ['petite.png', 350, 300] }),
    // The cat's place at (200, 150) on the scene, the moon's at (400, 250), 20 pixels either way.
    checked: exercise('checked', { check: ['200,400,', '150,250,', 'vrai', '20'] }),
    // No title, shown title or instruction; names hidden; the help button.
    untitled: exercise('untitled', { texts: ['', '', ''], alt: 'Faux', bouton: 'Vrai', document: "Fiche d'aide.htm" }),
    example: examplePage(folder, 'glisser-deposer/bureau.txt', 'bureau.htm'),
  });
});

// Where a picture is: in the page (x, y) and in the window (left, top, bottom), whole
// pixels (Firefox places the centred layout at fractions of a pixel).
const box = (page, name) => page.eval((n) => {
  const { left, top, bottom, width, height } = document.querySelector(n.includes('.') ? `img[src="img/${n}"]` : `[name=${n}]`).getBoundingClientRect();
  return Object.fromEntries(Object.entries({ x: left + scrollX, y: top + scrollY, w: width, h: height, left, top, bottom })
    .map(([k, v]) => [k, Math.round(v)]));
}, name);
const scrollY = (page) => page.eval(() => window.scrollY);

// Takes a picture (grabX, grabY) from its top left corner and moves it by (dx, dy), button held.
async function hold(page, name, dx, dy, [grabX, grabY] = [10, 10]) {
  const b = await box(page, name);
  await page.move(b.left + grabX, b.top + grabY);
  await page.down();
  await page.move(b.left + grabX + dx, b.top + grabY + dy, 8);
}
const dragBy = async (page, ...args) => (await hold(page, ...args), await page.up());

test('an object follows the mouse, keeps the grab offset and stays where it is dropped; the last picked is on top', async () => {
  await visit(pages.main, {}, async (page) => {
    const [start, other, sceneBefore] = [await box(page, 'objet0'), await box(page, 'objet1'), await box(page, 'scene.png')];
    await dragBy(page, 'objet0', 37, 81, [70, 30]);
    const end = await box(page, 'objet0');
    assert.deepEqual([end.x - start.x, end.y - start.y], [37, 81]);
    await page.move(5, 5);
    assert.deepEqual(await box(page, 'objet0'), end);
    // Nothing else on the page moved.
    assert.deepEqual([await box(page, 'objet1'), await box(page, 'scene.png')], [other, sceneBefore]);
    assert.equal(await page.eval(() => getComputedStyle(document.getElementsByName('objet0')[0]).cursor), 'move');
    // The moon half over the cat, both 200 pixels lower than they started.
    await dragBy(page, 'objet1', start.x + 50 - other.x, start.y + 200 - other.y, [1, 1]);
    await dragBy(page, 'objet0', -37, 119);
    const topAt = () => page.eval(([x, y]) => document.elementFromPoint(x, y)?.getAttribute('name'), [start.left + 70, start.top + 220]);
    assert.equal(await topAt(), 'objet0');
    // Picked by its free end, the moon comes back on top.
    await dragBy(page, 'objet1', 0, 0, [100, 30]);
    assert.equal(await topAt(), 'objet1');
    // A wider window moves the layout; a moved object keeps its offset from its start place.
    await page.resize(1400, 1200);
    const [cat, scene] = [await box(page, 'objet0'), await box(page, 'scene.png')];
    assert.ok(scene.left > sceneBefore.left + 100, 'the layout moved');
    assert.deepEqual([cat.left - scene.left, cat.y - start.y], [start.left - sceneBefore.left, 200]);
  });
});

test('the limits stop an object exactly at L, R and B; upward only the window stops it', async () => {
  await visit(pages.main, {}, async (page) => {
    for (const [name, left, right] of [['objet0', 52, 694], ['objet1', 154, 592]]) {
      const start = await box(page, name);
      const moved = async (dx, dy) => (await dragBy(page, name, dx, dy), await box(page, name));
      assert.equal((await moved(-400, 0)).x - start.x, -left, `${name} left`);
      assert.equal((await moved(1000, 0)).x - start.x, right, `${name} right`);
      assert.equal((await moved(0, 1100)).y - start.y, 700, `${name} bottom`);
      assert.equal((await moved(0, -2000)).top, 0, `${name} top`);
    }
  });
  // A 350 x 300 scene is shown 700 x 600: the objects reach its foot all the same.
  await visit(pages.small, {}, async (page) => {
    const foot = (await box(page, 'petite.png')).bottom;
    await dragBy(page, 'objet0', 0, foot - (await box(page, 'objet0')).bottom);
    assert.equal((await box(page, 'objet0')).bottom, foot);
  });
});

test('a finger drags an object without scrolling the page; elsewhere it scrolls', { skip: !TOUCH }, async () => {
  await visit(pages.main, { width: 1000, height: 600, touch: true }, async (page) => {
    const slide = (x, y, dx, dy) => page.slide(Array.from({ length: 11 }, (_, i) => [x + (dx * i) / 10, y + (dy * i) / 10]));
    const start = await box(page, 'objet1');
    await slide(start.left + 20, start.top + 20, 60, -120);
    const end = await box(page, 'objet1');
    assert.deepEqual([end.x - start.x, end.y - start.y, await scrollY(page)], [60, -120, 0]);
    // A finger on the instruction scrolls the page as usual.
    const text = await page.eval(() => document.getElementById('consigne').getBoundingClientRect().left);
    await page.eval(() => document.addEventListener('touchmove', (e) => (window.kept = e.defaultPrevented)));
    await slide(text + 330, 500, 0, -300);
    assert.equal(await page.eval(() => window.kept), false);
    // Headless Firefox does not pan for a synthetic finger.
    if (ENGINE === 'chromium') await page.until(() => window.scrollY > 50);
  });
});

test('a dragged object stays under the pointer while the wheel or the keys scroll; near the bottom edge the page scrolls', async () => {
  await visit(pages.main, { width: 1000, height: 600 }, async (page) => {
    const [cat, moon] = [await box(page, 'objet0'), await box(page, 'objet1')];
    const [x, y] = [cat.left + 30, cat.top + 120];
    await hold(page, 'objet0', 20, 110);
    for (const scroll of [() => page.wheel(100), () => page.key('ArrowDown')]) {
      const before = await scrollY(page);
      await scroll();
      await page.until((s) => window.scrollY > s, before);
      // Scrolled smoothly, by fractions of a pixel, the page may rest anywhere: the object
      // follows to the whole pixel.
      await page.until(([x, y]) => ((r) => Math.abs(r.left - (x - 10)) <= 1 && Math.abs(r.top - (y - 10)) <= 1)(
        document.getElementsByName('objet0')[0].getBoundingClientRect()), [x, y]);
    }
    await page.up();
    // Held near the bottom edge, the moon scrolls the page so the scene below can be reached.
    await page.eval(() => scrollTo(0, 0));
    await hold(page, 'objet1', 0, 590 - moon.top - 25, [50, 25]);
    await page.until(() => window.scrollY > 150);
    await page.up();
    const moved = (await box(page, 'objet1')).y - moon.y;
    assert.ok(moved > 590 - (moon.top + 25) + 100 && moved <= 700, `moved ${moved}`);
  });
});

// How a drag ends, on which page: the button let go, or outside the window (the page never hears of it), or the
// pointer taken away by the browser. Translucent while dragged only with the option; titles only with theirs,
// a number for screen readers without.
const ENDS = [
  ['main', '1', 'Le chat', (page) => page.up()],
  ['plain', '0.7', '', (page) => page.up()],
  ['plain', '0.7', '', async (page) => (await page.eval(() => ['pointerup', 'lostpointercapture', 'mouseup']
    .forEach((type) => window.addEventListener(type, (e) => e.stopImmediatePropagation(), true))), page.up())],
  ['plain', '0.7', '', (page) => page.eval(() => document.getElementsByName('objet0')[0].releasePointerCapture(ordre.drag.id))],
];

test('a drag ends when the button is let go or the page loses the pointer; the look of a dragged object', async () => {
  for (const [name, dragged, title, end] of ENDS) {
    await visit(pages[name], {}, async (page) => {
      const look = () => page.eval(() => ((img) => [getComputedStyle(img).opacity, img.title, img.alt])(document.getElementsByName('objet0')[0]));
      const start = await box(page, 'objet0');
      await hold(page, 'objet0', 30, 50);
      assert.equal((await look())[0], dragged);
      await end(page);
      await page.move(start.left + 140, start.top + 160, 4);
      const moved = await box(page, 'objet0');
      assert.deepEqual([moved.x - start.x, moved.y - start.y, ...await look()], [30, 50, '1', title, title || 'Objet 1']);
    });
  }
});

// Keys pressed in turn (how often, with which modifiers), then the focused object's offset from its start place.
// With Alt, Ctrl or Meta the arrows are the browser's; no key scrolls the page.
const KEYS = [['Tab', 1, [], 'objet0', 0, 0], ['ArrowRight', 1, ['Alt'], 'objet0', 0, 0], ['ArrowRight', 1, ['Control'], 'objet0', 0, 0],
  ['ArrowRight', 1, ['Meta'], 'objet0', 0, 0], ['ArrowRight', 1, [], 'objet0', 10, 0], ['ArrowDown', 1, ['Shift'], 'objet0', 10, 1],
  ['ArrowLeft', 8, [], 'objet0', -52, 1], ['Tab', 1, [], 'objet1', 0, 0], ['ArrowRight', 70, [], 'objet1', 592, 0]];

test('arrow keys move a focused object within its limits; with Alt, Ctrl or Meta they are the browser\'s', async () => {
  await visit(pages.main, {}, async (page) => {
    const start = { objet0: await box(page, 'objet0'), objet1: await box(page, 'objet1') };
    await page.eval(() => window.addEventListener('keydown', (e) => (window.kept = e.defaultPrevented)));
    for (const [key, times, mods, name, dx, dy] of KEYS) {
      for (let i = 0; i < times; i++) await page.key(key, mods);
      const { x, y } = await box(page, name);
      const kept = key !== 'Tab' && mods.every((m) => m === 'Shift');
      assert.deepEqual([await page.eval(() => [document.activeElement.getAttribute('name'), window.kept, scrollY]), x - start[name].x, y - start[name].y],
        [[name, kept, 0], dx, dy], `${mods} ${key}`);
    }
  });
});

test('the help button opens its document; without a document there is no button; a phone photo shows upright', async () => {
  await visit(pages.help, {}, async (page) => {
    // Stored 160 x 120, tagged to be shown turned.
    await page.until(() => document.getElementsByName('objet0')[0].complete);
    assert.deepEqual((({ w, h }) => [w, h])(await box(page, 'objet0')), [120, 160]);
    // The pupil clicks the button; the window it opens is the copied document.
    await page.eval(() => (window.open = (url) => (window.opened = new URL(url, location.href).pathname)));
    // Or with the keyboard: the button is the first stop.
    await page.key('Tab');
    await page.key('Enter');
    const opened = decodeURIComponent(await page.eval(() => window.opened));
    await page.eval(() => (window.opened = null));
    const button = await box(page, 'FenetreTexte');
    await page.move(button.left + 5, button.top + 5);
    await page.down();
    await page.up();
    assert.deepEqual([opened.endsWith("/help/Fiche d'aide.htm"), decodeURIComponent(await page.eval(() => window.opened))], [true, opened]);
    assert.equal(readFileSync(join(folder, 'help', "Fiche d'aide.htm"), 'latin1'), HELP);
  });
  // A page without objects loads too.
  await visit(pages.empty, {}, async (page) => {
    assert.deepEqual(await page.eval(() => [typeof SET_DHTML, document.querySelectorAll('img[name], input').length]), ['function', 0]);
  });
});

test('pages made from WebP and TIFF pictures show every picture, the page background too', async () => {
  for (const [name, count] of [['webp', 3], ['tiff', 12]]) {
    await visit(examplePage(folder, `${name}.txt`, `${name}.htm`, join(DATA, 'pictures')), {}, async (page) => {
      // A picture that failed to load has no natural width.
      assert.deepEqual(await page.eval(() => Promise.all([...document.images].map((i) => i.src).concat(getComputedStyle(document.body)
        .backgroundImage.match(/img\/[^"')]+/g) ?? []).map((src) => new Promise((r) => Object.assign(new Image(), { src,
          onload() { r(this.naturalWidth ? 'ok' : src); }, onerror: () => r(src) })))).then((l) => [l.length, l.filter((x) => x !== 'ok')])), [count, []]);
    });
  }
});

// Presses a button of the page as a pupil would: mouse, keyboard or finger.
async function press(page, id, how) {
  const b = await page.eval((i) => document.getElementById(i).getBoundingClientRect().toJSON(), id);
  if (how === 'key') await page.eval((i) => document.getElementById(i).focus(), id), await page.key('Enter');
  else if (how === 'tap') await page.tap(b.left + 5, b.top + 5);
  else await page.move(b.left + 5, b.top + 5), await page.down(), await page.up();
}
const frames = (page) => page.eval(() => ['objet0', 'objet1'].map((n) =>
  ((s) => s.outlineStyle === 'none' ? '' : `${s.outlineStyle} ${s.outlineColor}`)(getComputedStyle(document.getElementsByName(n)[0]))));
const said = (page) => page.eval(() => document.getElementById('resultat').textContent);

test('"Vérifier" frames each object and counts the well placed; "Recommencer" puts them back in their rows', async () => {
  await visit(pages.checked, { touch: TOUCH }, async (page) => {
    const start = { objet0: await box(page, 'objet0'), objet1: await box(page, 'objet1') };
    const scene = await box(page, 'scene.png');
    // Each object to its place, a little off but within the tolerance.
    for (const [name, x, y] of [['objet0', 200 + 15, 150 - 20], ['objet1', 400 - 20, 250 + 7]]) {
      await dragBy(page, name, scene.left + x - start[name].left, scene.top + y - start[name].top);
    }
    // Another window width centres the page elsewhere, and the page is scrolled: the places hold.
    await page.resize(1400, 900);
    await page.eval(() => scrollTo(0, 150));
    await press(page, 'boutonVerifier', 'mouse');
    assert.equal(await said(page), 'Bien placés : 2 sur 2');
    assert.deepEqual(await frames(page), ['solid rgb(0, 128, 0)', 'solid rgb(0, 128, 0)']);
    // The cat 25 pixels too far right: one red frame. Moving it again clears its frame.
    await dragBy(page, 'objet0', 10, 0);
    assert.deepEqual(await frames(page), ['', 'solid rgb(0, 128, 0)']);
    await press(page, 'boutonVerifier', 'key');
    assert.equal(await said(page), 'Bien placés : 1 sur 2');
    assert.deepEqual(await frames(page), ['dashed rgb(224, 0, 0)', 'solid rgb(0, 128, 0)']);
    assert.equal(await page.eval(() => document.getElementById('resultat').getAttribute('role')), 'status');
    await press(page, 'boutonRecommencer', TOUCH ? 'tap' : 'mouse');
    const [scene2, cat, moon] = [await box(page, 'scene.png'), await box(page, 'objet0'), await box(page, 'objet1')];
    assert.deepEqual([cat.left - scene2.left, cat.top - scene2.top, moon.left - scene2.left, moon.top - scene2.top],
      [start.objet0.left - scene.left, start.objet0.top - scene.top, start.objet1.left - scene.left, start.objet1.top - scene.top]);
    assert.deepEqual([await frames(page), await said(page)], [['', ''], '']);
    // Dragging still works after the restart, from the row.
    await dragBy(page, 'objet0', 30, 40);
    assert.deepEqual(((b) => [b.left - cat.left, b.top - cat.top])(await box(page, 'objet0')), [30, 40]);
  });
});

test('axe-core finds nothing to fix on drag-and-drop pages, checked or not', async () => {
  for (const name of ['example', 'main', 'plain', 'untitled', 'checked']) {
    await visit(pages[name], {}, async (page) => {
      if (name === 'checked') await press(page, 'boutonVerifier', 'mouse');
      assert.deepEqual(await axe(page), [], name);
    });
  }
});

// What the status line `id` says, once it has said `text` or two seconds have passed.
async function heard(page, text, id = 'ordreAnnonce') {
  await page.until(([t, i]) => document.getElementById(i).textContent === t, [text, id], 2000).catch(() => {});
  assert.equal(await page.eval((i) => document.getElementById(i).textContent, id), text);
}
const held = (page, name) => page.eval((n) => document.getElementsByName(n)[0].getAttribute('aria-pressed'), name);
// Where an object's top left corner is on the scene.
const onScene = async (page, name) => ((o, s) => [o.x - s.x, o.y - s.y])(await box(page, name), await box(page, 'scene.png'));

test('a keyboard pupil at 200 % zoom takes, moves and puts down each object, hearing each step, and gets 2 sur 2', async () => {
  await visit(pages.checked, { width: 640, height: 360 }, async (page) => {
    const keys = async (key, n, mods) => { for (let i = 0; i < Math.abs(n); i++) await page.key(key, mods); };
    await keys('Tab', 3); // "Vérifier", "Recommencer", the cat
    for (const [name, label, take, x, y] of [['objet0', 'Le chat', 'Enter', 200, 150], ['objet1', 'La lune', ' ', 400, 250]]) {
      if (name === 'objet1') await page.key('Tab');
      assert.deepEqual(await page.eval(() => ((e) => [e.getAttribute('role'), e.alt, /^Entrée/.test(document.getElementById(e.getAttribute('aria-describedby')).textContent)])(document.activeElement)),
        ['button', label, true]);
      const start = await onScene(page, name);
      await page.key(take);
      await heard(page, `Objet pris : ${label}`);
      assert.deepEqual([await held(page, name), await ring(page) >= 2], ['true', true]);
      // Escape puts it back where it was taken.
      await keys('ArrowDown', 3);
      await page.key('Escape');
      await heard(page, `Objet remis où il était : ${label}`);
      assert.deepEqual([await onScene(page, name), await held(page, name)], [start, 'false']);
      // Ten pixels a press, one with Shift; the first arrow takes it.
      const [dx, dy] = [x - start[0], y - start[1]];
      await keys(dx < 0 ? 'ArrowLeft' : 'ArrowRight', Math.trunc(dx / 10));
      await keys(dx < 0 ? 'ArrowLeft' : 'ArrowRight', dx % 10, ['Shift']);
      await keys('ArrowDown', Math.trunc(dy / 10));
      await keys('ArrowDown', dy % 10, ['Shift']);
      await page.key(take);
      await heard(page, `Objet posé : ${label}`);
      assert.deepEqual([await onScene(page, name), await held(page, name)], [[x, y], 'false']);
      assert.ok(await page.eval(() => ((r) => r.top > -1 && r.bottom < innerHeight + 1 && r.left > -1 && r.right < innerWidth + 1)(document.activeElement.getBoundingClientRect())), 'in view');
    }
    await keys('Tab', 3, ['Shift']);
    assert.ok(await ring(page) >= 2);
    await page.key('Enter');
    assert.equal(await said(page), 'Bien placés : 2 sur 2');
  });
});

test('a pupil who cannot drag places each object by two clicks or taps; an object off only vertically is not well placed', async () => {
  await visit(pages.checked, { touch: TOUCH }, async (page) => {
    const click = async (how, x, y) => (how === 'tap' ? page.tap(x, y) : (await page.move(x, y), await page.down(), await page.up()));
    // The moon 40 pixels too low, then right; the cat by mouse, the moon by finger where there is one.
    for (const [name, how, x, y, count] of [['objet0', 'mouse', 200, 150, 1], ['objet1', TOUCH ? 'tap' : 'mouse', 400, 290, 1], ['objet1', 'mouse', 400, 250, 2]]) {
      const b = await box(page, name);
      await click(how, b.left + b.w / 2, b.top + b.h / 2);
      assert.deepEqual([await held(page, name), await box(page, name)], ['true', b], `${name} taken, not moved`);
      // The scene where it is now: text laid out again in late fonts moves it.
      const scene = await box(page, 'scene.png');
      await click(how, scene.left + x + b.w / 2, scene.top + y + b.h / 2);
      assert.deepEqual([await onScene(page, name), await held(page, name)], [[x, y], 'false']);
      await press(page, 'boutonVerifier', how);
      await heard(page, `Bien placés : ${count} sur 2`, 'resultat');
    }
  });
});

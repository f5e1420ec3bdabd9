// Drag-and-drop pages as pupils meet them: pages made by `toravi generate` from
// test projects, dragged with the mouse, a finger and the keyboard.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync, copyFileSync, rmSync, mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { ENGINE, TOUCH, DATA, visit, closeBrowser, scratchFolder, makePage, bmpBytes } from './helpers.mjs';

let folder;

// An exercise: by default a scene 700 x 400 and objects of widths 100 and 120
// (so the limits are 52/694/700 and 154/592/700), then the page through the program.
function exercise(name, options = {}) {
  const o = { alt: 'vrai', transparent: 'faux', bouton: 'Faux', document: '', scene: ['scene.bmp', 700, 400], objects: ['chat.bmp', 'lune.bmp'], ...options };
  const [src, work] = [join(folder, 'src'), join(folder, name)];
  mkdirSync(work);
  return makePage(join(folder, `${name}.txt`), 'Drag&Drop', [
    join(src, o.scene[0]), '', work, join(work, 'exercice.htm'), 'Ranger', 'Mets chaque objet<br>à sa place',
    'Range la chambre', ...o.scene.map(String), '', 'FFE2B2', '14', '800000', 'D9EBD1', '', '', '', 'centré', '22',
    '008000', '', '', '', 'FFFFD2', 'Faux',
    o.objects.map((f) => join(src, f) + ',').join(''), o.objects.map((f) => f + ',').join(''), o.alt, o.transparent,
    o.objects.map((f, i) => (['Le chat', 'La lune'][i] ?? f) + ',').join(''),
    o.bouton, o.document && join(src, o.document), o.document, 'Aide'], join(work, 'exercice.htm'));
}

const pages = {};
before(() => {
  folder = scratchFolder('toravi-dd-');
  const src = join(folder, 'src');
  mkdirSync(src);
  for (const [file, w, h, rgb] of [['scene.bmp', 700, 400, [120, 180, 120]], ['petite.bmp', 350, 300, [120, 180, 120]],
    ['chat.bmp', 100, 50, [200, 60, 60]], ['lune.bmp', 120, 60, [60, 60, 200]]]) writeFileSync(join(src, file), bmpBytes(w, h, rgb));
  copyFileSync(join(DATA, 'browser', 'portrait-exif6.jpg'), join(src, 'portrait.jpg'));
  writeFileSync(join(src, "Fiche d'aide.htm"), '<html><body><p id="aide">Voici l\'aide</p></body></html>');
  Object.assign(pages, {
    main: exercise('main'),
    plain: exercise('plain', { alt: 'Faux', transparent: 'vrai' }),
    help: exercise('help', { bouton: 'Vrai', document: "Fiche d'aide.htm" }),
    empty: exercise('empty', { objects: [], bouton: 'Vrai' }),
    small: exercise('small', { scene: ['petite.bmp', 350, 300] }),
    portrait: exercise('portrait', { objects: ['portrait.jpg'] }),
  });
});
after(async () => {
  await closeBrowser();
  rmSync(folder, { recursive: true, force: true });
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
    const [start, other, sceneBefore] = [await box(page, 'objet0'), await box(page, 'objet1'), await box(page, 'scene.bmp')];
    await dragBy(page, 'objet0', 37, 81, [70, 30]);
    const end = await box(page, 'objet0');
    assert.deepEqual([end.x - start.x, end.y - start.y], [37, 81]);
    await page.move(5, 5);
    assert.deepEqual(await box(page, 'objet0'), end);
    // Nothing else on the page moved.
    assert.deepEqual([await box(page, 'objet1'), await box(page, 'scene.bmp')], [other, sceneBefore]);
    assert.equal(await page.eval(() => getComputedStyle(document.getElementsByName('objet0')[0]).cursor), 'move');
    // The moon half over the cat, both 200 pixels lower than they started.
    await dragBy(page, 'objet1', start.x + 50 - other.x, start.y + 200 - other.y, [1, 1]);
    await dragBy(page, 'objet0', -37, 119);
    const topAt = () => page.eval(([x, y]) => document.elementFromPoint(x, y)?.getAttribute('name'), [start.left + 70, start.top + 220]);
    assert.equal(await topAt(), 'objet0');
    // Picked by its free end, the moon comes back on top.
    await dragBy(page, 'objet1', 0, 0, [100, 30]);
    assert.equal(await topAt(), 'objet1');
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
    const foot = (await box(page, 'petite.bmp')).bottom;
    await dragBy(page, 'objet0', 0, foot - (await box(page, 'objet0')).bottom);
    assert.equal((await box(page, 'objet0')).bottom, foot);
  });
});

test('translucent while dragged only with the option; titles only with the tooltip option', async () => {
  for (const [url, dragged, title] of [[pages.plain, '0.7', null], [pages.main, '1', 'Le chat']]) {
    await visit(url, {}, async (page) => {
      const look = () => page.eval(() => ((img) => [getComputedStyle(img).opacity, img.title, img.alt])(document.getElementsByName('objet0')[0]));
      await hold(page, 'objet0', 30, 50);
      assert.equal((await look())[0], dragged);
      await page.up();
      assert.deepEqual(await look(), ['1', title ?? '', title ?? '']);
    });
  }
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

test('dragging near the bottom edge scrolls the page so the scene below can be reached', async () => {
  await visit(pages.main, { width: 1000, height: 600 }, async (page) => {
    const start = await box(page, 'objet0');
    await hold(page, 'objet0', 0, 590 - start.top - 25, [50, 25]);
    await page.until(() => window.scrollY > 150);
    await page.up();
    const moved = (await box(page, 'objet0')).y - start.y;
    assert.ok(moved > 590 - (start.top + 25) + 100 && moved <= 700, `moved ${moved}`);
  });
});

test('the dragged object stays under the pointer while the wheel or the keys scroll the page', async () => {
  await visit(pages.main, { width: 1000, height: 600 }, async (page) => {
    const start = await box(page, 'objet0');
    const [x, y] = [start.left + 30, start.top + 120];
    await hold(page, 'objet0', 20, 110);
    for (const scroll of [() => page.wheel(100), () => page.key('ArrowDown')]) {
      const before = await scrollY(page);
      await scroll();
      await page.until((s) => window.scrollY > s, before);
      await page.until(([x, y]) => { // the page may scroll smoothly: wait until it rests
        const r = document.getElementsByName('objet0')[0].getBoundingClientRect();
        return r.left === x - 10 && r.top === y - 10;
      }, [x, y]);
    }
    await page.up();
  });
});

const LOSSES = [
  async (page) => { // the button is let go outside the window: the page never hears of it
    await page.eval(() => ['pointerup', 'lostpointercapture', 'mouseup'].forEach((type) => window.addEventListener(type, (e) => e.stopImmediatePropagation(), true)));
    await page.up();
  },
  // the browser takes the pointer away while the button is held
  (page) => page.eval(() => document.getElementsByName('objet0')[0].releasePointerCapture(ordre.drag.id)),
];

test('a drag ends when the page loses the pointer', async () => {
  for (const lose of LOSSES) {
    await visit(pages.main, {}, async (page) => {
      const start = await box(page, 'objet0');
      await hold(page, 'objet0', 30, 50);
      await lose(page);
      await page.move(start.left + 140, start.top + 160, 4);
      const end = await box(page, 'objet0');
      assert.deepEqual([end.x - start.x, end.y - start.y], [30, 50]);
    });
  }
});

test('arrow keys move a focused object within its limits; with Alt, Ctrl or Meta they are the browser\'s', async () => {
  await visit(pages.main, {}, async (page) => {
    const focused = () => page.eval(() => document.activeElement.getAttribute('name'));
    const moved = async (name, from) => (({ x, y }) => [x - from.x, y - from.y])(await box(page, name));
    const start = await box(page, 'objet0');
    await page.key('Tab');
    assert.equal(await focused(), 'objet0');
    await page.eval(() => window.addEventListener('keydown', (e) => (window.kept = e.defaultPrevented)));
    for (const mod of ['Alt', 'Control', 'Meta']) {
      await page.key('ArrowRight', [mod]);
      assert.equal(await page.eval(() => window.kept), false, mod);
    }
    assert.deepEqual(await moved('objet0', start), [0, 0]);
    await page.key('ArrowRight');
    await page.key('ArrowDown', ['Shift']);
    assert.deepEqual(await moved('objet0', start), [1, 10]);
    for (let i = 0; i < 8; i++) await page.key('ArrowLeft', ['Shift']);
    assert.deepEqual([(await moved('objet0', start))[0], await scrollY(page)], [-52, 0]);
    await page.key('Tab');
    assert.equal(await focused(), 'objet1');
    const moon = await box(page, 'objet1');
    for (let i = 0; i < 70; i++) await page.key('ArrowRight', ['Shift']);
    assert.equal((await moved('objet1', moon))[0], 592);
  });
});

test('a moved object keeps its offset from its start place when the window is resized', async () => {
  await visit(pages.main, {}, async (page) => {
    const [start, before] = [await box(page, 'objet0'), await box(page, 'scene.bmp')];
    await dragBy(page, 'objet0', 40, 60);
    await page.resize(1400, 1200);
    const [end, after] = [await box(page, 'objet0'), await box(page, 'scene.bmp')];
    assert.ok(after.left > before.left + 100, 'the layout moved');
    assert.deepEqual([end.left - after.left, end.y - start.y], [start.left - before.left + 40, 60]);
  });
});

test('the help button opens its document in a popup; without a document there is no button', async () => {
  await visit(pages.help, {}, async (page) => {
    const popup = await page.popup('input[name="FenetreTexte"]');
    assert.match(decodeURIComponent(popup.url), /\/Fiche d'aide\.htm$/);
    assert.equal(popup.text, "Voici l'aide");
  });
  // A page without objects loads too.
  await visit(pages.empty, {}, async (page) => {
    assert.deepEqual(await page.eval(() => [typeof SET_DHTML, document.querySelectorAll('img[name], input').length]), ['function', 0]);
  });
});

test('a phone photo taken upright is drawn upright', async () => {
  // Stored 160 x 120, tagged to be shown turned.
  await visit(pages.portrait, {}, async (page) => {
    await page.until(() => document.getElementsByName('objet0')[0].complete);
    assert.deepEqual((({ w, h }) => [w, h])(await box(page, 'objet0')), [120, 160]);
  });
});

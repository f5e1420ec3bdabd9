// Drag-and-drop pages as pupils meet them: pages made by `toravi generate` from
// test projects, opened from file:// in Chromium, and dragged with the mouse,
// a finger and the keyboard.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync, rmSync } from 'node:fs';
import { launchBrowser, scratchFolder, writeProject, generate, fileUrl, pngBytes, mkdirSync, join } from './helpers.mjs';

const HEADER = [
  '<Généré par Toravi 2>',
  '<Module Drag&Drop>',
  '<Ne pas modifier ce fichier à la main.>',
  '<Cela pourrait avoir des conséquences inattendues sur votre projet>',
];

// Makes an exercise: a scene 700 x 400 and objects of widths 100 and 120 (so
// the limits are 52/694/700 and 154/592/700), then the page through the program.
function makeExercise(name, options = {}) {
  const o = { alt: 'vrai', transparent: 'faux', bouton: 'Faux', document: '', objects: true, ...options };
  const folder = scratchFolder(`toravi-dd-${name}-`);
  scratch.push(folder);
  const src = join(folder, 'src');
  const work = join(folder, 'work');
  mkdirSync(src);
  mkdirSync(work);
  writeFileSync(join(src, 'scene.png'), pngBytes(700, 400, [120, 180, 120]));
  writeFileSync(join(src, 'chat.png'), pngBytes(100, 50, [200, 60, 60]));
  writeFileSync(join(src, 'lune.png'), pngBytes(120, 60, [60, 60, 200]));
  if (o.document) writeFileSync(join(src, o.document), '<html><body><p id="aide">Voici l\'aide</p></body></html>');
  const objects = o.objects ? ['chat.png', 'lune.png'] : [];
  const lines = [
    ...HEADER,
    join(src, 'scene.png'), '', work, join(work, 'exercice.htm'), 'Ranger', 'Mets chaque objet<br>à sa place',
    'Range la chambre', 'scene.png', '700', '400', '', 'FFE2B2', '14', '800000', 'D9EBD1', '', '', '',
    'centré', '22', '008000', '', '', '', 'FFFFD2', 'Faux',
    objects.map((f) => join(src, f) + ',').join(''),
    objects.map((f) => f + ',').join(''),
    o.alt, o.transparent,
    o.objects ? 'Le chat,La lune,' : '',
    o.bouton, o.document ? join(src, o.document) : '', o.document, 'Aide',
  ];
  const project = join(folder, 'projet.txt');
  writeProject(project, lines);
  generate(project);
  return fileUrl(join(work, 'exercice.htm'));
}

let browser;
let pages;
const scratch = [];

before(async () => {
  browser = await launchBrowser();
  pages = {
    main: makeExercise('main'),
    plain: makeExercise('plain', { alt: 'Faux', transparent: 'vrai' }),
    help: makeExercise('help', { bouton: 'Vrai', document: "Fiche d'aide.htm" }),
    empty: makeExercise('empty', { objects: false }),
  };
});

after(async () => {
  await browser?.close();
  for (const folder of scratch) rmSync(folder, { recursive: true, force: true });
});

// Opens a page and fails the test on any script error.
async function open(url, { width = 1100, height = 1200, touch = false } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, hasTouch: touch });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url);
  await page.waitForLoadState('load');
  return { context, page, errors };
}

const box = (page, name) =>
  page.evaluate((n) => {
    const r = document.getElementsByName(n)[0].getBoundingClientRect();
    return { x: r.left + window.scrollX, y: r.top + window.scrollY, w: r.width, h: r.height, top: r.top };
  }, name);

async function mouseDrag(page, name, dx, dy, { grabX = 10, grabY = 10 } = {}) {
  const b = await box(page, name);
  const sx = b.x - (await page.evaluate(() => window.scrollX)) + grabX;
  const sy = b.y - (await page.evaluate(() => window.scrollY)) + grabY;
  await page.mouse.move(sx, sy);
  await page.mouse.down();
  await page.mouse.move(sx + dx, sy + dy, { steps: 8 });
  await page.mouse.up();
}

test('an object follows the mouse, keeps the grab offset and stays where it is dropped', async () => {
  const { context, page, errors } = await open(pages.main);
  const start = await box(page, 'objet0');
  const scene = await page.evaluate(() => document.querySelector('img[src="img/scene.png"]').getBoundingClientRect().top);
  await mouseDrag(page, 'objet0', 37, 81, { grabX: 70, grabY: 30 });
  const end = await box(page, 'objet0');
  assert.equal(end.x - start.x, 37);
  assert.equal(end.y - start.y, 81);
  // Nothing else on the page moved.
  const sceneAfter = await page.evaluate(() => document.querySelector('img[src="img/scene.png"]').getBoundingClientRect().top);
  assert.equal(sceneAfter, scene);
  const other = await box(page, 'objet1');
  await page.mouse.move(5, 5);
  assert.deepEqual(await box(page, 'objet0'), end);
  assert.equal(await page.evaluate(() => getComputedStyle(document.getElementsByName('objet0')[0]).cursor), 'move');
  assert.deepEqual(await box(page, 'objet1'), other);
  assert.deepEqual(errors, []);
  await context.close();
});

test('the limits stop an object exactly at L, R and B; upward only the window stops it', async () => {
  const { context, page, errors } = await open(pages.main);
  for (const [name, left, right] of [['objet0', 52, 694], ['objet1', 154, 592]]) {
    const start = await box(page, name);
    await mouseDrag(page, name, -400, 0);
    assert.equal((await box(page, name)).x - start.x, -left, `${name} left`);
    await mouseDrag(page, name, 1000, 0);
    assert.equal((await box(page, name)).x - start.x, right, `${name} right`);
    await mouseDrag(page, name, 0, 1100);
    assert.equal((await box(page, name)).y - start.y, 700, `${name} bottom`);
    await mouseDrag(page, name, 0, -2000);
    assert.equal((await box(page, name)).top, 0, `${name} top`);
  }
  assert.deepEqual(errors, []);
  await context.close();
});

test('the last object picked comes on top and stays there', async () => {
  const { context, page } = await open(pages.main);
  const a = await box(page, 'objet0');
  const b = await box(page, 'objet1');
  // The moon half over the cat, both 200 pixels lower.
  await mouseDrag(page, 'objet1', a.x + 50 - b.x, a.y + 200 - b.y, { grabX: 0, grabY: 0 });
  await mouseDrag(page, 'objet0', 0, 200);
  const topAt = () => page.evaluate(([x, y]) => document.elementFromPoint(x, y)?.getAttribute('name'), [a.x + 70, a.y + 220]);
  assert.equal(await topAt(), 'objet0');
  // Picked by its free end, the moon comes back on top.
  await mouseDrag(page, 'objet1', 0, 0, { grabX: 100, grabY: 30 });
  assert.equal(await topAt(), 'objet1');
  await context.close();
});

test('translucent while dragged only with the option; titles only with the tooltip option', async () => {
  for (const [url, dragged, title] of [[pages.plain, '0.7', null], [pages.main, '1', 'Le chat']]) {
    const { context, page } = await open(url);
    const opacity = () => page.evaluate(() => getComputedStyle(document.getElementsByName('objet0')[0]).opacity);
    const b = await box(page, 'objet0');
    await page.mouse.move(b.x + 10, b.y + 10);
    await page.mouse.down();
    await page.mouse.move(b.x + 40, b.y + 60, { steps: 4 });
    assert.equal(await opacity(), dragged);
    await page.mouse.up();
    assert.equal(await opacity(), '1');
    const attrs = await page.evaluate(() => {
      const img = document.getElementsByName('objet0')[0];
      return { title: img.getAttribute('title'), alt: img.getAttribute('alt') };
    });
    assert.equal(attrs.title, title);
    assert.equal(attrs.alt, title ?? '');
    await context.close();
  }
});

test('a finger drags an object without scrolling the page; elsewhere it scrolls', async () => {
  const { context, page, errors } = await open(pages.main, { width: 1000, height: 600, touch: true });
  const cdp = await context.newCDPSession(page);
  const touchDrag = async (x, y, dx, dy) => {
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
    for (let i = 1; i <= 10; i++) {
      await cdp.send('Input.dispatchTouchEvent', {
        type: 'touchMove',
        touchPoints: [{ x: x + (dx * i) / 10, y: y + (dy * i) / 10 }],
      });
    }
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  };
  const start = await box(page, 'objet1');
  await touchDrag(start.x + 20, start.y + 20, 60, -120);
  const end = await box(page, 'objet1');
  assert.equal(end.x - start.x, 60);
  assert.equal(end.y - start.y, -120);
  assert.equal(await page.evaluate(() => window.scrollY), 0);
  // A finger on the instruction scrolls the page as usual.
  const text = await page.evaluate(() => {
    const r = document.getElementById('consigne').getBoundingClientRect();
    return { x: r.left + 30, y: r.top + 20 };
  });
  await touchDrag(text.x + 300, 500, 0, -300);
  await page.waitForFunction(() => window.scrollY > 50, null, { timeout: 3000 });
  assert.deepEqual(errors, []);
  await context.close();
});

test('dragging near the bottom edge scrolls the page so the scene below can be reached', async () => {
  const { context, page, errors } = await open(pages.main, { width: 1000, height: 600 });
  const start = await box(page, 'objet0');
  await page.mouse.move(start.x + 50, start.y + 25);
  await page.mouse.down();
  await page.mouse.move(start.x + 50, 590, { steps: 10 });
  await page.waitForFunction(() => window.scrollY > 150, null, { timeout: 5000 });
  await page.mouse.up();
  const end = await box(page, 'objet0');
  assert.ok(end.y - start.y > 590 - (start.y + 25) + 100, `moved ${end.y - start.y}`);
  assert.ok(end.y - start.y <= 700);
  assert.deepEqual(errors, []);
  await context.close();
});

test('arrow keys move a focused object within its limits', async () => {
  const { context, page, errors } = await open(pages.main);
  const start = await box(page, 'objet0');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('name')), 'objet0');
  await page.keyboard.press('ArrowRight');
  await page.keyboard.press('Shift+ArrowDown');
  let now = await box(page, 'objet0');
  assert.deepEqual([now.x - start.x, now.y - start.y], [1, 10]);
  for (let i = 0; i < 8; i++) await page.keyboard.press('Shift+ArrowLeft');
  now = await box(page, 'objet0');
  assert.equal(now.x - start.x, -52);
  assert.equal(await page.evaluate(() => window.scrollY), 0);
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('name')), 'objet1');
  const moonStart = await box(page, 'objet1');
  for (let i = 0; i < 70; i++) await page.keyboard.press('Shift+ArrowRight');
  assert.equal((await box(page, 'objet1')).x - moonStart.x, 592);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a moved object keeps its offset from its start place when the window is resized', async () => {
  const { context, page } = await open(pages.main);
  const sceneX = () => page.evaluate(() => document.querySelector('img[src="img/scene.png"]').getBoundingClientRect().left);
  const start = await box(page, 'objet0');
  const scene = await sceneX();
  await mouseDrag(page, 'objet0', 40, 60);
  await page.setViewportSize({ width: 1400, height: 1200 });
  const sceneAfter = await sceneX();
  assert.ok(sceneAfter > scene + 100, 'the layout moved');
  const end = await box(page, 'objet0');
  assert.equal(end.x - sceneAfter, start.x - scene + 40);
  assert.equal(end.y - start.y, 60);
  await context.close();
});

test('the help button opens its document in a popup', async () => {
  const { context, page, errors } = await open(pages.help);
  const [popup] = await Promise.all([
    page.waitForEvent('popup'),
    page.click('input[name="FenetreTexte"]'),
  ]);
  await popup.waitForLoadState('load');
  assert.match(decodeURIComponent(popup.url()), /\/Fiche d'aide\.htm$/);
  assert.equal(await popup.textContent('#aide'), "Voici l'aide");
  assert.deepEqual(errors, []);
  await context.close();
});

test('a page without objects loads without a script error', async () => {
  const { context, page, errors } = await open(pages.empty);
  assert.equal(await page.evaluate(() => typeof SET_DHTML), 'function');
  assert.equal(await page.evaluate(() => document.querySelectorAll('img[name]').length), 0);
  assert.deepEqual(errors, []);
  await context.close();
});

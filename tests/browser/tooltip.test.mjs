// Tooltip pages as a pupil meets them: pages made by `toravi generate` from test
// projects, opened from file:// in Chromium, explored with the mouse and fingers.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync, readFileSync, existsSync } from 'node:fs';
import { launchBrowser, scratchFolder, writeProject, generate, fileUrl, pngBytes, mkdirSync, join } from './helpers.mjs';

const HEADER = [
  '<Généré par Toravi 2>',
  '<Module Interact>',
  '<Ne pas modifier ce fichier à la main.>',
  '<Cela pourrait avoir des conséquences inattendues sur votre projet>',
];
const LOOK = ['FFE2B2', '14', '800000', 'D9EBD1', '', '', '', 'center', '4', 'FFFF00', '', '', ''];

// Points of the main page (picture 400 x 300). Distances between them are large
// enough that each test meets only the points it is about.
const TRICKY = 'Il a dit "oui" \\ </script> fin';
const POINTS = [
  [100, 100, 'Alpha'], // 0: equal distance with 1
  [120, 100, 'Bravo é Ω'], // 1
  [200, 200, 'Charlie'], // 2: the 15 / 16 limit
  [300, 60, ''], // 3: an empty name, nearest to the mouse
  [300, 72, 'Delta'], // 4
  [370, 120, 'abcdefghij'], // 5: near the right edge
  [150, 270, 'Bas'], // 6: near the bottom edge
  [60, 160, 'court<br>une ligne bien plus longue'], // 7
  [60, 230, 'une ligne bien plus longue'], // 8
  [250, 130, TRICKY], // 9
  [8, 150, 'Bord gauche'], // 10
  [397, 200, 'Bord droit'], // 11
  [50, 3, 'Haut'], // 12
  [50, 297, 'Fond'], // 13
  [330, 250, 'Un, deux'], // 14: a comma survives the project file
];

let browser;
let folder;
let pageUrl;

function projectLines(work, picture, points, extra = {}) {
  const list = (k) => points.map((p) => String(p[k]).replaceAll(',', '&#44;') + ',').join('');
  return [
    ...HEADER,
    picture, '', work, 'exercice.htm', extra.titre ?? 'Test', '', 'Exercice', 'photo.png', '400', '300', '',
    list(0), list(1), list(2),
    ...LOOK,
  ];
}

before(async () => {
  folder = scratchFolder('toravi-tooltip-');
  const src = join(folder, 'sources');
  const work = join(folder, 'travail');
  mkdirSync(src);
  mkdirSync(work);
  const picture = join(src, 'photo.png');
  writeFileSync(picture, pngBytes(400, 300));
  const project = join(folder, 'projet.txt');
  writeProject(project, projectLines(work, picture, POINTS));
  const out = generate(project);
  const page = join(work, 'exercice.htm');
  assert.equal(out.trim(), `La page Web ${page} a été créée.`);
  pageUrl = fileUrl(page);
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
});

// A fresh page; the script's first look at the mouse comes 500 ms after loading.
async function openPage(contextOptions = {}) {
  const context = await browser.newContext(contextOptions);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(pageUrl);
  await countPolls(page);
  await settle(page);
  return { page, context, errors };
}

// Counts the runs of the page's watch, so that the tests wait for the page
// itself rather than for a guessed time (machines under load are slow).
async function countPolls(page) {
  await page.evaluate(() => {
    const watch = window.periodique;
    window.polls = 0;
    window.periodique = function () {
      window.polls++;
      return watch();
    };
  });
}

// Returns once the watch has looked at the mouse where it is now.
async function settle(page) {
  const seen = await page.evaluate(() => window.polls);
  await page.waitForFunction((n) => window.polls >= n + 2, seen, { timeout: 10000 });
}

async function moveTo(page, x, y) {
  await page.mouse.move(x, y);
  await settle(page);
}

async function shown(page) {
  return page.evaluate(() => {
    const box = document.getElementById('nomobjet');
    const dot = document.getElementById('pointrouge');
    const dotImg = dot.querySelector('img');
    const b = box.getBoundingClientRect();
    const d = dotImg.getBoundingClientRect();
    return {
      visible: getComputedStyle(box).visibility === 'visible' && getComputedStyle(dot).visibility === 'visible',
      text: box.textContent,
      breaks: box.querySelectorAll('br').length,
      box: { left: b.left, top: b.top, width: b.width, height: b.height },
      dot: { left: d.left, top: d.top, width: d.width, height: d.height },
    };
  });
}

const NBSP = '\u00a0';

test('a named point within 15 pixels shows the red dot and its tooltip; 16 does not', async () => {
  const { page, context, errors } = await openPage();
  try {
    assert.equal((await shown(page)).visible, false, 'nothing shows before the mouse comes');
    await moveTo(page, 215, 200);
    let s = await shown(page);
    assert.equal(s.visible, true);
    assert.equal(s.text, NBSP + 'Charlie');
    // The 16 x 16 dot's left edge at x - 3 and top at y - 7.
    assert.deepEqual(s.dot, { left: 197, top: 193, width: 16, height: 16 });
    // Below the point, pulled left by the name's length.
    assert.ok(Math.abs(s.box.left - (200 - (7 * 14) / 3.8 + 4)) < 0.01, `box left ${s.box.left}`);
    assert.equal(s.box.top, 214);

    await moveTo(page, 216, 200);
    assert.equal((await shown(page)).visible, false, 'distance 16 hides it');
    await moveTo(page, 208, 207);
    assert.equal((await shown(page)).visible, true, 'distance 15 diagonally');
    await moveTo(page, 208, 208);
    assert.equal((await shown(page)).visible, false, 'distance 16 diagonally');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('equal distances pick the lower index; an empty name never shows', async () => {
  const { page, context, errors } = await openPage();
  try {
    await moveTo(page, 110, 100);
    assert.equal((await shown(page)).text, NBSP + 'Alpha');
    await moveTo(page, 120, 100);
    assert.equal((await shown(page)).text, NBSP + 'Bravo é Ω', 'accents and other scripts show as typed');

    await moveTo(page, 300, 73);
    assert.equal((await shown(page)).text, NBSP + 'Delta');
    // The unnamed point is nearest: Delta, 12 away, hides all the same.
    await moveTo(page, 300, 60);
    assert.equal((await shown(page)).visible, false);
    await moveTo(page, 300, 61);
    assert.equal((await shown(page)).visible, false);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('the edges of the picture rectangle count as outside', async () => {
  const { page, context, errors } = await openPage();
  try {
    for (const [x, y] of [[4, 150], [400, 200], [50, 0], [50, 300]]) {
      await moveTo(page, x, y);
      assert.equal((await shown(page)).visible, false, `on the edge at ${x},${y}`);
    }
    await moveTo(page, 5, 150);
    assert.equal((await shown(page)).text, NBSP + 'Bord gauche');
    await moveTo(page, 399, 200);
    assert.equal((await shown(page)).text, NBSP + 'Bord droit');
    await moveTo(page, 50, 1);
    assert.equal((await shown(page)).text, NBSP + 'Haut');
    await moveTo(page, 50, 299);
    assert.equal((await shown(page)).text, NBSP + 'Fond');
    // On the edge nothing changes: the tooltip of Fond stays.
    await moveTo(page, 50, 300);
    assert.equal((await shown(page)).text, NBSP + 'Fond');
    assert.equal((await shown(page)).visible, true);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('leaving the picture keeps the tooltip until the mouse is back inside, away from every point', async () => {
  const { page, context, errors } = await openPage();
  try {
    await moveTo(page, 100, 104);
    assert.equal((await shown(page)).text, NBSP + 'Alpha');
    await moveTo(page, 700, 100);
    let s = await shown(page);
    assert.equal(s.visible, true);
    assert.equal(s.text, NBSP + 'Alpha');
    await moveTo(page, 30, 250);
    assert.equal((await shown(page)).visible, false);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('"<br>" gives two lines and the box is as wide as the longer one', async () => {
  const { page, context, errors } = await openPage();
  try {
    await moveTo(page, 60, 230);
    const one = await shown(page);
    assert.equal(one.breaks, 0);
    await moveTo(page, 60, 160);
    const two = await shown(page);
    assert.equal(two.breaks, 1);
    assert.equal(two.text, NBSP + 'courtune ligne bien plus longue');
    assert.ok(Math.abs(two.box.height - 2 * one.box.height) <= 1, `heights ${one.box.height} ${two.box.height}`);
    // The first line's non-breaking space is the only width the one-line box has more.
    assert.ok(Math.abs(two.box.width - one.box.width) <= 6, `widths ${one.box.width} ${two.box.width}`);
    // Placement counts the longer line (26 characters), not the markup.
    assert.ok(Math.abs(two.box.left - (60 - (26 * 14) / 3.8 + 4)) < 0.01, `box left ${two.box.left}`);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('boxes near the right edge are pulled left, near the bottom they go above the point', async () => {
  const { page, context, errors } = await openPage();
  try {
    await moveTo(page, 370, 120);
    let s = await shown(page);
    assert.equal(s.text, NBSP + 'abcdefghij');
    assert.equal(s.box.left, 400 - 80 + 4);
    assert.equal(s.box.top, 134);

    await moveTo(page, 150, 270);
    s = await shown(page);
    assert.equal(s.text, NBSP + 'Bas');
    assert.equal(s.box.top, 270 - 28);
    assert.ok(Math.abs(s.box.left - (150 - (3 * 14) / 3.8 + 4)) < 0.01);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('quotes, a backslash, "</script>" and a comma show exactly as typed', async () => {
  const { page, context, errors } = await openPage();
  try {
    await moveTo(page, 250, 130);
    assert.equal((await shown(page)).text, NBSP + TRICKY);
    await moveTo(page, 330, 250);
    assert.equal((await shown(page)).text, NBSP + 'Un, deux');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('on a touch screen, tapping near a point shows its tooltip', async () => {
  const { page, context, errors } = await openPage({ hasTouch: true, isMobile: false });
  try {
    await page.touchscreen.tap(205, 195);
    await settle(page);
    let s = await shown(page);
    assert.equal(s.visible, true);
    assert.equal(s.text, NBSP + 'Charlie');
    await page.touchscreen.tap(110, 100);
    await settle(page);
    assert.equal((await shown(page)).text, NBSP + 'Alpha');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('a finger sliding over the picture shows the tooltips it passes', async () => {
  const { page, context, errors } = await openPage({ hasTouch: true });
  try {
    // Sliding sends no mouse events: the page follows the finger itself.
    const cdp = await context.newCDPSession(page);
    const touch = (type, x, y) =>
      cdp.send('Input.dispatchTouchEvent', { type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }] });
    await touch('touchStart', 30, 250);
    // The last move of a slide may wait for the next frame: the finger rests near Charlie.
    for (const x of [40, 80, 120, 160, 196, 198, 200, 201]) await touch('touchMove', x, 200);
    await settle(page);
    const s = await shown(page);
    assert.equal(s.visible, true);
    assert.equal(s.text, NBSP + 'Charlie');
    await touch('touchEnd');
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

test('a project without points gives a quiet page, and the title shows', async () => {
  const work = join(folder, 'vide');
  mkdirSync(work);
  const project = join(folder, 'vide.txt');
  writeProject(project, projectLines(work, join(folder, 'sources', 'photo.png'), [], { titre: 'Sans points' }));
  generate(project);
  assert.ok(existsSync(join(work, 'img', 'photo.png')));
  assert.ok(existsSync(join(work, 'img', 'ptrouge.gif')));
  assert.ok(readFileSync(join(work, 'exercice.htm'), 'latin1').includes('var noms= new Array ("");'));

  const context = await browser.newContext();
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  try {
    await page.goto(fileUrl(join(work, 'exercice.htm')));
    await countPolls(page);
    await settle(page);
    assert.equal(await page.title(), 'Sans points');
    assert.equal(await page.locator('#Titel font').textContent(), 'Exercice');
    for (const [x, y] of [[4 + 1, 1], [50, 50], [399, 299]]) await moveTo(page, x, y);
    assert.equal((await shown(page)).visible, false);
    assert.equal(await page.evaluate(() => document.querySelector('#objetref img').naturalWidth), 400);
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
  }
});

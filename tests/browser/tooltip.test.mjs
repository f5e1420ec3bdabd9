// Tooltip pages as a pupil meets them: pages made by `toravi generate` from test
// projects, explored with the mouse, fingers and the keyboard.
import { test, before } from 'node:test';
import assert from 'node:assert/strict';
import { TOUCH, visit, scratchFolder, tooltipExercise, examplePage, axe, ring } from './helpers.mjs';

const NBSP = '\u00a0';
const TRICKY = 'Il a dit "oui" \\ </script> fin';
const LONG = 'une ligne bien plus longue';
// Points of the main page (picture 400 x 300), far enough apart that each check meets only its own.
const POINTS = [[100, 100, 'Alpha'], [120, 100, 'Bravo é Ω'], [200, 200, 'Charlie'], [300, 60, ''], [300, 72, 'Delta'],
  [370, 120, 'abcdefghij'], [150, 270, 'Bas'], [160, 160, `court<br>${LONG}`], [160, 230, LONG], [250, 130, TRICKY],
  [8, 150, 'Bord gauche'], [397, 200, 'Bord droit'], [50, 3, 'Haut'], [50, 297, 'Fond'], [330, 250, 'Un, deux'],
  [30, 40, 'Le moulin à vent']];

let folder;
const pages = {};

// Pages of the designed size, whose pixels are the picture's; fit.test.mjs plays the fitted ones.
const exercise = (name, picture, size, points, title, shown) => tooltipExercise(folder, name, picture, size, points, { title, shown, fit: false });

before(() => {
  folder = scratchFolder('toravi-tooltip-', ['photo.png', 'portrait-exif6.jpg']);
  pages.main = exercise('main', 'photo.png', [400, 300], POINTS);
  pages.empty = exercise('vide', 'photo.png', [400, 300], [], 'Sans points');
  // A phone photo stored 160 x 120 and tagged to be shown turned: upright 120 x 160.
  pages.portrait = exercise('portrait', 'portrait-exif6.jpg', [120, 160], [[60, 140, 'Pieds']]);
  pages.untitled = exercise('sans-titre', 'photo.png', [400, 300], [[60, 140, 'Pieds']], '', '');
  pages.example = examplePage(folder, 'info-bulles/ile.txt', 'ile.htm');
});

// Opens a page whose watch is counted, so that checks wait for the page itself
// rather than for a guessed time; its first look at the mouse comes after 500 ms.
function explore(url, options, body) {
  return visit(url, options, async (page) => {
    await page.eval(() => ((watch) => { window.polls = 0; window.periodique = () => (window.polls++, watch()); })(window.periodique));
    page.settle = async () => page.until((n) => window.polls > n, await page.eval(() => window.polls));
    page.hover = async (x, y) => (await page.move(x, y), page.settle());
    page.shown = () => page.eval(() => {
      const box = document.getElementById('nomobjet');
      const rect = (e) => (({ left, top, width, height }) => ({ left, top, width, height }))(e.getBoundingClientRect());
      const visible = ['nomobjet', 'pointrouge'].every((id) => getComputedStyle(document.getElementById(id)).visibility === 'visible');
      return { visible, text: visible ? box.textContent : null, breaks: box.querySelectorAll('br').length,
        box: rect(box), dot: rect(document.querySelector('#pointrouge img')) };
    });
    await page.settle();
    await body(page);
  });
}

// The mouse walks the picture; each step starts from the last one. A name means its tooltip shows.
const WALK = [
  [215, 200, 'Charlie'], [216, 200, null], // 15 away shows, 16 does not
  [208, 207, 'Charlie'], [208, 208, null], // diagonally too
  [110, 100, 'Alpha'], [120, 100, 'Bravo é Ω'], // equal distances pick the lower index; any script shows as typed
  [300, 73, 'Delta'], [300, 60, null], [300, 61, null], // an unnamed point nearest hides even Delta 12 away
  [4, 150, null], [400, 200, null], [50, 0, null], [50, 300, null], // the picture's edges count as outside
  [5, 150, 'Bord gauche'], [399, 200, 'Bord droit'], [50, 1, 'Haut'], [50, 299, 'Fond'],
  [50, 300, 'Fond'], // on the edge nothing changes
  [250, 130, TRICKY], [330, 250, 'Un, deux'], // quotes, a backslash, "</script>" and a comma as typed
  [100, 104, 'Alpha'], [410, 100, 'Alpha'], [30, 250, null], // leaving keeps it until back inside, away from points
];

test('the tooltip of the nearest named point within 15 pixels shows', async () => {
  await explore(pages.main, {}, async (page) => {
    assert.equal((await page.shown()).visible, false, 'nothing before the mouse comes');
    for (const [x, y, name] of WALK) {
      await page.hover(x, y);
      assert.equal((await page.shown()).text, name && NBSP + name, `at ${x},${y}`);
    }
  });
});

// Mouse on a point: the box's left and top edges.
const left = (x, chars) => x - (chars * 14) / 3.8 + 4;
const PLACES = [
  [200, 200, 'Charlie', left(200, 7), 214], // below, pulled left by the name's length
  [370, 120, 'abcdefghij', 400 - 80 + 4, 134], // near the right edge
  [150, 270, 'Bas', left(150, 3), 242], // near the bottom edge: above the point
  [160, 160, 'court' + LONG, left(160, 26), 174], // the longer line counts, not the markup
  [30, 40, 'Le moulin à vent', 4, 54], // never left of the picture
];

test('the red dot sits on the point and the box beside it, inside the picture', async () => {
  await explore(pages.main, {}, async (page) => {
    await page.hover(200, 200);
    assert.deepEqual((await page.shown()).dot, { left: 197, top: 193, width: 16, height: 16 });
    for (const [x, y, name, boxLeft, boxTop] of PLACES) {
      await page.hover(x, y);
      const { text, box } = await page.shown();
      assert.equal(text, NBSP + name);
      assert.ok(Math.abs(box.left - boxLeft) < 0.02 && box.top === boxTop, `${name}: ${box.left},${box.top}`);
    }
    // "<br>" gives two lines; the box is as wide as the longer one.
    await page.hover(160, 160);
    const two = await page.shown();
    await page.hover(160, 230);
    const one = await page.shown();
    assert.deepEqual([one.breaks, two.breaks], [0, 1]);
    assert.ok(Math.abs(two.box.height - 2 * one.box.height) <= 1, `heights ${one.box.height} ${two.box.height}`);
    assert.ok(Math.abs(two.box.width - one.box.width) <= 6, `widths ${one.box.width} ${two.box.width}`);
  });
});

test('on a touch screen, tapping or sliding a finger near a point shows its tooltip', { skip: !TOUCH }, async () => {
  await explore(pages.main, { touch: true }, async (page) => {
    // Sliding sends no mouse events: the page follows the finger itself. The finger rests near Charlie.
    const slide = () => page.slide([[30, 250], ...[40, 80, 120, 160, 196, 198, 200, 201].map((x) => [x, 200])]);
    for (const [finger, name] of [[() => page.tap(205, 195), 'Charlie'], [() => page.tap(110, 100), 'Alpha'], [slide, 'Charlie']]) {
      await finger();
      await page.settle();
      assert.equal((await page.shown()).text, NBSP + name);
    }
  });
});

test('a project without points gives a quiet page, and the title shows', async () => {
  await explore(pages.empty, {}, async (page) => {
    for (const [x, y] of [[5, 1], [50, 50], [399, 299]]) await page.hover(x, y);
    assert.equal((await page.shown()).visible, false);
    assert.deepEqual(await page.eval(() => [document.title, document.querySelector('#Titel font').textContent,
      document.querySelector('#objetref img').naturalWidth, document.querySelector('img[src="img/ptrouge.gif"]').naturalWidth]),
    ['Sans points', 'Exercice', 400, 16]);
  });
});

test('a phone photo taken upright shows upright, with tooltips down to its foot', async () => {
  await explore(pages.portrait, {}, async (page) => {
    const img = () => page.eval(() => (({ width, height }) => [width, height])(document.querySelector('#objetref img')));
    await page.until(() => document.querySelector('#objetref img').complete);
    assert.deepEqual(await img(), [120, 160]);
    await page.hover(60, 141);
    assert.equal((await page.shown()).text, NBSP + 'Pieds');
  });
});

test('axe-core finds nothing to fix on tooltip pages, with a balloon shown or not', async () => {
  for (const name of ['example', 'main', 'empty', 'untitled']) {
    await explore(pages[name], {}, async (page) => {
      assert.deepEqual(await axe(page), [], name);
      if (name === 'main') await page.key('Tab'), assert.deepEqual(await axe(page), [], 'balloon shown');
    });
  }
});

test('a keyboard pupil hears every named point in order and sees it as the pointer shows it; Escape hides it', async () => {
  await explore(pages.main, {}, async (page) => {
    const named = POINTS.filter((p) => p[2]);
    assert.equal(await page.eval(() => document.querySelector('#objetref img').alt), `Image de l'exercice : ${named.length} points à découvrir`);
    for (const [i, [x, y, text]] of named.entries()) {
      await page.key('Tab');
      await page.settle(); // the pointer resting on the picture does not take the balloon away
      const focused = await page.shown();
      assert.deepEqual([await page.eval(() => document.activeElement.getAttribute('aria-label')), focused.text, await ring(page) >= 2],
        [text.replace('<br>', ', '), NBSP + text.replace('<br>', ''), true]);
      await page.key('Escape');
      if (!i) await page.settle(); // nor does it bring it back
      assert.equal((await page.shown()).visible, false, `${text} dismissed`);
      await page.hover(x, y);
      assert.deepEqual(await page.shown(), focused, text);
    }
  });
});

test('at 200 % zoom the keyboard brings every point of the example and its balloon into view', async () => {
  // A 1280 x 720 screen at 200 %.
  await explore(pages.example, { width: 640, height: 360 }, async (page) => {
    for (let i = 0; i < 6; i++) {
      await page.key('Tab');
      const seen = await page.eval(() => [document.activeElement, document.getElementById('nomobjet')].map((e) => {
        const r = e.getBoundingClientRect();
        return r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
      }));
      assert.deepEqual([(await page.shown()).visible, ...seen], [true, true, true], `point ${i}`);
    }
  });
});

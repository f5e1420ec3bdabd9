// Screenshots of the example pages in Chromium for the README:
// `node tools/readme_pages.mjs build/bin/toravi docs/images`.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const { chromium } = await import(new URL('../tests/browser/node_modules/playwright-core/index.mjs', import.meta.url));
const [toravi, out] = process.argv.slice(2);
const examples = join(toravi, '..', 'exemples');
const work = mkdtempSync(join(tmpdir(), 'toravi-readme-'));
const fileUrl = (path) => pathToFileURL(path).href;
execFileSync(toravi, ['generate', '--folder', join(work, 'ile'), join(examples, 'info-bulles', 'ile.txt')]);
execFileSync(toravi, ['generate', '--folder', join(work, 'bureau'), join(examples, 'glisser-deposer', 'bureau.txt')]);

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
const page = await browser.newPage({ viewport: { width: 680, height: 620 } });
await page.goto(fileUrl(join(work, 'ile', 'ile.htm')));
// The page fits the window: the point (157, 304) of the picture, scaled.
await page.waitForFunction(() => document.querySelector('main')?.style.transform);
const at = await page.evaluate(() => ((m, r) => [r.left + 157 * r.width / m.offsetWidth, r.top + 304 * r.width / m.offsetWidth])(
  document.querySelector('main'), document.querySelector('main').getBoundingClientRect()));
await page.mouse.move(...at);
await page.waitForFunction(() => document.getElementById('nomobjet').style.visibility === 'visible');
await page.screenshot({ path: join(out, 'page-info-bulles.png') });

// Drags objects so that their top left corners land at (x, y) on the scene, in the scene's
// pixels: the page fits the window.
async function put(moves) {
  await page.waitForFunction(() => document.readyState === 'complete' && ordre.fittedHeight === document.querySelector('main').offsetHeight);
  for (const [name, x, y] of moves) {
    const box = await page.locator(`img[name="${name}"]`).boundingBox();
    const scene = await page.locator('img[src="img/bureau.png"]').boundingBox();
    const k = scene.width / 700;
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    await page.mouse.move(scene.x + x * k + box.width / 2, scene.y + y * k + box.height / 2, { steps: 8 });
    await page.mouse.up();
  }
}

// The class's whiteboard: the desk half tidied, the lamp on its way.
await page.setViewportSize({ width: 1920, height: 1080 });
await page.goto(fileUrl(join(work, 'verifier', 'bureau.htm')));
await put([['objet0', 76, 60], ['objet1', 165, 55], ['objet2', 249, 59], ['objet5', 560, 330]]);
{
  const lamp = await page.locator('img[name="objet3"]').boundingBox();
  await page.mouse.move(lamp.x + lamp.width / 2, lamp.y + lamp.height / 2);
  await page.mouse.down();
  await page.mouse.move(lamp.x + 260, lamp.y + 420, { steps: 8 });
  await page.screenshot({ path: join(out, 'tableau-interactif.png') });
  await page.mouse.up();
}

await page.setViewportSize({ width: 760, height: 820 });
await page.goto(fileUrl(join(work, 'bureau', 'bureau.htm')));
// Two objects already put back, one on its way.
await put([['objet0', 78, 58], ['objet5', 556, 326], ['objet1', 300, 300]]);
await page.screenshot({ path: join(out, 'page-glisser-deplacer.png') });

// Five objects on their places, the cup and the pencils swapped, then "Vérifier".
await page.setViewportSize({ width: 760, height: 900 });
await page.goto(fileUrl(join(work, 'bureau', 'bureau.htm')));
await put([['objet0', 76, 60], ['objet1', 165, 55], ['objet2', 249, 59], ['objet3', 128, 196], ['objet4', 357, 197],
  ['objet5', 560, 330], ['objet6', 255, 205]]);
await page.click('#boutonVerifier');
await page.screenshot({ path: join(out, 'page-verifier.png') });
await browser.close();
rmSync(work, { recursive: true, force: true });

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
await page.mouse.move(4 + 157, 4 + 300);
await page.waitForFunction(() => document.getElementById('nomobjet').style.visibility === 'visible');
await page.screenshot({ path: join(out, 'page-info-bulles.png') });

// Drags objects so that their top left corners land at (x, y) on the scene.
async function put(moves) {
  for (const [name, x, y] of moves) {
    const box = await page.locator(`img[name="${name}"]`).boundingBox();
    const scene = await page.locator('img[src="img/bureau.png"]').boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.down();
    await page.mouse.move(scene.x + x + box.width / 2, scene.y + y + box.height / 2, { steps: 8 });
    await page.mouse.up();
  }
}

await page.setViewportSize({ width: 760, height: 820 });
await page.goto(fileUrl(join(work, 'bureau', 'bureau.htm')));
// Two objects already put back, one on its way.
await put([['objet0', 78, 58], ['objet5', 556, 326], ['objet1', 300, 300]]);
await page.screenshot({ path: join(out, 'page-glisser-deplacer.png'), clip: { x: 0, y: 0, width: 760, height: 740 } });

// Five objects on their places, the cup and the pencils swapped, then "Vérifier".
await page.setViewportSize({ width: 760, height: 900 });
await page.goto(fileUrl(join(work, 'bureau', 'bureau.htm')));
await put([['objet0', 76, 60], ['objet1', 165, 55], ['objet2', 249, 59], ['objet3', 128, 196], ['objet4', 357, 197],
  ['objet5', 560, 330], ['objet6', 255, 205]]);
await page.click('#boutonVerifier');
await page.screenshot({ path: join(out, 'page-verifier.png'), clip: { x: 0, y: 140, width: 760, height: 720 } });
await browser.close();
rmSync(work, { recursive: true, force: true });

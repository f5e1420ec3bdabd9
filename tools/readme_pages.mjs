// Screenshots of the example pages in Chromium for the README:
// `node tools/readme_pages.mjs build/bin/toravi docs/images`.
import { launchBrowser, scratchFolder, fileUrl, join } from '../tests/browser/helpers.mjs';
import { execFileSync } from 'node:child_process';

const [toravi, out] = process.argv.slice(2);
const examples = join(toravi, '..', 'exemples');
const work = scratchFolder('toravi-readme-');
execFileSync(toravi, ['generate', '--folder', join(work, 'ile'), join(examples, 'info-bulles', 'ile.txt')]);
execFileSync(toravi, ['generate', '--folder', join(work, 'bureau'), join(examples, 'glisser-deposer', 'bureau.txt')]);

const browser = await launchBrowser();
const page = await browser.newPage({ viewport: { width: 680, height: 620 } });
await page.goto(fileUrl(join(work, 'ile', 'ile.htm')));
await page.mouse.move(4 + 157, 4 + 300);
await page.waitForFunction(() => document.getElementById('nomobjet').style.visibility === 'visible');
await page.screenshot({ path: join(out, 'page-info-bulles.png') });

await page.setViewportSize({ width: 760, height: 820 });
await page.goto(fileUrl(join(work, 'bureau', 'bureau.htm')));
// Two objects already put back, one on its way.
for (const [name, dx, dy] of [['objet0', 0, 0], ['objet5', 0, 0], ['objet1', 0, 0]]) {
  const box = await page.locator(`img[name="${name}"]`).boundingBox();
  const scene = await page.locator('img[src="img/bureau.png"]').boundingBox();
  const target = { objet0: [78, 58], objet5: [556, 326], objet1: [300, 300] }[name];
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(scene.x + target[0] + 36 + dx, scene.y + target[1] + 36 + dy, { steps: 8 });
  await page.mouse.up();
}
await page.screenshot({ path: join(out, 'page-glisser-deplacer.png'), clip: { x: 0, y: 0, width: 760, height: 740 } });
await browser.close();

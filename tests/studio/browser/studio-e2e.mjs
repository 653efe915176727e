// The studio end to end in Debian's headless Chromium: a folder of pictures becomes a show, two items change
// places by drag and drop, one gets a title with accents, an effect is previewed and chosen, the whole show
// plays, and the Windows screen saver is built; scrpack and the renderer then read that file back.
// Usage: node studio-e2e.mjs SCRPACK SCREENSAVER WORKDIR ARTEFACTS
import { chromium } from 'playwright-core';
import { spawn, execFileSync } from 'node:child_process';
import { mkdirSync, rmSync, existsSync, readdirSync, mkdtempSync } from 'node:fs';
import { join } from 'node:path';
import { tmpdir } from 'node:os';

const [scrpack, screensaver, work, artefacts] = process.argv.slice(2);
let failures = 0;
let passes = 0;
const check = (ok, what) => {
  if (ok) passes += 1;
  else failures += 1;
  console.log(`${ok ? 'ok' : 'FAIL'}: ${what}`);
};

rmSync(work, { recursive: true, force: true });
const folder = join(work, 'My Holiday');
mkdirSync(folder, { recursive: true });
mkdirSync(artefacts, { recursive: true });
// Three photos of different kinds: the order by name is a, b, c.
execFileSync('convert', ['-size', '640x480', 'gradient:#203060-#80c0ff', join(folder, 'a_sky.jpg')]);
execFileSync('convert', ['-size', '480x640', 'plasma:red-yellow', join(folder, 'b_fire.png')]);
execFileSync('convert', ['-size', '800x450', 'pattern:checkerboard', join(folder, 'c_board.jpg')]);

const env = { ...process.env, XDG_CACHE_HOME: join(work, 'cache') };
const server = spawn(scrpack, ['studio', folder, '--no-browser'], { env, stdio: ['ignore', 'pipe', 'inherit'] });
const address = await new Promise((resolve, reject) => {
  let text = '';
  server.stdout.on('data', (chunk) => {
    text += chunk;
    const found = text.match(/http:\/\/127\.0\.0\.1:\d+\/\?token=[0-9a-f]+/);
    if (found) resolve(found[0]);
  });
  server.on('exit', (code) => reject(new Error(`scrpack studio ended with ${code}: ${text}`)));
  setTimeout(() => reject(new Error('no address printed')), 15000);
});

const profile = mkdtempSync(join(tmpdir(), 'qm-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: process.env.QM_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--autoplay-policy=no-user-gesture-required'],
  viewport: { width: 1600, height: 1000 },
});
const page = context.pages()[0] || await context.newPage();
const shot = (name) => page.screenshot({ path: join(artefacts, `${name}.png`) });
const state = () => page.evaluate(() => fetch('/api/state').then((r) => r.json()));

try {
  const opened = Date.now();
  await page.goto(address);
  await page.waitForSelector('body[data-ready="1"]', { timeout: 10000 });
  check(Date.now() - opened < 5000, `the page is usable (${Date.now() - opened} ms)`);
  check(!page.url().includes('token='), 'the token left the address bar for a cookie');
  await page.waitForFunction(() => [...document.querySelectorAll('#items img')].every((img) => img.complete
    && img.naturalWidth > 0), null, { timeout: 20000 });
  check(await page.locator('#items .item').count() === 3, 'the show has an item for every picture');
  await shot('1-opened');

  // Reorder: the first item dropped on the second.
  await page.locator('.item[data-index="0"]').dragTo(page.locator('.item[data-index="1"]'));
  await page.waitForFunction(() => document.querySelector('#status').textContent.startsWith('saved'));
  let show = await state();
  check(show.items.map((i) => i.name).join() === 'b_fire.png,a_sky.jpg,c_board.jpg', 'drag and drop reorders the items');

  // A title with accents, then one with a character the code page cannot hold.
  await page.locator('.item[data-index="0"]').click();
  await page.fill('#title-text', 'Été à Noël');
  await page.waitForFunction(() => document.querySelector('#items .item span').textContent.includes('Été à Noël'));
  await page.fill('#title-text', 'Été à Noël Ω');
  await page.waitForFunction(() => document.querySelector('#item-error').textContent.length > 0);
  const refusal = await page.textContent('#item-error');
  check(/code page 1252/.test(refusal) && /U\+03A9/.test(refusal), `a character outside the code page is refused: ${refusal}`);
  await shot('2-refused');
  await page.fill('#title-text', 'Été à Noël');
  await page.waitForFunction(() => document.querySelector('#item-error').textContent === '');
  show = await state();
  check(show.items[0].title.text === 'Été à Noël', 'the accented title is in the manifest');

  // Effects: the gallery plays on the show's own slides; one is previewed on the stage and chosen.
  await page.waitForFunction(() => document.querySelectorAll('.effect-tile').length === 163);
  await page.selectOption('#family', 'Fan');
  const clicked = Date.now();
  await page.locator('.effect-tile[data-effect="45"]').click();
  await page.waitForFunction(() => document.querySelector('#effect-name').textContent.startsWith('45: Fan wipe'),
    null, { timeout: 10000 });
  check(true, `the effect preview starts ${Date.now() - clicked} ms after the click`);
  await page.waitForTimeout(400);
  await shot('3-effect');
  await page.click('#use-effect');
  await page.waitForFunction(() => document.querySelector('#effect-summary').textContent === 'Fan wipe');
  show = await state();
  check(JSON.stringify(show.items[0].transition.effects) === '[45]', 'the chosen effect is in the manifest');

  // The whole show in the page.
  await page.click('nav [data-tab="preview"]');
  await page.selectOption('#preview-size', '640x360');
  const asked = Date.now();
  await page.click('#play-show');
  await page.waitForFunction(() => document.querySelector('#preview-video').currentTime > 0.2, null, { timeout: 20000 });
  check(true, `the show preview plays ${Date.now() - asked} ms after Play`);
  await page.waitForTimeout(1500);
  await shot('4-preview');

  // Build the Windows screen saver.
  await page.click('nav [data-tab="build"]');
  const windows = show.runtimes.windows;
  await page.click(`[data-build="${windows ? 'windows' : 'linux'}"]`);
  await page.waitForFunction(() => /^(done|failed)/.test(document.querySelector('#build-state').textContent),
    null, { timeout: 60000 });
  const built = await page.textContent('#build-state');
  check(built.startsWith('done'), `the build ends: ${built}`);
  await shot('5-built');
  const output = join(folder, windows ? 'My Holiday.scr' : 'My Holiday-linux.scr');
  check(windows, 'the Windows runtime is found beside scrpack');
  check(existsSync(output), `${output} exists`);

  // The built file read back: order, title and effect.
  const dump = JSON.parse(execFileSync(scrpack, ['dump', output, 'setting', '--json']).toString());
  const field = (record, name) => record.fields.find((f) => f.name === name);
  const names = dump.records.map((r) => field(r, 'filename').text);
  check(names.join() === 'b_fire.png,a_sky.jpg,c_board.jpg', `the .scr holds the new order: ${names}`);
  const title = Buffer.from(field(dump.records[0], 'title').hex, 'hex');
  check(title.equals(Buffer.from('c974e920e0204e6feb6c', 'hex')), 'the title is stored in Windows-1252');
  check(field(dump.records[0], 'effect').text === '45;', 'the effect is stored');
  const inspect = execFileSync(scrpack, ['inspect', output]).toString();
  check(/setting/.test(inspect) && /media/.test(inspect), 'scrpack inspect reads the .scr');
  const frames = join(work, 'frames');
  execFileSync(screensaver, ['render', output, '--out', frames, '--seconds', '4', '--fps', '5', '--size', '640x360']);
  check(readdirSync(frames).filter((f) => f.startsWith('frame-')).length === 20, 'the .scr renders');
  execFileSync('cp', [join(frames, 'contact-sheet.png'), join(artefacts, '6-render-contact-sheet.png')]);
} catch (error) {
  failures += 1;
  console.log(`FAIL: ${error.message}`);
  await shot('failure').catch(() => {});
} finally {
  await context.close();
  rmSync(profile, { recursive: true, force: true });
  server.kill('SIGTERM');
  await new Promise((resolve) => server.on('exit', resolve));
}
console.log(`studio browser: ${passes} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);

// Run by hand, not by the tests: how soon the studio is usable on a folder, how soon every thumbnail is
// there (the page's six connections asking for all of them), and how soon an effect preview and the whole
// show's preview start after the click. Each figure is printed in milliseconds.
// Usage: node timing.mjs SCRPACK FOLDER [CACHE]   (a fresh CACHE folder makes every thumbnail anew)
import { chromium } from 'playwright-core';
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { tmpdir } from 'node:os';

const [scrpack, folder, cacheGiven] = process.argv.slice(2);
const cache = cacheGiven || mkdtempSync(join(tmpdir(), 'qm-timing-cache-'));
const server = spawn(scrpack, ['studio', folder, '--no-browser'], {
  env: { ...process.env, XDG_CACHE_HOME: cache }, stdio: ['ignore', 'pipe', 'inherit'],
});
const started = Date.now();
const address = await new Promise((resolve) => {
  let text = '';
  server.stdout.on('data', (chunk) => {
    text += chunk;
    const found = text.match(/http:\/\/127\.0\.0\.1:\d+\/\?token=[0-9a-f]+/);
    if (found) resolve(found[0]);
  });
});
const profile = mkdtempSync(join(tmpdir(), 'qm-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium', headless: true, viewport: { width: 1600, height: 1000 },
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--autoplay-policy=no-user-gesture-required'],
});
const page = context.pages()[0];
const t0 = Date.now();
await page.goto(address);
await page.waitForSelector('body[data-ready="1"]');
console.log(`server printed its address after ${t0 - started} ms`);
console.log(`page complete after ${Date.now() - t0} ms; the show was on it ${await page.getAttribute('body',
  'data-ready-ms')} ms after the page was asked for`);
const thumbs = await page.evaluate(async () => {
  const files = (await (await fetch('/api/library')).json()).filter((f) => f.kind === 'picture');
  let next = 0;
  const worker = async () => {
    while (next < files.length) {
      const file = files[next++];
      await (await fetch(`/api/thumb?path=${encodeURIComponent(file.path)}&side=200`)).arrayBuffer();
    }
  };
  await Promise.all([...Array(6)].map(worker));
  return files.length;
});
console.log(`${thumbs} thumbnails after ${Date.now() - t0} ms`);
await page.locator('.item[data-index="1"]').click();
await page.waitForTimeout(2000); // the gallery's first strips for this item
let clicked = Date.now();
await page.locator('.effect-tile[data-effect="45"]').click();
await page.waitForFunction(() => document.querySelector('#effect-name').textContent.startsWith('45: Fan wipe'));
console.log(`effect preview started ${Date.now() - clicked} ms after the click`);
await page.click('nav [data-tab="preview"]');
clicked = Date.now();
await page.click('#play-show');
await page.waitForFunction(() => document.querySelector('#preview-video').currentTime > 0);
console.log(`show preview playing ${Date.now() - clicked} ms after Play`);
await context.close();
rmSync(profile, { recursive: true, force: true });
if (!cacheGiven) rmSync(cache, { recursive: true, force: true });
server.kill('SIGTERM');

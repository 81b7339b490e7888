// The browser page in headless Chromium: the launcher comes up, a setting is
// changed on it, Play starts a game that the keys fly, a high score is set,
// and after a reload the setting and the score are still there.
//
// usage: node browser_test.mjs PAGE_FOLDER OUTPUT_FOLDER
// Writes screenshots and figures.json (times, frame rates) to OUTPUT_FOLDER.
import fs from 'node:fs';
import path from 'node:path';
import { serve, openBrowser, consoleOf, watchGlObjects, liveGlObjects } from './page.mjs';
import { Picture } from './picture.mjs';

const [pageFolder, outFolder] = process.argv.slice(2);
if (!pageFolder || !outFolder) {
  console.error('usage: node browser_test.mjs PAGE_FOLDER OUTPUT_FOLDER');
  process.exit(2);
}
fs.mkdirSync(outFolder, { recursive: true });

const MAIN_BACKGROUND = 0x101018;  // the launcher's main window
const DIALOG_BACKGROUND = 0xe4e4e8;  // its dialogs
const STORE = '/home/web_user/.config/Kestrelworks';
const NAME = 'WEBTEST';
// Places on the main window, in its own pixels.
const SETTINGS_BUTTON = [350, 496], PLAY_BUTTON = [158, 496];
const CONTROLS_TAB = [315, 189], KEYBOARD_CHOICE = [38, 210];

const figures = {};
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures++;
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function shot(page, name) {
  const png = await page.screenshot();
  fs.writeFileSync(path.join(outFolder, name + '.png'), png);
  return new Picture(png);
}

// The canvas on the page: where it is and how much it is scaled.
async function canvasPlace(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const r = canvas.getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, scale: r.width / canvas.width };
  });
}

async function openLauncher(page, log, url) {
  const opened = Date.now();
  await page.goto(url);
  await log.waitFor(/launcher window up/, 120);
  return Date.now() - opened;
}

// Clicks a point of the main window, found by its background colour.
async function clickMain(page, [x, y]) {
  const main = (await shot(page, 'scratch')).boxOf(MAIN_BACKGROUND);
  if (!main) throw new Error('the launcher\'s main window is not on the page');
  const { scale } = await canvasPlace(page);
  await page.mouse.click(main.left + x * scale, main.top + y * scale);
  await sleep(400);
}

async function closeQuickStart(page) {
  const dialog = (await shot(page, 'scratch')).boxOf(DIALOG_BACKGROUND);
  if (!dialog) return;
  const { scale } = await canvasPlace(page);
  await page.mouse.click((dialog.left + dialog.right) / 2, dialog.bottom - 22 * scale);
  await sleep(400);
}

async function play(page, log) {
  const mark = log.mark();
  const pressed = Date.now();
  await clickMain(page, PLAY_BUTTON);
  await log.waitFor(/first game frame shown/, 60, mark);
  figures.playToFirstFrameMs = Date.now() - pressed;
  await sleep(1500);
}

// Animation frames per second over `seconds`: the program draws one frame
// in each.
async function framesPerSecond(page, seconds) {
  return page.evaluate((ms) => new Promise((resolve) => {
    let frames = 0;
    const start = performance.now();
    const tick = () => {
      frames++;
      if (performance.now() - start < ms) requestAnimationFrame(tick);
      else resolve(frames * 1000 / (performance.now() - start));
    };
    requestAnimationFrame(tick);
  }), seconds * 1000);
}

async function storedFiles(page) {
  return page.evaluate((folder) => {
    const files = {};
    try {
      for (const name of FS.readdir(folder))
        if (name.endsWith('.ini')) files[name] = FS.readFile(folder + '/' + name, { encoding: 'utf8' });
    } catch (error) {
      files.error = String(error);
    }
    return files;
  }, STORE);
}

// The points stored beside `name` in any saved high score table (0: none).
function storedScoreOf(files, name) {
  let best = 0;
  for (const text of Object.values(files))
    for (const [, row] of text.matchAll(new RegExp(`^name_(\\d+)="${name}"$`, 'gm'))) {
      const score = text.match(new RegExp(`^score_${row}=(\\d+)$`, 'm'));
      if (score) best = Math.max(best, Number(score[1]));
    }
  return best;
}

// Waits until every save has been written back to the browser's storage.
async function waitForStorage(page) {
  await page.waitForFunction(() => Module.rockpileStoredCount > 0, { timeout: 20000 });
  let last = -1;
  for (;;) {
    const count = await page.evaluate(() => Module.rockpileStoredCount);
    if (count === last) return;
    last = count;
    await sleep(700);
  }
}

const isWhite = (r, g, b) => r > 200 && g > 200 && b > 200;
// The ship is white, in a cyan shield while it starts.
const isShip = (r, g, b) => g > 170 && b > 170;

// The ship starts in the middle of the field: a box there holds its colour.
async function shipAtCentre(page, name) {
  const picture = await shot(page, name);
  const c = await canvasPlace(page);
  const x = Math.round(c.left + c.width / 2), y = Math.round(c.top + c.height / 2), h = Math.round(30 * c.scale);
  return picture.share({ left: x - h, top: y - h, right: x + h, bottom: y + h }, isShip);
}

// Thrust takes the ship out of the middle. A rock drifting through the
// middle meanwhile can hide that: the middle is looked at again a little
// later, up to three times; a ship the keys do not move stays there in all.
async function thrustLeavesCentre(page, name) {
  const before = await shipAtCentre(page, name + '-start');
  await hold(page, 'ArrowUp', 1200);
  let after = 1;
  for (let look = 0; look < 3 && after >= before / 2; look++) {
    if (look) await sleep(700);
    after = await shipAtCentre(page, name + '-thrust');
  }
  return { before, after, ok: before > 0.02 && after < before / 2 };
}

async function hold(page, key, ms) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

const server = await serve(path.resolve(pageFolder));
const { browser, close } = await openBrowser(1280, 800);
const url = server.url + 'rockpile.html?arg=--timings&arg=--demo-after&arg=0';
try {
  const page = await browser.newPage();
  const log = consoleOf(page);
  await watchGlObjects(page);

  figures.pageToLauncherMs = await openLauncher(page, log, url);
  const launcher = await shot(page, 'launcher');
  const main = launcher.boxOf(MAIN_BACKGROUND);
  const { scale } = await canvasPlace(page);
  check(main && Math.abs((main.right - main.left) / scale - 504) < 24,
        `the launcher's main window is on the page (${JSON.stringify(main)})`);
  await closeQuickStart(page);

  // A setting made on the launcher: the keyboard flies the ship.
  await clickMain(page, SETTINGS_BUTTON);
  await clickMain(page, CONTROLS_TAB);
  await clickMain(page, KEYBOARD_CHOICE);
  const controls = await shot(page, 'launcher-controls');
  figures.launcherFps = await framesPerSecond(page, 2);

  // The ship starts in the middle of the field, before any rock is near.
  figures.glObjectsBeforeGame = await liveGlObjects(page);
  await play(page, log);
  const thrust = await thrustLeavesCentre(page, 'game');
  check(thrust.ok, `thrust moves the ship from the middle (its colour there ${thrust.before.toFixed(3)} -> ` +
                   `${thrust.after.toFixed(3)})`);

  const field = await canvasPlace(page);
  const before = await shot(page, 'game-field');
  const hud = { left: Math.round(field.left), top: Math.round(field.top),
                right: Math.round(field.left + 360 * field.scale), bottom: Math.round(field.top + 60 * field.scale) };
  check(before.share(hud, isWhite) > 0.3, 'the head-up display is drawn in the top left corner');
  figures.gameFps = await framesPerSecond(page, 3);
  const later = await shot(page, 'game-later');
  const whole = { left: Math.round(field.left), top: Math.round(field.top + 70 * field.scale),
                  right: Math.round(field.left + field.width - 1), bottom: Math.round(field.top + field.height - 1) };
  check(later.changedShare(before, whole) > 0.01, 'the rocks move');

  // Firing while turning scores before long; then the game is ended and the
  // score goes in the table. The ship can be lost before its shots find a
  // rock, and rocks that leave the field cost points, so a game that ends on
  // nothing is played again (R), up to three times. The score's digits are
  // watched only to stop firing sooner: a rock or the ship passing over them
  // changes them too, so the proof is the points stored with the name.
  const score = { left: hud.left + Math.round(240 * field.scale), top: hud.top,
                  right: hud.right, bottom: hud.top + Math.round(28 * field.scale) };
  let saved = {};
  let game = 0;
  for (; game < 3 && !storedScoreOf(saved, NAME); game++) {
    if (game) {
      await page.keyboard.press('r');
      await sleep(1500);
    }
    const unscored = await shot(page, `before-firing-${game + 1}`);
    let scoredShare = 0;
    await page.keyboard.down('Control');
    await page.keyboard.down('ArrowLeft');
    for (let second = 0; second < 30 && scoredShare <= 0.01; second++) {
      await sleep(1000);
      scoredShare = (await shot(page, `after-firing-${game + 1}`)).changedShare(unscored, score, 60);
    }
    await sleep(4000);
    await page.keyboard.up('ArrowLeft');
    await page.keyboard.up('Control');
    await page.keyboard.press('Escape');
    await sleep(300);
    await page.keyboard.press('q');
    await sleep(1500);
    await page.keyboard.type(NAME, { delay: 80 });
    await page.keyboard.press('Enter');
    await sleep(1000);
    await shot(page, 'high-scores');
    await waitForStorage(page);
    saved = await storedFiles(page);
  }
  const points = storedScoreOf(saved, NAME);
  check(points > 0, `firing at the rocks scores, and the score is saved (${points} points, game ${game} of up to 3)`);
  check(/inputdevice=1/.test(saved['kwrockpile.ini'] || ''), 'the keyboard choice is saved');
  await page.keyboard.press('q');
  await sleep(2000);
  // The page's one WebGL context outlives the game: what the game made in
  // it must be gone with the game.
  figures.glObjectsAfterGame = await liveGlObjects(page);
  const { glObjectsBeforeGame: atStart, glObjectsAfterGame: atEnd } = figures;
  check(atEnd.textures <= atStart.textures && atEnd.buffers <= atStart.buffers,
        `the game's textures and buffers are deleted when it ends (${JSON.stringify(atStart)} before the game, ` +
        `${JSON.stringify(atEnd)} after)`);
  // The launcher let go of its renderer during the game and draws as before.
  const mainBox = controls.boxOf(MAIN_BACKGROUND);
  await page.mouse.move(1, 1);  // off the Play button it was pressed with
  await sleep(300);
  const back = await shot(page, 'launcher-after-game');
  const changed = mainBox ? back.changedShare(controls, mainBox) : 1;
  check(changed < 0.05, `the launcher draws its window as before the game (${(100 * changed).toFixed(2)}% changed)`);

  // A reload starts from an empty memory file system: what is there now
  // came back from the browser's storage.
  const reload = consoleOf(page);
  const reopened = Date.now();
  await page.reload();
  await reload.waitFor(/launcher window up/, 120);
  figures.reloadToLauncherMs = Date.now() - reopened;
  const restored = await storedFiles(page);
  check(restored['kwrockpile.ini'] === saved['kwrockpile.ini'], 'the settings file survives the reload');
  check(points > 0 && storedScoreOf(restored, NAME) === points, 'the high score survives the reload');
  await closeQuickStart(page);
  await play(page, reload);
  check((await thrustLeavesCentre(page, 'reload')).ok, 'after the reload the keys still fly the ship');
  figures.errors = log.lines.concat(reload.lines).filter((line) => /page error|rockpile stopped/.test(line));
  check(figures.errors.length === 0, 'the page reported no errors');
} catch (error) {
  check(false, error.stack || String(error));
} finally {
  fs.rmSync(path.join(outFolder, 'scratch.png'), { force: true });
  fs.writeFileSync(path.join(outFolder, 'figures.json'), JSON.stringify(figures, null, 2) + '\n');
  console.log(JSON.stringify(figures));
  await close();
  server.close();
}
process.exit(failures ? 1 : 0);

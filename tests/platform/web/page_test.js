// The browser tests of the page (run by scripts/web --test): the page and its replay build served
// from build-web/ (GORVANTI_WEB_BUILD_DIR) and played in headless Chromium.
"use strict";

const assert = require("node:assert/strict");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { serve, launch, waitForGame, recordPresents } = require("./browser");
const { decodePng, compareFrame, regionTexels } = require("./frames");

const SOURCE_DIR = path.resolve(__dirname, "../../..");
const BUILD_DIR = path.resolve(SOURCE_DIR, process.env.GORVANTI_WEB_BUILD_DIR || "build-web");
const REFERENCE_FRAMES = path.join(SOURCE_DIR, "tests/replays/frames");

// The game's window caption and its quit question, as the game passes them.
const CAPTION = "Gorvanti Version 2.0";
const QUIT_CAPTION = "Select";
const QUIT_TEXT = "ゲームを終了しますか？";

// Ticks of tests/replays/full-game.replay: the title (3 flat, 12 in 3-D), stage 1's intro and
// play (60 to 300), its clear with the new record (475) and stage 2 (800). Stage 1 takes 347
// ticks, a record below the shipped 9999; it is written when the clear ends, before tick 800.
const FLAT_FRAME = 3;
const TITLE_3D_FRAME = 12;  // scaled letters: no sprite in it is drawn 1:1
const FRAME_TICKS = [3, 12, 60, 100, 300, 475, 800];
const INTRO_FRAME = 100;  // stage 1's intro: the HUD shows the stage's best time
const RUN_TICKS = 801;
const STAGE_ONE_TIME = 347;
const SHIPPED_BEST_TIME = 9999;
// Software WebGL (SwiftShader) and the native frames' Mesa cover polygon edges and round colours
// differently: a few pixels of a 1:1 sprite by at most STRONG_CHANGE, and in 3-D up to 8 % of the
// pixels, of which at most 1 % of the picture by more.
const MOST_CHANGED_SHARE = 0.08;
const MOST_STRONGLY_CHANGED_SHARE = 0.01;
// The HUD column (labels and digits, 1:1 sprites) and in it the stage's best time.
const HUD = { x: 0, y: 0, width: 60, height: 200 };
const BEST_DIGITS = { x: 0, y: 170, width: 60, height: 25 };

let server;
let address;
let browser;
const kept = {};  // the first replay run's frames, by tick

async function runReplay(page, query) {
  await page.goto(`${address}page-replay/?${query}`);
  await page.waitForFunction(() => window.gorvantiReplay && "exitCode" in window.gorvantiReplay,
                             null, { timeout: 600000 });
  return page.evaluate(() => window.gorvantiReplay);
}

before(async () => {
  ({ server, address } = await serve(BUILD_DIR));
  browser = await launch();
});

after(async () => {
  await browser.closeAndForget();
  server.close();
});

test("the page loads and shows the title on a crisp 640 x 480 canvas", async () => {
  const page = await browser.newPage();
  await page.addInitScript(recordPresents);
  await page.goto(`${address}page/`);
  await waitForGame(page);
  assert.equal(await page.title(), CAPTION);
  const canvas = await page.evaluate(() => {
    const element = document.getElementById("canvas");
    return { width: element.width, height: element.height,
             rendering: getComputedStyle(element).imageRendering };
  });
  assert.deepEqual(canvas, { width: 640, height: 480, rendering: "pixelated" });
  // The title draws its name in colour: the picture is not one colour.
  await page.waitForTimeout(1000);
  const shot = await page.locator("#canvas").screenshot();
  const colours = await page.evaluate(async (data) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const pixels = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const seen = new Set();
    for (let i = 0; i < pixels.length; i += 4) {
      seen.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
    }
    return seen.size;
  }, shot.toString("base64"));
  assert.ok(colours > 16, `the title shows only ${colours} colours`);
  await page.close();
});

test("Escape asks the quit question in a dialog; No plays on, Yes ends the game", async () => {
  const page = await browser.newPage();
  await page.addInitScript(recordPresents);
  await page.goto(`${address}page/`);
  await waitForGame(page);
  await page.keyboard.press("Escape");
  const dialog = page.locator("dialog#box[open]");
  await dialog.waitFor();
  assert.equal(await page.textContent("#box-caption"), QUIT_CAPTION);
  assert.equal(await page.textContent("#box-text"), QUIT_TEXT);
  assert.deepEqual(await page.locator("#box-buttons button").allTextContents(), ["Yes", "No"]);
  assert.ok(await page.locator("#box-icon").isHidden(), "a question without an icon type has none");

  await page.click("#box-buttons button:nth-child(2)");
  await dialog.waitFor({ state: "detached" }).catch(() => dialog.waitFor({ state: "hidden" }));
  const framesBefore = await page.evaluate(() => window.gorvantiPresents.length);
  await page.waitForTimeout(500);
  assert.ok(await page.evaluate(() => window.gorvantiPresents.length) > framesBefore,
            "the game plays on after No");

  // The keyboard answers too: Enter takes the focused first button, Yes.
  await page.keyboard.press("Escape");
  await dialog.waitFor();
  await page.keyboard.press("Enter");
  await page.locator("#ended").waitFor({ state: "visible" });
  assert.ok(await page.locator("#canvas").isHidden());
  await page.close();
});

test("the replay page's frames match the native frames of the same ticks", async () => {
  const page = await browser.newPage();
  const run = await runReplay(page, `script=full-game&ticks=${RUN_TICKS}&frames=${FRAME_TICKS}`);
  // A replay that reaches its last tick ends as a confirmed quit.
  assert.equal(run.exitCode, 1, run.error);
  for (const tick of FRAME_TICKS) {
    const frame = run.frames[tick];
    assert.ok(frame, `no frame of tick ${tick}`);
    kept[tick] = frame;
    const reference = await decodePng(page, path.join(REFERENCE_FRAMES,
                                                      `tick${String(tick).padStart(4, "0")}.png`));
    const whole = compareFrame(frame, reference);
    assert.ok(!whole.sizeDiffers, `tick ${tick}: the frame's size differs`);
    assert.ok(whole.changed <= MOST_CHANGED_SHARE * whole.pixels,
              `tick ${tick}: ${whole.changed} of ${whole.pixels} pixels differ`);
    assert.ok(whole.stronglyChanged <= MOST_STRONGLY_CHANGED_SHARE * whole.pixels,
              `tick ${tick}: ${whole.stronglyChanged} pixels differ strongly`);
    if (tick !== TITLE_3D_FRAME) {
      const sprites = tick === FLAT_FRAME ? whole : compareFrame(frame, reference, HUD);
      assert.equal(sprites.stronglyChanged, 0, `tick ${tick}: 1:1 sprites moved`);
    }
  }
  await page.close();
});

test("a cleared stage's new best time is read back from storage after a reload", async () => {
  assert.ok(kept[INTRO_FRAME], "needs the frames of the replay test");
  const page = await browser.newPage();
  await page.goto(`${address}page/`);
  await page.waitForFunction(() => typeof FS !== "undefined" && FS.analyzePath("/gorvanti/save/besttime.dat").exists);
  const saved = await page.evaluate(
      () => new TextDecoder().decode(FS.readFile("/gorvanti/save/besttime.dat")));
  const times = saved.trim().split("\n").map((word) => parseInt(word, 16));
  assert.deepEqual(times, [STAGE_ONE_TIME, ...Array(9).fill(SHIPPED_BEST_TIME)]);

  // Stage 1's intro again: the same picture as in the first run, except for the best time shown,
  // which is no longer the shipped one.
  const run = await runReplay(page, `script=full-game&ticks=101&frames=${INTRO_FRAME}`);
  assert.equal(run.exitCode, 1, run.error);
  const again = run.frames[INTRO_FRAME];
  const before = kept[INTRO_FRAME];
  assert.notDeepEqual(regionTexels(again, BEST_DIGITS), regionTexels(before, BEST_DIGITS));
  const outside = again.argb.filter((texel, at) => {
    const x = at % again.width;
    const y = Math.floor(at / again.width);
    const inBest = x < BEST_DIGITS.width && y >= BEST_DIGITS.y && y < BEST_DIGITS.y + BEST_DIGITS.height;
    return !inBest && texel !== before.argb[at];
  });
  assert.equal(outside.length, 0, "pixels outside the best time changed");
  await page.close();
});

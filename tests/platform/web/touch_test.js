// The page on touch screens (run by scripts/web --test): the layout of phones, a tablet and the
// desktop; touches and the device's tilt holding the game's keys; dialogs answered by taps.
"use strict";

const assert = require("node:assert/strict");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { serve, waitForGame } = require("./browser");
const { PHONE, LANDSCAPE_PHONE, TABLET, DESKTOP, launchBrowser, openDevice, touchDown, centreOf,
        tap, gamePicture, changedPixels } = require("./devices");

const BUILD_DIR = path.resolve(__dirname, "../../..", process.env.GORVANTI_WEB_BUILD_DIR || "build-web");

// A thumb's reach: no control is smaller than this, in CSS pixels.
const SMALLEST_CONTROL = 48;
// The title's eight steps each end early on a key press; then the space bar, read at a tick (so a
// tap lasts a few ticks, as a finger's does), starts stage 1, whose intro lasts 102 ticks of 40 ms
// (the moves of tests/replays/full-game.replay).
const TITLE_STEPS = 8;
const TAP_MILLISECONDS = 150;
const INTRO_MILLISECONDS = 102 * 40 + 600;
// The board, right of the HUD's column; the ball starts in its top left corner.
const BOARD = { x: 80, y: 0, width: 560, height: 480 };
// Tilt in degrees: the dead zone is about 6, and a held direction is let go within 4.
const BEYOND_DEAD_ZONE = 8;
const INSIDE_DEAD_ZONE = 5;
const NEAR_LEVEL = 2;

let server;
let address;
let browser;

before(async () => {
  ({ server, address } = await serve(BUILD_DIR));
  browser = await launchBrowser();
});

after(async () => {
  await browser.close();
  server.close();
});

// The game's picture once its board has stood still for half a second; fails after 15 seconds.
async function stillPicture(page) {
  let before = await gamePicture(page);
  for (let tries = 0; tries < 30; ++tries) {
    await page.waitForTimeout(500);
    const now = await gamePicture(page);
    if (changedPixels(before, now, BOARD) < 50) {
      return now;
    }
    before = now;
  }
  assert.fail("the board never stands still");
}

async function openPage(device) {
  const page = await openDevice(browser, device);
  await page.goto(`${address}page/`);
  await waitForGame(page);
  return page;
}

function layout(page) {
  return page.evaluate(() => {
    const box = (selector) => {
      const element = document.querySelector(selector);
      const rectangle = element.getBoundingClientRect();
      return { left: rectangle.left, top: rectangle.top, right: rectangle.right,
               bottom: rectangle.bottom, width: rectangle.width, height: rectangle.height,
               shown: element.offsetParent !== null || getComputedStyle(element).display === "contents" };
    };
    return {
      canvas: box("#canvas"), pad: box("#pad"), start: box("#start-button"),
      escape: box("#escape-button"), arrows: [...document.querySelectorAll("#pad .arrow")]
        .map((arrow) => arrow.getBoundingClientRect()).map(({ width, height }) => ({ width, height })),
      touchHelp: box("#touch-help").shown, keysHelp: box("#keys-help").shown,
      rendering: getComputedStyle(document.getElementById("canvas")).imageRendering,
      pageWidth: document.documentElement.scrollWidth, pageHeight: document.documentElement.scrollHeight,
    };
  });
}

function heldArrows(page) {
  return page.evaluate(() => [...document.querySelectorAll("#pad .arrow.held")]
    .map((arrow) => arrow.getAttribute("aria-label")).sort());
}

// The pad's arrows lit (held by a finger or the tilt), once touch events have been handled.
async function expectHeld(page, expected, message) {
  await page.waitForFunction((names) => JSON.stringify(
    [...document.querySelectorAll("#pad .arrow.held")].map((arrow) => arrow.getAttribute("aria-label"))
      .sort()) === JSON.stringify(names), expected, { timeout: 2000 }).catch(() => {});
  assert.deepEqual(await heldArrows(page), expected, message);
}

// Layout lands on 1/64 of a CSS pixel.
function assertAbout(actual, expected, what) {
  assert.ok(Math.abs(actual - expected) < 0.1, `${what}: ${actual}, not ${expected}`);
}

function assertThumbSized(controls) {
  for (const control of controls) {
    assert.ok(control.width >= SMALLEST_CONTROL && control.height >= SMALLEST_CONTROL,
              `a control of ${control.width} x ${control.height} pixels`);
  }
}

test("phones and tablets show the controls beside or below a picture that fills its room; the desktop shows none", async () => {
  // Portrait phone at 3 device pixels: 1170 / 640 fits 1.83 times, under 2, so the exact fit:
  // the whole width. The pad and buttons below it.
  let page = await openPage(PHONE);
  let shown = await layout(page);
  assert.ok(shown.touchHelp && !shown.keysHelp, "the header tells a touch player how to play");
  assertAbout(shown.canvas.width, 390, "width");
  assertAbout(shown.canvas.height, 292.5, "height");
  assert.equal(shown.rendering, "pixelated");
  assert.ok(shown.pad.top >= shown.canvas.bottom && shown.start.top >= shown.canvas.bottom);
  assertThumbSized([shown.pad, shown.start, shown.escape, ...shown.arrows]);
  assert.ok(shown.pageWidth <= 390 && shown.pageHeight <= 844, "nothing scrolls");
  await page.context().close();

  // Landscape phone: 390 pixels high leave room for twice 480 device pixels, so 2, whole: 320 CSS
  // pixels high. The pad on its left, the buttons on its right.
  page = await openPage(LANDSCAPE_PHONE);
  shown = await layout(page);
  assertAbout(shown.canvas.height, 320, "height");
  assertAbout(shown.canvas.width, 640 * 2 / 3, "width");
  assert.ok(shown.pad.right <= shown.canvas.left && shown.start.left >= shown.canvas.right);
  assertThumbSized([shown.pad, shown.start, shown.escape, ...shown.arrows]);
  await page.context().close();

  // Tablet at 2 device pixels: 2048 / 640 = 3.2, so 3 whole: 960 CSS pixels wide.
  page = await openPage(TABLET);
  shown = await layout(page);
  assertAbout(shown.canvas.width, 960, "width");
  assert.ok(shown.pad.top >= shown.canvas.bottom);
  await page.context().close();

  // A phone of one device pixel per CSS pixel: shrunk to 390 / 640 of the picture, smoothed so no
  // row of the HUD's digits is dropped.
  page = await openPage({ ...PHONE, deviceScaleFactor: 1 });
  shown = await layout(page);
  assertAbout(shown.canvas.width, 390, "width");
  assert.equal(shown.rendering, "auto");
  await page.context().close();

  // The desktop: the keyboard's page as it was, 640 x 480 at its whole factor, no controls.
  page = await openPage(DESKTOP);
  shown = await layout(page);
  assert.ok(!shown.pad.shown && !shown.start.shown && !shown.touchHelp && shown.keysHelp);
  assert.deepEqual([shown.canvas.width, shown.canvas.height], [640, 480]);
  assert.equal(shown.rendering, "pixelated");
  await page.context().close();
});

test("taps on Start start stage 1 from the title; the pad held down and right rolls the ball until lifted", async () => {
  const page = await openPage(PHONE);
  for (let step = 0; step < TITLE_STEPS; ++step) {
    await tap(page, "#start-button", TAP_MILLISECONDS);
    await page.waitForTimeout(80);
  }
  await page.waitForTimeout(1500);
  await tap(page, "#start-button", TAP_MILLISECONDS);
  await page.waitForTimeout(INTRO_MILLISECONDS);

  // Stage 1 in play, untouched: the board stands still (the title's boxes never do). On a busy
  // machine the intro may take longer than its ticks.
  const still = await stillPicture(page);

  // Right and down on the pad's diagonal for a few ticks, as stage 1's solution begins: the board
  // tilts and the ball leaves its corner.
  const pad = await page.locator("#pad").boundingBox();
  const finger = await touchDown(page, pad.x + pad.width * 0.85, pad.y + pad.height * 0.85);
  await expectHeld(page, ["Down", "Right"]);
  await page.waitForTimeout(200);
  await finger.lift();
  await expectHeld(page, [], "lifting the finger lets go");
  const rolled = await gamePicture(page);
  assert.ok(changedPixels(still, rolled, BOARD) > 500, "the board and ball moved");

  // Lifted: the board levels, the ball stops, and then nothing moves any more.
  await stillPicture(page);
  await page.context().close();
});

test("a finger sliding across the pad changes direction, and sliding off it lets go", async () => {
  const page = await openPage(PHONE);
  const pad = await page.locator("#pad").boundingBox();
  const at = (x, y) => [pad.x + pad.width * x, pad.y + pad.height * y];
  const finger = await touchDown(page, ...at(0.5, 0.1));
  await expectHeld(page, ["Up"]);
  await finger.move(...at(0.1, 0.5));
  await expectHeld(page, ["Left"]);
  await finger.move(...at(0.5, 0.5));
  await expectHeld(page, [], "the pad's centre holds nothing");
  await finger.move(...at(0.5, 0.9));
  await expectHeld(page, ["Down"]);
  await finger.move(pad.x + pad.width / 2, pad.y - 100);
  await expectHeld(page, [], "off the pad");
  await finger.lift();
  await page.context().close();
});

async function turnTiltOn(page) {
  assert.ok(await page.locator("#tilt").isVisible(), "the tilt switch shows");
  await tap(page, "#tilt");
  await page.waitForFunction(() => document.getElementById("tilt").getAttribute("aria-checked") === "true");
}

function orient(page, beta, gamma) {
  return page.evaluate(([b, g]) => {
    window.dispatchEvent(new DeviceOrientationEvent("deviceorientation", { alpha: 0, beta: b, gamma: g }));
  }, [beta, gamma]);
}

test("tilting the phone beyond the dead zone holds the keys towards the lower side, level lets go", async () => {
  // Held upright-ish in portrait, 40 degrees from flat: that is level once the switch is on.
  const page = await openPage(PHONE);
  await turnTiltOn(page);
  const LEVEL = 40;
  await orient(page, LEVEL, 0);
  await expectHeld(page, []);
  // The top edge away from the player (beta falls): the ball rolls up, towards the top.
  await orient(page, LEVEL - BEYOND_DEAD_ZONE, 0);
  await expectHeld(page, ["Up"]);
  // Back inside the dead zone but not near level: still held, no flicker at the edge.
  await orient(page, LEVEL - INSIDE_DEAD_ZONE, 0);
  await expectHeld(page, ["Up"]);
  await orient(page, LEVEL - NEAR_LEVEL, 0);
  await expectHeld(page, []);
  // Inside the dead zone from level: nothing.
  await orient(page, LEVEL + INSIDE_DEAD_ZONE, -INSIDE_DEAD_ZONE);
  await expectHeld(page, []);
  // Towards the player and the right side down: both axes at once.
  await orient(page, LEVEL + BEYOND_DEAD_ZONE, BEYOND_DEAD_ZONE);
  await expectHeld(page, ["Down", "Right"]);
  await orient(page, LEVEL, 0);
  await expectHeld(page, []);
  // The pad still works with tilt on; switched off, tilt holds nothing.
  await tap(page, "#tilt");
  await orient(page, LEVEL - BEYOND_DEAD_ZONE, -BEYOND_DEAD_ZONE);
  await expectHeld(page, []);
  await page.context().close();
});

test("in landscape the tilt follows the screen: the device's right edge is the picture's top", async () => {
  const page = await openPage(LANDSCAPE_PHONE);
  assert.equal(await page.evaluate(() => screen.orientation.angle), 90);
  await turnTiltOn(page);
  await orient(page, 0, 0);
  // Gamma lowers the device's right edge, which is the top of the turned screen: forward, up.
  await orient(page, 0, BEYOND_DEAD_ZONE);
  await expectHeld(page, ["Up"]);
  // Beta lowers the device's bottom edge, which is the screen's right: the ball rolls right.
  await orient(page, BEYOND_DEAD_ZONE, 0);
  await expectHeld(page, ["Right"]);
  await orient(page, 0, 0);
  await expectHeld(page, []);
  await page.context().close();
});

test("Esc asks the quit question in a dialog that fits a 360-pixel screen; taps answer No and Yes", async () => {
  const page = await openPage({ ...PHONE, viewport: { width: 360, height: 740 } });
  await tap(page, "#escape-button");
  const dialog = page.locator("dialog#box[open]");
  await dialog.waitFor();
  const box = await dialog.boundingBox();
  assert.ok(box.x >= 0 && box.x + box.width <= 360, `the dialog spans ${box.x} to ${box.x + box.width}`);
  const buttons = await page.locator("#box-buttons button").evaluateAll(
      (all) => all.map((button) => button.getBoundingClientRect().height));
  assertThumbSized(buttons.map((height) => ({ width: SMALLEST_CONTROL, height })));

  await tap(page, "#box-buttons button:nth-child(2)");
  await page.waitForFunction(() => !document.getElementById("box").open);
  const framesBefore = await page.evaluate(() => window.gorvantiPresents.length);
  await page.waitForTimeout(500);
  assert.ok(await page.evaluate(() => window.gorvantiPresents.length) > framesBefore,
            "the game plays on after No");

  await tap(page, "#escape-button");
  await dialog.waitFor();
  await tap(page, "#box-buttons button:nth-child(1)");
  await page.locator("#ended").waitFor({ state: "visible" });
  await page.context().close();
});

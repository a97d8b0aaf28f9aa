// Phones, tablets and desktops for the browser tests: a headless Chromium whose contexts emulate
// a device's screen and touch, held touches through the DevTools protocol, and the game's
// picture read back from a screenshot.
"use strict";

const { chromium } = require("playwright-core");
const { CHROMIUM_FLAGS, recordPresents } = require("./browser");

const CHROMIUM = process.env.GORVANTI_CHROMIUM || "/usr/bin/chromium";

const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true,
                hasTouch: true };
const LANDSCAPE_PHONE = { ...PHONE, viewport: { width: 844, height: 390 } };
const TABLET = { viewport: { width: 1024, height: 1366 }, deviceScaleFactor: 2, isMobile: true,
                 hasTouch: true };
const DESKTOP = { viewport: { width: 1280, height: 800 }, deviceScaleFactor: 1 };

async function launchBrowser() {
  return chromium.launch({ executablePath: CHROMIUM, headless: true, args: CHROMIUM_FLAGS });
}

// A page of a fresh context for `device`, counting the game's presented frames.
async function openDevice(browser, device) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  await page.addInitScript(recordPresents);
  return page;
}

// A finger on the screen at CSS pixels (x, y) until `lift` is called, as a touch screen reports
// it (touch events, and the pointer events the browser makes of them).
async function touchDown(page, x, y) {
  const session = await page.context().newCDPSession(page);
  await session.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [{ x, y }] });
  return {
    move: (toX, toY) => session.send("Input.dispatchTouchEvent",
                                     { type: "touchMove", touchPoints: [{ x: toX, y: toY }] }),
    lift: () => session.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] }),
  };
}

async function centreOf(page, selector) {
  const box = await page.locator(selector).boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

async function tap(page, selector, holdMilliseconds = 80) {
  const { x, y } = await centreOf(page, selector);
  const finger = await touchDown(page, x, y);
  await page.waitForTimeout(holdMilliseconds);
  await finger.lift();
}

// The game's picture as 640 x 480 RGBA bytes, however large the canvas is shown.
async function gamePicture(page) {
  const shot = await page.locator("#canvas").screenshot();
  return page.evaluate(async (data) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob());
    const context = new OffscreenCanvas(640, 480).getContext("2d");
    context.imageSmoothingEnabled = false;
    context.drawImage(bitmap, 0, 0, 640, 480);
    return Array.from(context.getImageData(0, 0, 640, 480).data);
  }, shot.toString("base64"));
}

// How many pixels of the rectangle differ between two pictures by more than a rounding.
function changedPixels(before, after, { x, y, width, height }) {
  let changed = 0;
  for (let row = y; row < y + height; ++row) {
    for (let column = x; column < x + width; ++column) {
      const at = 4 * (row * 640 + column);
      if ([0, 1, 2].some((channel) => Math.abs(before[at + channel] - after[at + channel]) > 24)) {
        ++changed;
      }
    }
  }
  return changed;
}

module.exports = { PHONE, LANDSCAPE_PHONE, TABLET, DESKTOP, launchBrowser, openDevice, touchDown,
                   centreOf, tap, gamePicture, changedPixels };

// Shows the built page on a phone held both ways, a tablet and a desktop, in headless Chromium:
// screenshots of the title, stage 1 with the controls and the quit question, and the page's
// download (service worker and icons included) and its time to the first frame, online and then
// offline from the service worker's cache.
"use strict";

const fs = require("fs");
const path = require("path");
const { serve, waitForGame } = require("./browser");
const { PHONE, LANDSCAPE_PHONE, TABLET, DESKTOP, launchBrowser, openDevice, tap,
        touchDown } = require("./devices");

const USAGE = `usage: node tests/platform/web/show_devices.js PAGE_FOLDER SHOTS_FOLDER

Serves PAGE_FOLDER (build-web/page), plays it in headless Chromium as a portrait and a landscape
phone, a tablet and a desktop, writes DEVICE-title.png, DEVICE-play.png and DEVICE-quit.png into
SHOTS_FOLDER and prints the download and the time to the first frame.`;

const TITLE_STEPS = 8;
const INTRO_MILLISECONDS = 102 * 40 + 600;
const DEVICES = { "phone-portrait": PHONE, "phone-landscape": LANDSCAPE_PHONE, tablet: TABLET,
                  desktop: DESKTOP };

// Through the title with the Start button (or the space bar), then the pad's lower right (or down
// and right) held for a second, as stage 1's solution begins, and the picture taken meanwhile.
async function play(page, touch, shot) {
  for (let step = 0; step <= TITLE_STEPS; ++step) {
    if (touch) {
      await tap(page, "#start-button", 150);
    } else {
      await page.keyboard.press("Space", { delay: 150 });
    }
    await page.waitForTimeout(step === TITLE_STEPS - 1 ? 1500 : 80);
  }
  await page.waitForTimeout(INTRO_MILLISECONDS);
  let lift;
  if (touch) {
    const pad = await page.locator("#pad").boundingBox();
    lift = (await touchDown(page, pad.x + pad.width * 0.85, pad.y + pad.height * 0.85)).lift;
  } else {
    await page.keyboard.down("ArrowDown");
    await page.keyboard.down("ArrowRight");
    lift = () => page.keyboard.up("ArrowDown").then(() => page.keyboard.up("ArrowRight"));
  }
  await page.waitForTimeout(1000);
  await page.screenshot({ path: shot });
  await lift();
}

async function firstFrame(page) {
  await waitForGame(page);
  return page.evaluate(() => window.gorvantiPresents[0]);
}

async function main() {
  const [pageFolder, shotsFolder] = process.argv.slice(2);
  if (!pageFolder || !shotsFolder || process.argv.includes("--help")) {
    console.log(USAGE);
    process.exit(pageFolder === "--help" ? 0 : 2);
  }
  fs.mkdirSync(shotsFolder, { recursive: true });
  const { server, address } = await serve(pageFolder);
  const browser = await launchBrowser();
  try {
    for (const [name, device] of Object.entries(DEVICES)) {
      const page = await openDevice(browser, device);
      let downloaded = 0;
      page.context().on("response", (response) => {
        downloaded += Number(response.headers()["content-length"] || 0);
      });
      await page.goto(address);
      const online = await firstFrame(page);
      await page.waitForTimeout(3000);
      await page.screenshot({ path: path.join(shotsFolder, `${name}-title.png`) });
      const touch = await page.locator("#pad").isVisible();
      await play(page, touch, path.join(shotsFolder, `${name}-play.png`));
      if (touch) {
        await tap(page, "#escape-button");
      } else {
        await page.keyboard.press("Escape");
      }
      await page.waitForSelector("dialog#box[open]");
      await page.waitForTimeout(300);
      await page.screenshot({ path: path.join(shotsFolder, `${name}-quit.png`) });
      // The service worker has kept the files by now; the next start needs no network.
      await page.evaluate(() => navigator.serviceWorker.ready);
      await page.context().setOffline(true);
      await page.reload();
      const offline = await firstFrame(page);
      console.log(`${name}: first frame ${online.toFixed(0)} ms online, ${offline.toFixed(0)} ms ` +
                  `offline; downloaded ${downloaded} bytes (${(downloaded / 1048576).toFixed(2)} MiB)`);
      await page.context().close();
    }
    console.log(`screenshots: ${shotsFolder}/{${Object.keys(DEVICES)}}-{title,play,quit}.png`);
  } finally {
    await browser.close();
    server.close();
  }
}

main().catch((error) => {
  console.error("show_devices:", error.message);
  process.exit(1);
});

// Plays the built page in headless Chromium as a player would: screenshots of the title, of stage
// 1 in play and of the quit question, and the page's figures (ticks per second, present
// intervals, time to the first frame, download size).
"use strict";

const fs = require("fs");
const path = require("path");
const { serve, launch, waitForGame, recordPresents } = require("./browser");

const USAGE = `usage: node tests/platform/web/show_page.js PAGE_FOLDER SHOTS_FOLDER

Serves PAGE_FOLDER (build-web/page), plays it in headless Chromium and writes web-title.png,
web-play.png, web-quit.png and web-ended.png into SHOTS_FOLDER; prints the figures measured.`;

// The title's eight steps each end early on a key press; once it asks for Space, Space starts
// stage 1 (the moves of tests/replays/full-game.replay). The stage's intro lasts 102 ticks. The
// waits count the game's frames, not the clock, so that a slow game still reaches each scene.
const TITLE_STEPS = 8;
const TITLE_SETTLING_TICKS = 38;
const INTRO_TICKS = 102 + 10;
const MEASURED_MILLISECONDS = 10000;
const TILT_MILLISECONDS = 1000;
const TITLE_MEASURED_MILLISECONDS = 5000;

async function waitForTicks(page, ticks) {
  const target = await page.evaluate((more) => window.gorvantiPresents.length + more, ticks);
  await page.waitForFunction((count) => window.gorvantiPresents.length >= count, target,
                             { timeout: 60000 });
}

async function tap(page, key, holdTicks = 2) {
  await page.keyboard.down(key);
  await waitForTicks(page, holdTicks);
  await page.keyboard.up(key);
  await waitForTicks(page, 2);
}

function presentFigures(times) {
  const intervals = times.slice(1).map((time, i) => time - times[i]);
  const mean = intervals.reduce((sum, x) => sum + x, 0) / intervals.length;
  const spread = Math.sqrt(intervals.reduce((sum, x) => sum + (x - mean) ** 2, 0) / intervals.length);
  const sorted = [...intervals].sort((a, b) => a - b);
  return {
    ticksPerSecond: (intervals.length * 1000) / (times[times.length - 1] - times[0]),
    mean, spread, shortest: sorted[0], longest: sorted[sorted.length - 1],
    p95: sorted[Math.floor(sorted.length * 0.95)],
  };
}

async function main() {
  const [pageFolder, shotsFolder] = process.argv.slice(2);
  if (!pageFolder || !shotsFolder || process.argv.includes("--help")) {
    console.log(USAGE);
    process.exit(pageFolder === "--help" ? 0 : 2);
  }
  if (!fs.existsSync(path.join(pageFolder, "index.html"))) {
    console.error(`show_page: ${pageFolder} holds no built page (run scripts/web first)`);
    process.exit(1);
  }
  fs.mkdirSync(shotsFolder, { recursive: true });
  const { server, address } = await serve(pageFolder);
  const browser = await launch();
  try {
    const page = await browser.newPage();
    let downloaded = 0;
    page.on("response", (response) => {
      downloaded += Number(response.headers()["content-length"] || 0);
    });
    page.on("pageerror", (error) => console.error("page error:", error.message));
    await page.addInitScript(recordPresents);
    await page.goto(address);
    await waitForGame(page);
    const firstFrame = await page.evaluate(() => window.gorvantiPresents[0]);
    const titleStart = await page.evaluate(() => window.gorvantiPresents.length);
    await page.waitForTimeout(TITLE_MEASURED_MILLISECONDS);
    await page.screenshot({ path: path.join(shotsFolder, "web-title.png") });
    const titleTimes = await page.evaluate((from) => window.gorvantiPresents.slice(from), titleStart);

    for (let step = 0; step < TITLE_STEPS; ++step) {
      await tap(page, "ArrowUp", 1);
    }
    await waitForTicks(page, TITLE_SETTLING_TICKS);
    await tap(page, "Space", 1);
    await waitForTicks(page, INTRO_TICKS);
    const start = await page.evaluate(() => window.gorvantiPresents.length);
    // Down and right together, as stage 1's solution begins: the ball rolls off its corner.
    await page.keyboard.down("ArrowDown");
    await page.keyboard.down("ArrowRight");
    await page.waitForTimeout(TILT_MILLISECONDS);
    await page.keyboard.up("ArrowRight");
    await page.keyboard.up("ArrowDown");
    await page.screenshot({ path: path.join(shotsFolder, "web-play.png") });
    await page.waitForTimeout(MEASURED_MILLISECONDS - TILT_MILLISECONDS);
    const times = await page.evaluate((from) => window.gorvantiPresents.slice(from), start);

    await page.keyboard.press("Escape");
    await page.waitForSelector("dialog#box[open]");
    await page.waitForTimeout(300);
    await page.screenshot({ path: path.join(shotsFolder, "web-quit.png") });
    await page.click("dialog#box button:first-child");
    await page.waitForSelector("#ended:not([hidden])");
    await page.screenshot({ path: path.join(shotsFolder, "web-ended.png") });

    console.log(`time to the first frame: ${firstFrame.toFixed(0)} ms after navigation`);
    for (const [scene, seconds, sceneTimes] of [["the title", TITLE_MEASURED_MILLISECONDS / 1000, titleTimes],
                                                ["stage 1 in play", MEASURED_MILLISECONDS / 1000, times]]) {
      const figures = presentFigures(sceneTimes);
      console.log(`${scene}, ${seconds} s: ${figures.ticksPerSecond.toFixed(2)} ticks per second; ` +
                  `present interval mean ${figures.mean.toFixed(2)} ms, standard deviation ` +
                  `${figures.spread.toFixed(2)} ms, shortest ${figures.shortest.toFixed(1)} ms, ` +
                  `95th percentile ${figures.p95.toFixed(1)} ms, longest ${figures.longest.toFixed(1)} ms`);
    }
    console.log(`downloaded: ${downloaded} bytes (${(downloaded / 1048576).toFixed(2)} MiB)`);
    console.log(`screenshots: ${shotsFolder}/web-{title,play,quit,ended}.png`);
  } finally {
    await browser.closeAndForget();
    server.close();
  }
}

main().catch((error) => {
  console.error("show_page:", error.message);
  process.exit(1);
});

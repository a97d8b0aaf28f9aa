// The browser tests of what keeps the page from drawing or loading (run by scripts/web --test): a
// WebGL context lost and given back, a page opened from a file, and the page's own requests.
"use strict";

const assert = require("node:assert/strict");
const path = require("node:path");
const { test } = require("node:test");
const { waitForGame, recordPresents } = require("./browser");
const { servedBuild } = require("./served_build");

const PICTURE_LOST = "The browser has taken the game's picture away. It comes back when the " +
                     "browser allows; if it does not, reload the page. Your records are kept.";
// Stage 1 of tests/replays/full-game.replay: loaded by tick 60, the ball rolling at 300. The
// context is lost at about tick 150, with every texture and shader of the stage in use.
const LOSE_AT_PRESENT = 150;
const COMPARED_TICKS = [300, 475];
const RUN_TICKS = 476;

const served = servedBuild();

async function runReplay(page, query) {
  await page.goto(`${served.address}page-replay/?${query}`);
  await page.waitForFunction(() => window.gorvantiReplay && "exitCode" in window.gorvantiReplay,
                             null, { timeout: 600000 });
  return page.evaluate(() => window.gorvantiReplay);
}

// Takes the context away at the given present and has the browser give it back once the page has
// seen it go; records what the page said meanwhile.
function loseContextAt(present) {
  window.gorvantiLoss = { statusWhileLost: null, restored: false };
  let presents = 0;
  const blit = WebGL2RenderingContext.prototype.blitFramebuffer;
  WebGL2RenderingContext.prototype.blitFramebuffer = function (...args) {
    const result = blit.apply(this, args);
    if (++presents === present) {
      const loser = this.getExtension("WEBGL_lose_context");
      this.canvas.addEventListener("webglcontextlost", () => {
        setTimeout(() => {
          const status = document.getElementById("status");
          window.gorvantiLoss.statusWhileLost = status.hidden ? "" : status.textContent;
          loser.restoreContext();
        }, 50);
      }, { once: true });
      this.canvas.addEventListener("webglcontextrestored", () => {
        window.gorvantiLoss.restored = true;
      }, { once: true });
      loser.loseContext();
    }
    return result;
  };
}

test("a lost WebGL context comes back with the same pictures, and the page says meanwhile",
     async () => {
  const query = `script=full-game&ticks=${RUN_TICKS}&frames=${COMPARED_TICKS}`;
  const page = await served.browser.newPage();
  const kept = await runReplay(page, query);
  assert.equal(kept.exitCode, 1, kept.error);
  await page.close();  // one tab plays at a time

  const lossPage = await served.browser.newPage();
  await lossPage.addInitScript(loseContextAt, LOSE_AT_PRESENT);
  const run = await runReplay(lossPage, query);
  assert.equal(run.exitCode, 1, run.error);
  const loss = await lossPage.evaluate(() => window.gorvantiLoss);
  assert.ok(loss.restored, "the context never came back");
  assert.equal(loss.statusWhileLost, PICTURE_LOST);
  assert.ok(await lossPage.locator("#status").isHidden(), "the line stays after the return");
  for (const tick of COMPARED_TICKS) {
    const after = run.frames[tick];
    const before = kept.frames[tick];
    assert.ok(after && before, `no frame of tick ${tick}`);
    const differing = after.argb.filter((texel, at) => texel !== before.argb[at]).length;
    assert.equal(differing, 0, `tick ${tick}: ${differing} pixels differ after the return`);
  }
  await lossPage.close();
});

test("a page opened from a file says how to serve it", async () => {
  const page = await served.browser.newPage();
  await page.goto("file://" + path.join(served.buildDir, "page/index.html"));
  const status = page.locator("#status.error");
  await status.waitFor({ state: "visible", timeout: 30000 });
  const text = await status.textContent();
  assert.match(text, /could not load its files/);
  assert.match(text, /scripts\/web --serve/);
  await page.close();
});

test("every request of the page finds its file, the icon included", async () => {
  const page = await served.browser.newPage();
  const failed = [];
  page.on("response", (response) => {
    if (response.status() >= 400) {
      failed.push(`${response.status()} ${response.url()}`);
    }
  });
  await page.addInitScript(recordPresents);
  await page.goto(`${served.address}page/`);
  await waitForGame(page);
  const icon = await page.evaluate(() => document.querySelector("link[rel=icon]").href);
  assert.equal((await page.request.get(icon)).status(), 200);
  await page.waitForTimeout(1000);
  assert.deepEqual(failed, []);
  await page.close();
});

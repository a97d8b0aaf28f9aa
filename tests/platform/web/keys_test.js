// The browser tests of the page's keys (run by scripts/web --test): a key held with its repeats
// at the quit question, a tap shorter than a frame, and a key held while the canvas loses the focus.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const { waitForGame, recordPresents } = require("./browser");
const { servedBuild } = require("./served_build");

// A browser repeats a held key about every 33 ms; a second of them.
const REPEATS = 30;
const REPEAT_MILLISECONDS = 33;
const TICK_MILLISECONDS = 40;
// The title opens by fading in its picture's upper part, then its lower line (the words under
// the name), each over 51 ticks; a key that has been up for a tick skips the step, which shows
// the part at once. The lower line's rows on the 640 x 480 canvas, and how bright its brightest
// pixel is when shown whole (about a third of that after the 20 ticks the test takes).
const LOWER_LINE = { x: 180, y: 286, width: 280, height: 14 };
const SHOWN_WHOLE = 200;

const served = servedBuild();

async function openGame() {
  const page = await served.browser.newPage();
  await page.addInitScript(recordPresents);
  await page.goto(`${served.address}page/`);
  await waitForGame(page);
  return page;
}

// Counts the times the message box dialog opens.
async function countDialogs(page) {
  await page.evaluate(() => {
    window.gorvantiDialogs = 0;
    const dialog = document.getElementById("box");
    new MutationObserver(() => { window.gorvantiDialogs += dialog.open ? 1 : 0; })
        .observe(dialog, { attributes: true, attributeFilter: ["open"] });
  });
  return () => page.evaluate(() => window.gorvantiDialogs);
}

// Holds `key` for a second as a keyboard does: a press, then its repeats.
async function holdWithRepeats(page, key) {
  await page.keyboard.down(key);
  for (let i = 0; i < REPEATS; ++i) {
    await page.waitForTimeout(REPEAT_MILLISECONDS);
    await page.keyboard.down(key);  // a key already down goes down again with `repeat` set
  }
}

// The brightest channel of any pixel of `region` of the canvas as shown.
async function brightest(page, region) {
  const shot = await page.locator("#canvas").screenshot();
  return page.evaluate(async ([data, area]) => {
    const bitmap = await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob());
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const pixels = context.getImageData(area.x, area.y, area.width, area.height).data;
    let most = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      most = Math.max(most, pixels[i], pixels[i + 1], pixels[i + 2]);
    }
    return most;
  }, [shot.toString("base64"), region]);
}

test("a held Escape asks the quit question once, and its repeats answer nothing", async () => {
  const page = await openGame();
  const dialogs = await countDialogs(page);
  await holdWithRepeats(page, "Escape");
  assert.equal(await dialogs(), 1);
  assert.ok(await page.locator("dialog#box[open]").isVisible(), "the repeats answered the question");
  await page.keyboard.up("Escape");

  // A new Escape answers No; held on, its repeats reach the game, which must not ask again.
  await holdWithRepeats(page, "Escape");
  await page.keyboard.up("Escape");
  await page.waitForTimeout(4 * TICK_MILLISECONDS);
  assert.equal(await dialogs(), 1);
  assert.ok(await page.locator("dialog#box[open]").isHidden());
  await page.close();
});

test("a key held while the canvas loses the focus is let go, and a short tap still counts",
     async () => {
  const page = await openGame();
  // Skips the upper part's fade; the lower line starts to fade in.
  await page.keyboard.down("ArrowUp");
  await page.waitForTimeout(3 * TICK_MILLISECONDS);
  // The focus goes elsewhere and the key comes up there, unseen by the canvas.
  await page.evaluate(() => document.getElementById("canvas").blur());
  await page.keyboard.up("ArrowUp");
  await page.evaluate(() => document.getElementById("canvas").focus());
  await page.waitForTimeout(3 * TICK_MILLISECONDS);
  // Down and up again before the game can look: the tap must still skip the lower line's fade,
  // which it can only if the key counts as up since the focus left.
  await page.evaluate(() => {
    const canvas = document.getElementById("canvas");
    for (const type of ["keydown", "keyup"]) {
      canvas.dispatchEvent(new KeyboardEvent(type, { code: "ArrowUp", key: "ArrowUp", bubbles: true }));
    }
  });
  await page.waitForTimeout(4 * TICK_MILLISECONDS);
  assert.ok(await brightest(page, LOWER_LINE) >= SHOWN_WHOLE, "the lower line is still fading in");
  await page.close();
});

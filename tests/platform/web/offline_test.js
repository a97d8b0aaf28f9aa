// The installable page (run by scripts/web --test): its manifest and icons, play offline after one
// visit, and a new build's files taking over at the next start. Each test serves its own copy of
// build-web/page, so that it can go offline or change files.
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { after, before, test } = require("node:test");
const { serve, waitForGame } = require("./browser");
const { PHONE, launchBrowser, openDevice } = require("./devices");

const SOURCE_DIR = path.resolve(__dirname, "../../..");
const PAGE_DIR = path.resolve(SOURCE_DIR, process.env.GORVANTI_WEB_BUILD_DIR || "build-web", "page");
const WORKER_TEMPLATE = path.join(SOURCE_DIR, "platform/web/gorvanti_sw.js");
const STAMP_SCRIPT = path.join(SOURCE_DIR, "platform/web/stamp_offline.cmake");

let browser;
const copies = [];

before(async () => {
  browser = await launchBrowser();
});

after(async () => {
  await browser.close();
  copies.forEach((folder) => fs.rmSync(folder, { recursive: true, force: true }));
});

async function servedCopy() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), "gorvanti-page-"));
  copies.push(folder);
  fs.cpSync(PAGE_DIR, folder, { recursive: true });
  const { server, address } = await serve(folder);
  const stop = () => {
    server.close();
    server.closeAllConnections();
  };
  return { folder, address, stop };
}

// Resolves once the page's service worker controls it and has kept every file.
function kept(page) {
  return page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) {
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return caches.keys();
  });
}

test("the manifest is valid and its icons exist at their stated sizes, one maskable", async () => {
  const { address, stop } = await servedCopy();
  const page = await openDevice(browser, PHONE);
  await page.goto(address);
  const session = await page.context().newCDPSession(page);
  const parsed = await session.send("Page.getAppManifest");
  assert.deepEqual(parsed.errors, [], "Chromium reads the manifest without complaint");
  const manifest = JSON.parse(parsed.data);
  assert.equal(manifest.name, "Gorvanti");
  assert.ok(manifest.short_name);
  assert.ok(["fullscreen", "standalone"].includes(manifest.display));
  assert.equal(new URL(manifest.start_url, parsed.url).href, address);
  const sizes = await page.evaluate(async (icons) => Promise.all(icons.map(async (icon) => {
    const bitmap = await createImageBitmap(await (await fetch(icon.src)).blob());
    return { stated: icon.sizes, real: `${bitmap.width}x${bitmap.height}`, purpose: icon.purpose };
  })), manifest.icons);
  for (const { stated, real } of sizes) {
    assert.equal(real, stated);
  }
  assert.deepEqual([...new Set(sizes.map((icon) => icon.stated))].sort(), ["192x192", "512x512"]);
  assert.ok(sizes.some((icon) => icon.purpose === "maskable"));
  await page.context().close();
  stop();
});

test("after one visit the page starts offline and plays", async () => {
  const { address, stop } = await servedCopy();
  const page = await openDevice(browser, PHONE);
  await page.goto(address);
  await waitForGame(page);
  assert.equal((await kept(page)).length, 1);

  stop();
  await page.context().setOffline(true);
  await page.reload();
  await waitForGame(page);
  // The game answers: Esc asks its quit question.
  await page.locator("#escape-button").tap();
  await page.locator("dialog#box[open]").waitFor();
  await page.context().close();
});

// The files the worker keeps, as the build named them for it.
function keptFiles(folder) {
  const worker = fs.readFileSync(path.join(folder, "gorvanti_sw.js"), "utf8");
  return JSON.parse(worker.match(/const FILES = (\[.*\]);/)[1])
    .map((file) => (file === "./" ? "index.html" : file));
}

// Polls `check` in the page until it resolves to true; waitForFunction would take the promise an
// async check returns for a true answer at once.
async function until(page, check, arg, timeout = 30000) {
  const deadline = Date.now() + timeout;
  while (!(await page.evaluate(check, arg))) {
    assert.ok(Date.now() < deadline, `still not so after ${timeout} ms: ${check}`);
    await page.waitForTimeout(200);
  }
}

// While the game runs, Chromium puts off looking for a new worker by about a minute after the page
// started (its own look after a navigation and the page's update() alike; measured without
// playwright too), so the second start waits for the new worker up to two minutes.
test("a new build's files replace the old ones at the next start, and the old cache is deleted",
     async () => {
  const { folder, address, stop } = await servedCopy();
  const page = await openDevice(browser, PHONE);
  try {
    await page.goto(address);
    await waitForGame(page);
    const [firstCache] = await kept(page);

    // A second build: a changed page, and its worker stamped as the build stamps it.
    const index = path.join(folder, "index.html");
    fs.writeFileSync(index, fs.readFileSync(index, "utf8").replace("<h1>Gorvanti</h1>",
                                                                    "<h1>Gorvanti again</h1>"));
    execFileSync("cmake", [`-DPAGE_DIR=${folder}`, `-DTEMPLATE=${WORKER_TEMPLATE}`,
                           `-DFILES=${keptFiles(folder).join(";")}`, "-P", STAMP_SCRIPT]);

    // This start still runs the first build, whole, while the second one's worker gets ready.
    await page.reload();
    await waitForGame(page);
    assert.equal(await page.textContent("h1"), "Gorvanti");
    await until(page, async (old) => {
      const names = await caches.keys();
      return names.length === 1 && names[0] !== old;
    }, firstCache, 120000);
    assert.match(await page.evaluate(async () => (await fetch("./")).text()), /Gorvanti again/);

    // The next start, in a new tab as a player starts it.
    await page.close();
    const next = await page.context().newPage();
    await next.goto(address);
    assert.equal(await next.textContent("h1"), "Gorvanti again");
  } finally {
    // A failed step must not leave the server holding the test process open.
    await page.context().close();
    stop();
  }
});

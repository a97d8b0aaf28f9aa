// The browser tests of where the page keeps the records (run by scripts/web --test): without
// IndexedDB, with an IndexedDB that fails, one save after the game's rename, a waiting save
// flushed when the page is hidden, and two tabs that share one table.
"use strict";

const assert = require("node:assert/strict");
const { test } = require("node:test");
const { waitForGame, recordPresents } = require("./browser");
const { servedBuild } = require("./served_build");

const RECORDS_NOT_KEPT =
    "Your records will not be kept: this browser does not let the page store them.";
const OPEN_ELSEWHERE = "Gorvanti is open in another tab.";
const TAKEN_OVER = "Gorvanti is now played in another tab; this tab keeps no records any more.";
// The records file as the game keeps it, and its IndexedDB store (named by the save folder).
const RECORDS = "/gorvanti/save/besttime.dat";
const SAVE_DATABASE = "/gorvanti/save";
// Ten lower-case hexadecimal lines, one a stage; 270f (9999) is no record.
const NO_RECORD = "270f";
const tableWith = (stageOne) => [stageOne, ...Array(9).fill(NO_RECORD)].join("\n") + "\n";

const served = servedBuild();

// Counts the page's syncs to IndexedDB and their failures.
function countSyncs() {
  window.gorvantiSyncs = { started: 0, failed: 0 };
  const watch = () => {
    const sync = FS.syncfs;
    FS.syncfs = (populate, callback) => {
      window.gorvantiSyncs.started += populate ? 0 : 1;
      sync(populate, (error) => {
        window.gorvantiSyncs.failed += error ? 1 : 0;
        callback(error);
      });
    };
  };
  // FS comes with the game's script; wrap it before the page's own code first uses it.
  Object.defineProperty(window, "Module", {
    configurable: true,
    set(value) {
      Object.defineProperty(window, "Module", { value, writable: true, configurable: true });
      value.preRun.unshift(watch);
    },
  });
}

// The syncs started so far, once the page has saved what its start wrote (a first visit saves
// the shipped files it copied into the save folder).
async function settledSyncs(page) {
  await page.waitForTimeout(1000);
  return page.evaluate(() => window.gorvantiSyncs.started);
}

// Writes a table as the game does: a temporary file beside the records, renamed over them, all
// in one go before the browser gets control back.
async function writeRecords(page, table) {
  await page.evaluate(([records, text]) => {
    FS.writeFile(records + ".tmp", text);
    FS.rename(records + ".tmp", records);
  }, [RECORDS, table]);
}

// The records as IndexedDB holds them now, read straight from the database; null when absent.
async function recordsInIndexedDb(page) {
  return page.evaluate(([database, records]) => new Promise((resolve, reject) => {
    const request = indexedDB.open(database);
    request.onerror = () => reject(request.error);
    request.onsuccess = () => {
      const get = request.result.transaction("FILE_DATA").objectStore("FILE_DATA").get(records);
      get.onsuccess = () => {
        request.result.close();
        resolve(get.result ? new TextDecoder().decode(get.result.contents) : null);
      };
    };
  }), [SAVE_DATABASE, RECORDS]);
}

async function openGame(page, initScript) {
  await page.addInitScript(recordPresents);
  if (initScript) {
    await page.addInitScript(initScript);
  }
  await page.goto(`${served.address}page/`);
  await waitForGame(page);
}

async function noticeShown(page) {
  return (await page.locator("#notice").isVisible()) ? page.textContent("#notice") : "";
}

async function keepsPlaying(page) {
  const before = await page.evaluate(() => window.gorvantiPresents.length);
  await page.waitForTimeout(500);
  return (await page.evaluate(() => window.gorvantiPresents.length)) > before;
}

test("without IndexedDB, or with one that fails, the game plays and says records are not kept",
     async () => {
  const withoutIndexedDb = () => {
    Object.defineProperty(window, "indexedDB", { value: undefined, configurable: true });
  };
  // As a browser that refuses storage answers: the open request fails.
  const failingIndexedDb = () => {
    IDBFactory.prototype.open = function () {
      const request = { error: new DOMException("refused", "UnknownError") };
      setTimeout(() => request.onerror && request.onerror({ target: request, preventDefault() {} }));
      return request;
    };
  };
  for (const [name, initScript] of [["no IndexedDB", withoutIndexedDb],
                                    ["a failing IndexedDB", failingIndexedDb]]) {
    const page = await served.browser.newPage();
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    await openGame(page, initScript);
    assert.equal(await noticeShown(page), RECORDS_NOT_KEPT, name);
    assert.ok(await page.locator("#status").isHidden(), `${name}: a status line is left`);
    assert.ok(await keepsPlaying(page), `${name}: the game stands still`);
    // The shipped table is there to play with, in memory.
    assert.equal(await page.evaluate((file) => FS.readFile(file, { encoding: "utf8" }), RECORDS),
                 tableWith(NO_RECORD), name);
    assert.deepEqual(errors, [], name);
    await page.close();
  }
});

test("a save after the game's rename syncs once and never reports a failure", async () => {
  const page = await served.browser.newPage();
  const warnings = [];
  page.on("console", (message) => {
    if (message.type() === "warning" || message.type() === "error") {
      warnings.push(message.text());
    }
  });
  await openGame(page, countSyncs);
  const before = await settledSyncs(page);
  await writeRecords(page, tableWith("15b"));
  await page.waitForFunction((count) => window.gorvantiSyncs.started > count, before);
  await page.waitForTimeout(500);
  assert.deepEqual(await page.evaluate(() => window.gorvantiSyncs),
                   { started: before + 1, failed: 0 });
  assert.equal(await recordsInIndexedDb(page), tableWith("15b"));
  assert.equal(await noticeShown(page), "");
  assert.deepEqual(warnings.filter((text) => text.includes("Gorvanti")), []);
  await page.close();
});

test("a save still waiting when the page is hidden or left starts at once", async () => {
  const page = await served.browser.newPage();
  await openGame(page, countSyncs);
  let syncs = await settledSyncs(page);
  const hide = {
    visibilitychange: () => {
      Object.defineProperty(document, "visibilityState", { value: "hidden", configurable: true });
      document.dispatchEvent(new Event("visibilitychange"));
    },
    pagehide: () => window.dispatchEvent(new PageTransitionEvent("pagehide")),
  };
  for (const [event, leave] of Object.entries(hide)) {
    // The write and the event in one go: without the flush the save would wait for the browser.
    const started = await page.evaluate(([records, table, leaveText]) => {
      const before = window.gorvantiSyncs.started;
      FS.writeFile(records + ".tmp", table);
      FS.rename(records + ".tmp", records);
      new Function(`(${leaveText})()`)();
      return window.gorvantiSyncs.started - before;
    }, [RECORDS, tableWith(event === "pagehide" ? "100" : "200"), leave.toString()]);
    assert.equal(started, 1, `${event} did not start the waiting save`);
    syncs += 1;
    await page.waitForFunction((count) => window.gorvantiSyncs.started === count, syncs);
  }
  await page.waitForTimeout(300);
  assert.equal(await recordsInIndexedDb(page), tableWith("100"));
  assert.equal(await page.evaluate(() => window.gorvantiSyncs.failed), 0);
  await page.close();
});

test("one tab plays at a time; taking over reads the other's records and stops its saves",
     async () => {
  const first = await served.browser.newPage();
  await openGame(first, countSyncs);
  const firstSyncs = (await settledSyncs(first)) + 1;
  await writeRecords(first, tableWith("15b"));
  await first.waitForFunction((count) => window.gorvantiSyncs.started === count, firstSyncs);

  const second = await served.browser.newPage();
  await second.addInitScript(recordPresents);
  await second.goto(`${served.address}page/`);
  await second.locator("#elsewhere").waitFor({ state: "visible" });
  assert.equal(await second.textContent("#elsewhere-text"), OPEN_ELSEWHERE);
  await second.waitForTimeout(1000);
  assert.equal(await second.evaluate(() => window.gorvantiPresents.length), 0,
               "the second tab plays while the first does");

  await second.click("#take-over");
  await waitForGame(second);
  await first.locator("#elsewhere").waitFor({ state: "visible" });
  assert.equal(await first.textContent("#elsewhere-text"), TAKEN_OVER);
  assert.ok(await first.locator("#canvas").isHidden());
  // The second tab plays on the first one's records, and the first one writes no more.
  assert.equal(await second.evaluate((file) => FS.readFile(file, { encoding: "utf8" }), RECORDS),
               tableWith("15b"));
  await writeRecords(first, tableWith("16f"));
  await first.waitForTimeout(500);
  assert.equal(await first.evaluate(() => window.gorvantiSyncs.started), firstSyncs);
  assert.equal(await recordsInIndexedDb(second), tableWith("15b"));
  await writeRecords(second, tableWith("140"));
  await second.waitForTimeout(500);
  assert.equal(await recordsInIndexedDb(second), tableWith("140"));
  await first.close();
  await second.close();
});

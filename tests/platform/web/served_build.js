// Around one file of browser tests: build-web/ (GORVANTI_WEB_BUILD_DIR) served and a browser
// started before its tests, both stopped after them, and the pages a test left open closed after
// it, since an open page of the game would keep the game's lock from the next test.
"use strict";

const path = require("node:path");
const { after, afterEach, before } = require("node:test");
const { serve, launch } = require("./browser");

const SOURCE_DIR = path.resolve(__dirname, "../../..");
const BUILD_DIR = path.resolve(SOURCE_DIR, process.env.GORVANTI_WEB_BUILD_DIR || "build-web");

// Filled in before the first test: the server's `address` and the `browser`.
function servedBuild() {
  const served = { buildDir: BUILD_DIR };
  let server;
  before(async () => {
    ({ server, address: served.address } = await serve(BUILD_DIR));
    served.browser = await launch();
  });
  after(async () => {
    await served.browser.closeAndForget();
    server.close();
  });
  afterEach(async () => {
    await Promise.all(served.browser.pages().map((page) => page.close()));
  });
  return served;
}

module.exports = { servedBuild };

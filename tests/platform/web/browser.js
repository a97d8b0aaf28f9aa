// What the page's scripts share: headless Chromium from the system, started as the tests need it,
// and a small static server for a folder.
"use strict";

const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const { chromium } = require("playwright-core");

const CHROMIUM = process.env.GORVANTI_CHROMIUM || "/usr/bin/chromium";
// Headless, offline and quiet. Its software WebGL 2 (SwiftShader) needs no flag of its own; the
// last one only silences the warning that it is used as a fallback.
const CHROMIUM_FLAGS = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--enable-unsafe-swiftshader",
];

const CONTENT_TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
  ".wasm": "application/wasm", ".data": "application/octet-stream", ".png": "image/png",
  ".replay": "text/plain; charset=utf-8",
};

// Serves `folder` on a free port of 127.0.0.1; resolves to the server and its address.
function serve(folder) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    const file = path.join(root, name.endsWith("/") ? name + "index.html" : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end("not found");
      return;
    }
    response.writeHead(200, {
      "Content-Type": CONTENT_TYPES[path.extname(file)] || "application/octet-stream",
      "Content-Length": fs.statSync(file).size,
      "Cache-Control": "no-store",
    });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => {
      resolve({ server, address: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

// A browser with a profile of its own (a new empty folder), removed again by `close`.
async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "gorvanti-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    args: CHROMIUM_FLAGS,
    viewport: { width: 1280, height: 800 },
  });
  context.closeAndForget = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return context;
}

// Resolves once the game has drawn and shown its first frame.
async function waitForGame(page, timeout = 30000) {
  await page.waitForFunction(() => window.gorvantiPresents && window.gorvantiPresents.length > 0,
                             null, { timeout });
}

// Records the time of every frame the game shows: the page's WebGL shows a frame by copying its
// offscreen back buffer to the canvas (Emscripten's OFFSCREEN_FRAMEBUFFER), at each Present.
function recordPresents() {
  window.gorvantiPresents = [];
  const blit = WebGL2RenderingContext.prototype.blitFramebuffer;
  WebGL2RenderingContext.prototype.blitFramebuffer = function (...args) {
    window.gorvantiPresents.push(performance.now());
    return blit.apply(this, args);
  };
}

module.exports = { serve, launch, waitForGame, recordPresents, CHROMIUM_FLAGS };

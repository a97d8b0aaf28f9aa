// The replay page's frames against tests/replays/frames/ (drawn by the native OpenGL path): the
// share of pixels that differ at all, and of those that differ strongly.
"use strict";

const fs = require("fs");

// Per colour channel, of 255: more than this is a strong change.
const STRONG_CHANGE = 16;

// The reference PNG as RGBA bytes, decoded by the browser itself.
async function decodePng(page, fileName) {
  const base64 = fs.readFileSync(fileName).toString("base64");
  return page.evaluate(async (data) => {
    const blob = await (await fetch(`data:image/png;base64,${data}`)).blob();
    const bitmap = await createImageBitmap(blob, { colorSpaceConversion: "none",
                                                   premultiplyAlpha: "none" });
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext("2d");
    context.drawImage(bitmap, 0, 0);
    const pixels = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    return { width: bitmap.width, height: bitmap.height, rgba: Array.from(pixels) };
  }, base64);
}

// A kept frame (ARGB texels, rows top first) against a decoded reference; `region` limits the
// comparison to a rectangle. Counts the pixels whose largest channel difference is above 0 and
// above STRONG_CHANGE.
function compareFrame(frame, reference, region) {
  if (frame.width !== reference.width || frame.height !== reference.height) {
    return { sizeDiffers: true };
  }
  const area = region || { x: 0, y: 0, width: frame.width, height: frame.height };
  let changed = 0;
  let stronglyChanged = 0;
  for (let y = area.y; y < area.y + area.height; ++y) {
    for (let x = area.x; x < area.x + area.width; ++x) {
      const texel = frame.argb[y * frame.width + x];
      const at = (y * frame.width + x) * 4;
      const difference = Math.max(Math.abs(((texel >>> 16) & 255) - reference.rgba[at]),
                                  Math.abs(((texel >>> 8) & 255) - reference.rgba[at + 1]),
                                  Math.abs((texel & 255) - reference.rgba[at + 2]));
      changed += difference > 0 ? 1 : 0;
      stronglyChanged += difference > STRONG_CHANGE ? 1 : 0;
    }
  }
  return { pixels: area.width * area.height, changed, stronglyChanged };
}

// The texels of a region of a kept frame, for comparing two kept frames.
function regionTexels(frame, region) {
  const texels = [];
  for (let y = region.y; y < region.y + region.height; ++y) {
    for (let x = region.x; x < region.x + region.width; ++x) {
      texels.push(frame.argb[y * frame.width + x]);
    }
  }
  return texels;
}

module.exports = { decodePng, compareFrame, regionTexels };

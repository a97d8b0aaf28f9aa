// The page's controls for touch screens: a pad for the four tilt keys, Start for the fifth key,
// Esc, and tilting the device itself. They hold the keys setup.ini names, through the game's
// keyboard (GorvantiHoldKey in web_controls.cpp); the page's layout shows them on touch screens.
"use strict";

const VK_ESCAPE = 0x1b;
const VK_SPACE = 0x20;
// Slots of the configured keys: roll up, right, down, left, then the fifth key.
const SLOT_UP = 0;
const SLOT_RIGHT = 1;
const SLOT_DOWN = 2;
const SLOT_LEFT = 3;
const SLOT_FIFTH = 4;
// A finger this near the pad's centre (a share of its radius) holds no direction.
const PAD_CENTRE_SHARE = 0.2;
// Tilt: beyond the dead zone a direction is held; it is let go only when back inside the
// release angle, so a device resting at the edge does not flicker the key.
const TILT_DEAD_ZONE_DEGREES = 6;
const TILT_RELEASE_DEGREES = 4;

// The device's tilt in the screen's frame, relative to a level pose: `forward` > 0 when the top of
// the picture has gone down, `right` > 0 when its right side has. Angles of a deviceorientation
// event (beta, gamma) and the screen's angle (0, 90, 180, 270), all in degrees.
const GorvantiTilt = (() => {
  const RADIANS = Math.PI / 180;

  // The direction away from the ground, in the screen's axes: x right, y to its top, z out of it.
  function upInScreen(beta, gamma, screenAngle) {
    const b = beta * RADIANS;
    const g = gamma * RADIANS;
    const device = { x: -Math.sin(g) * Math.cos(b), y: Math.sin(b), z: Math.cos(g) * Math.cos(b) };
    const a = screenAngle * RADIANS;
    return {
      x: device.x * Math.cos(a) - device.y * Math.sin(a),
      y: device.x * Math.sin(a) + device.y * Math.cos(a),
      z: device.z,
    };
  }

  // The pitch about the screen's x axis and the roll about its y axis of an up direction (in
  // portrait the roll is the event's gamma, in landscape the pitch is).
  function angles(up) {
    return { pitch: Math.atan2(up.y, up.z) / RADIANS, roll: Math.atan2(-up.x, up.z) / RADIANS };
  }

  function wrapped(degrees) {
    return ((((degrees + 180) % 360) + 360) % 360) - 180;
  }

  function relative(level, up) {
    const from = angles(level);
    const to = angles(up);
    return { forward: -wrapped(to.pitch - from.pitch), right: wrapped(to.roll - from.roll) };
  }

  // Whether a direction is held after a tilt of `degrees` towards it, given it was held before.
  function holds(degrees, wasHeld) {
    return degrees > (wasHeld ? TILT_RELEASE_DEGREES : TILT_DEAD_ZONE_DEGREES);
  }

  return { upInScreen, relative, holds };
})();

const GorvantiControls = (() => {
  const root = document.documentElement;
  const controls = document.getElementById("controls");
  const pad = document.getElementById("pad");
  const tiltSwitch = document.getElementById("tilt");
  const arrows = {};  // by slot
  for (const arrow of pad.querySelectorAll("[data-slot]")) {
    arrows[arrow.dataset.slot] = arrow;
  }
  let keys = [0, 0, 0, 0, 0];
  const pointers = new Map();  // pointer id -> the slots (or "escape") its finger holds
  let tiltSlots = new Set();
  let level = null;  // the up direction when tilt was turned on, in the screen's axes
  let tiltOn = false;
  const held = new Set();  // virtual keys the game has been told are down

  function slotOf(control) {
    return control.dataset.slot === "escape" ? "escape" : Number(control.dataset.slot);
  }

  // Start holds the space bar too: the title waits for it whatever the fifth key is.
  function codesOf(slot) {
    if (slot === "escape") {
      return [VK_ESCAPE];
    }
    return slot === SLOT_FIFTH ? [keys[slot], VK_SPACE] : [keys[slot]];
  }

  // Tells the game of every key whose state changed; a key held by two controls stays down until
  // both let go.
  function update() {
    const slots = new Set(tiltSlots);
    for (const fingerSlots of pointers.values()) {
      fingerSlots.forEach((slot) => slots.add(slot));
    }
    const wanted = new Set([...slots].flatMap(codesOf).filter((code) => code !== 0));
    // Before the game runs nothing can be held; a control held then counts from its next move.
    const ready = typeof Module !== "undefined" && Module.calledRun;
    for (const code of held) {
      if (!wanted.has(code)) {
        held.delete(code);
        Module._GorvantiHoldKey(code, 0);
      }
    }
    for (const code of wanted) {
      if (!held.has(code) && ready) {
        held.add(code);
        Module._GorvantiHoldKey(code, 1);
      }
    }
    for (const [slot, arrow] of Object.entries(arrows)) {
      arrow.classList.toggle("held", slots.has(Number(slot)));
    }
    for (const button of controls.querySelectorAll("button[data-slot]")) {
      button.classList.toggle("held", slots.has(slotOf(button)));
    }
  }

  // The pad's directions under a finger: by its angle from the centre, in eight sectors, a
  // diagonal holding both its neighbours; none near the centre or outside the pad.
  function padSlots(x, y) {
    const box = pad.getBoundingClientRect();
    const radius = box.width / 2;
    const dx = (x - box.left - radius) / radius;
    const dy = (y - box.top - box.height / 2) / radius;
    if (Math.hypot(dx, dy) < PAD_CENTRE_SHARE || Math.max(Math.abs(dx), Math.abs(dy)) > 1) {
      return [];
    }
    const sector = Math.round(Math.atan2(dy, dx) / (Math.PI / 4));  // 0 right, 2 down, -2 up
    return {
      0: [SLOT_RIGHT], 1: [SLOT_RIGHT, SLOT_DOWN], 2: [SLOT_DOWN], 3: [SLOT_DOWN, SLOT_LEFT],
      4: [SLOT_LEFT], "-4": [SLOT_LEFT], "-3": [SLOT_LEFT, SLOT_UP], "-2": [SLOT_UP],
      "-1": [SLOT_UP, SLOT_RIGHT],
    }[sector];
  }

  // What a finger at (x, y) holds, having come down on `target`: a button holds while the finger
  // stays on it.
  function slotsAt(target, x, y) {
    if (target === pad) {
      return padSlots(x, y);
    }
    const box = target.getBoundingClientRect();
    const inside = x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
    return inside ? [slotOf(target)] : [];
  }

  function track(event) {
    const target = event.currentTarget;
    event.preventDefault();
    if (event.type === "pointerdown") {
      target.setPointerCapture(event.pointerId);
    } else if (!pointers.has(event.pointerId)) {
      return;
    }
    pointers.set(event.pointerId, slotsAt(target, event.clientX, event.clientY));
    update();
  }

  function letGo(event) {
    if (pointers.delete(event.pointerId)) {
      update();
    }
  }

  // Focus lost, the page hidden or a dialog opened: nothing stays held, as with the keyboard.
  function releaseAll() {
    pointers.clear();
    tiltSlots = new Set();
    update();
  }

  for (const control of [pad, ...controls.querySelectorAll("button[data-slot]")]) {
    control.addEventListener("pointerdown", track);
    control.addEventListener("pointermove", track);
    for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) {
      control.addEventListener(type, letGo);
    }
  }
  // No long-press menu, no text selection, no focus taken from the game.
  controls.addEventListener("contextmenu", (event) => event.preventDefault());
  window.addEventListener("blur", releaseAll);
  document.addEventListener("visibilitychange", () => document.hidden && releaseAll());
  new MutationObserver(() => document.getElementById("box").open && releaseAll())
      .observe(document.getElementById("box"), { attributes: true, attributeFilter: ["open"] });

  function screenAngle() {
    return (screen.orientation && screen.orientation.angle) || Number(window.orientation) || 0;
  }

  function tilted(event) {
    if (event.beta === null || event.gamma === null) {
      return;
    }
    const up = GorvantiTilt.upInScreen(event.beta, event.gamma, screenAngle());
    if (!level) {
      level = up;
    }
    const tilt = GorvantiTilt.relative(level, up);
    const slots = new Set();
    for (const [degrees, towards, away] of [[tilt.forward, SLOT_UP, SLOT_DOWN],
                                            [tilt.right, SLOT_RIGHT, SLOT_LEFT]]) {
      if (GorvantiTilt.holds(degrees, tiltSlots.has(towards))) {
        slots.add(towards);
      } else if (GorvantiTilt.holds(-degrees, tiltSlots.has(away))) {
        slots.add(away);
      }
    }
    tiltSlots = slots;
    update();
  }

  function setTilt(on) {
    tiltOn = on;
    level = null;
    tiltSlots = new Set();
    tiltSwitch.setAttribute("aria-checked", String(on));
    if (on) {
      window.addEventListener("deviceorientation", tilted);
    } else {
      window.removeEventListener("deviceorientation", tilted);
    }
    update();
  }

  // iOS asks the player's permission, and only from the tap itself.
  tiltSwitch.addEventListener("click", () => {
    const ask = DeviceOrientationEvent.requestPermission;
    if (tiltOn || typeof ask !== "function") {
      setTilt(!tiltOn);
      return;
    }
    ask.call(DeviceOrientationEvent).then((answer) => setTilt(answer === "granted"),
                                          () => setTilt(false));
  });

  // Touch screens get the controls: a coarse primary pointer, or the first touch anywhere.
  function showControls() {
    root.classList.add("touch");
    controls.hidden = false;
    tiltSwitch.hidden = typeof DeviceOrientationEvent === "undefined";
    window.dispatchEvent(new Event("resize"));
  }
  if (matchMedia("(pointer: coarse)").matches) {
    showControls();
  } else {
    window.addEventListener("touchstart", showControls, { once: true, passive: true });
  }

  return {
    // The five codes of setup.ini, from the game once its folder is laid out.
    assignKeys: (codes) => {
      keys = codes;
      for (const control of controls.querySelectorAll("[data-slot]")) {
        control.classList.toggle("unassigned", codesOf(slotOf(control)).every((code) => code === 0));
      }
      update();
    },
    releaseAll,
  };
})();

// The page around the game: its scale, fullscreen, the message box dialog, the saved records in
// IndexedDB, one tab at a time, what keeps the game from loading or drawing, and the end of a
// game. The game's WebAssembly (gorvanti.js) calls GorvantiPage.
"use strict";

// Where the game runs (its graphics are packed there) and the folder kept in IndexedDB.
const GAME_FOLDER = "/gorvanti";
const SAVE_FOLDER = GAME_FOLDER + "/save";
const GAME_WIDTH = 640;
const GAME_HEIGHT = 480;
// Held by the tab that plays (Web Locks); a reload that takes the game over says so here.
const LOCK_NAME = "gorvanti";
const TAKE_OVER_KEY = "gorvanti-take-over";
// How long a new tab waits for a tab just closed or reloaded to let go before it asks.
const LOCK_GRACE_MILLISECONDS = 500;

const RECORDS_NOT_KEPT =
    "Your records will not be kept: this browser does not let the page store them.";
const OPEN_ELSEWHERE = "Gorvanti is open in another tab.";
const TAKEN_OVER = "Gorvanti is now played in another tab; this tab keeps no records any more.";
const PICTURE_LOST = "The browser has taken the game's picture away. It comes back when the " +
                     "browser allows; if it does not, reload the page. Your records are kept.";
const FROM_FILE = "The game could not load its files: a page opened from a file cannot. Serve " +
                  "the folder instead: run <code>scripts/web --serve</code> and open " +
                  "<code>http://127.0.0.1:8000/</code>.";

const GorvantiPage = (() => {
  const canvas = document.getElementById("canvas");
  const stage = document.getElementById("stage");
  const status = document.getElementById("status");
  const notice = document.getElementById("notice");
  const elsewhere = document.getElementById("elsewhere");
  const dialog = document.getElementById("box");
  const dialogButtons = document.getElementById("box-buttons");
  const inputs = [];  // what the player did in the dialog, oldest first
  let dialogOpen = false;
  // Where the records go: "indexeddb" while this tab keeps them there; "memory" when the browser
  // cannot keep them, or once another tab has taken the game over.
  let storage = "memory";
  let saveTimer = 0;
  let syncRunning = false;
  let syncWanted = false;
  let holdingGame = false;
  let started = false;
  let failed = false;

  // The picture fills the stage, letterboxed: by the largest whole factor of device pixels where
  // two or more fit, or where a device pixel is a screen's whole pixel and one fits (so every
  // game pixel keeps its size); otherwise by the exact fit, which at two or more device pixels
  // per CSS pixel no eye sees uneven, and smoothed below one, where dropping rows would garble
  // the digits.
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const width = stage.clientWidth * ratio;
    const height = stage.clientHeight * ratio;
    const exact = Math.min(width / GAME_WIDTH, height / GAME_HEIGHT);
    const whole = exact >= 2 || (exact >= 1 && ratio < 2);
    const factor = whole ? Math.floor(exact) : exact;
    canvas.style.width = (GAME_WIDTH * factor) / ratio + "px";
    canvas.style.height = (GAME_HEIGHT * factor) / ratio + "px";
    canvas.classList.toggle("smooth", factor < 1);
  }

  function showNotice(text) {
    notice.textContent = text;
    notice.hidden = text === "";
  }

  function recordsNotKept(why, error) {
    console.warn("Gorvanti: " + why + ":", error);
    showNotice(RECORDS_NOT_KEPT);
  }

  // The game replaces its records by writing a temporary file and renaming it over the old one,
  // all before it hands control back to the browser; a sync started in between would miss the
  // temporary file. So a write only asks for a save, and one sync runs once the game yields.
  function saveSoon() {
    if (storage === "indexeddb" && saveTimer === 0) {
      saveTimer = setTimeout(saveNow, 0);
    }
  }

  // One IndexedDB transaction writes the whole folder, so a tab closed at any moment leaves the
  // state of the last finished sync: the old records or the new, never a mix.
  function saveNow() {
    clearTimeout(saveTimer);
    saveTimer = 0;
    if (storage !== "indexeddb") {
      return;
    }
    if (syncRunning) {
      syncWanted = true;
      return;
    }
    syncRunning = true;
    FS.syncfs(false, (error) => {
      syncRunning = false;
      if (error) {
        recordsNotKept("could not save the records", error);
      } else if (storage === "indexeddb") {
        showNotice("");
      }
      if (syncWanted) {
        syncWanted = false;
        saveNow();
      }
    });
  }

  // A tab being hidden may be closed or frozen next: a save waiting for its turn starts now.
  function saveWaitingNow() {
    if (saveTimer !== 0) {
      saveNow();
    }
  }

  function inSaveFolder(path) {
    return typeof path === "string" && path.startsWith(SAVE_FOLDER + "/");
  }

  // Every finished write of the game into the save folder is saved: a closed file it wrote, a
  // rename (how it replaces the records), a removal.
  function watchWrites() {
    const close = FS.close;
    FS.close = (stream) => {
      const written = (stream.flags & 3) !== 0;  // O_WRONLY or O_RDWR
      const result = close(stream);
      if (written && inSaveFolder(stream.path)) {
        saveSoon();
      }
      return result;
    };
    const rename = FS.rename;
    FS.rename = (from, to) => {
      rename(from, to);
      if (inSaveFolder(FS.lookupPath(to).path)) {
        saveSoon();
      }
    };
    const unlink = FS.unlink;
    FS.unlink = (path) => {
      unlink(path);
      if (inSaveFolder(FS.lookupPath(path, { parent: true }).path + "/")) {
        saveSoon();
      }
    };
  }

  // Some private windows and blocked storage have no IndexedDB at all.
  function hasIndexedDb() {
    try {
      return typeof indexedDB !== "undefined" && indexedDB !== null;
    } catch (error) {
      return false;
    }
  }

  // The save folder is kept in IndexedDB when the browser can read it back; otherwise the game
  // plays from memory, and never writes over records it could not read.
  function loadSaveFolder(done) {
    FS.mkdirTree(SAVE_FOLDER);
    watchWrites();
    if (!hasIndexedDb()) {
      recordsNotKept("no IndexedDB", "indexedDB is missing");
      done();
      return;
    }
    FS.mount(IDBFS, {}, SAVE_FOLDER);
    FS.syncfs(true, (error) => {
      if (error) {
        recordsNotKept("could not read the saved records", error);
      } else {
        storage = "indexeddb";
      }
      done();
    });
  }

  function showElsewhere(text, onTakeOver) {
    document.getElementById("elsewhere-text").textContent = text;
    document.getElementById("take-over").onclick = onTakeOver;
    elsewhere.hidden = false;
    status.hidden = true;
  }

  // This tab lost the game to another: what this tab's game does from now on is not saved, and
  // taking the game back reloads it, so that it reads what the other tab saved.
  function gameTakenOver() {
    holdingGame = false;
    storage = "memory";
    clearTimeout(saveTimer);
    saveTimer = 0;
    canvas.hidden = true;
    showElsewhere(TAKEN_OVER, () => {
      try {
        sessionStorage.setItem(TAKE_OVER_KEY, "1");
      } catch (error) {
        // No session storage: the reloaded page asks once more.
      }
      location.reload();
    });
  }

  // Asks for the game's lock, and calls `start` once this tab holds it, for as long as the page
  // lives. A lock taken from this tab fails the request: another tab has taken the game over.
  function requestTheGame(options, start) {
    let granted = false;
    navigator.locks.request(LOCK_NAME, options, () => {
      granted = true;
      holdingGame = true;
      elsewhere.hidden = true;
      start();
      return new Promise(() => {});
    }).catch(() => {
      if (granted) {
        gameTakenOver();
      }
    });
  }

  function takeOverAsked() {
    try {
      const asked = sessionStorage.getItem(TAKE_OVER_KEY) === "1";
      sessionStorage.removeItem(TAKE_OVER_KEY);
      return asked;
    } catch (error) {
      return false;  // no session storage: the player is asked again
    }
  }

  // Before the game starts: one tab at a time, then the records. A tab that finds the game open
  // elsewhere waits for it to close, and meanwhile offers to take the game over. Without Web
  // Locks (an old browser) every tab plays.
  function prepareStorage() {
    addRunDependency("gorvanti-save");
    const start = () => loadSaveFolder(() => removeRunDependency("gorvanti-save"));
    if (!navigator.locks) {
      start();
      return;
    }
    if (takeOverAsked()) {
      requestTheGame({ steal: true }, start);
      return;
    }
    const waiting = new AbortController();
    requestTheGame({ signal: waiting.signal }, start);
    // A tab that was just closed or reloaded lets go of the lock a moment later.
    setTimeout(() => {
      if (!holdingGame) {
        showElsewhere(OPEN_ELSEWHERE, () => {
          waiting.abort();
          requestTheGame({ steal: true }, start);
        });
      }
    }, LOCK_GRACE_MILLISECONDS);
  }

  // The page cannot load or run the game: the reason on the page, and for a page opened from a
  // file, how to serve it.
  function fail(reason) {
    if (failed) {
      return;
    }
    failed = true;
    // What a file's failure tells a page opened from a file is only "Script error".
    if (location.protocol === "file:" && !started) {
      status.innerHTML = FROM_FILE;
    } else {
      const what = started ? "The game stopped" : "The game could not load";
      status.textContent = `${what}: ${String(reason).replace(/\.$/, "")}.`;
    }
    status.className = "error";
    status.hidden = false;
  }

  function setStatus(text) {
    if (!failed) {
      status.textContent = text;
      status.hidden = text === "" || !elsewhere.hidden;
    }
  }

  function pictureLost(lost) {
    if (failed) {
      return;
    }
    status.className = lost ? "over-game" : "";
    // A lost canvas shows the browser's own broken picture.
    canvas.classList.toggle("lost", lost);
    setStatus(lost ? PICTURE_LOST : "");
  }

  function openDialog(caption, text, warning, labels, focused) {
    document.getElementById("box-caption").textContent = caption;
    document.getElementById("box-text").textContent = text.replace(/\r\n/g, "\n");
    document.getElementById("box-icon").hidden = !warning;
    dialogButtons.replaceChildren();
    labels.forEach((label, index) => {
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = label;
      // Clicks only: keys reach the game's box model instead, which knows what they answer.
      button.addEventListener("click", (event) => {
        if (event.detail !== 0) {
          inputs.push({ button: index });
        }
      });
      dialogButtons.append(button);
    });
    inputs.length = 0;
    dialogOpen = true;
    dialog.showModal();
    focusDialogButton(focused);
  }

  function focusDialogButton(index) {
    const button = dialogButtons.children[index];
    if (button) {
      button.focus();
    }
  }

  function closeDialog() {
    dialogOpen = false;
    dialog.close();
    canvas.focus();
  }

  // A held key's repeats are no new presses: holding Escape must not answer the question that
  // the same Escape asked.
  dialog.addEventListener("keydown", (event) => {
    event.preventDefault();
    if (!event.repeat) {
      inputs.push({ code: event.code });
    }
  });
  dialog.addEventListener("keyup", (event) => event.preventDefault());
  dialog.addEventListener("cancel", (event) => event.preventDefault());
  // Closed behind the game's back (a browser that insists on Escape): the safe answer.
  dialog.addEventListener("close", () => {
    if (dialogOpen) {
      inputs.push({ code: "Escape" });
      dialog.showModal();
    }
  });

  function gameEnded(exitCode) {
    canvas.hidden = true;
    document.getElementById("ended").hidden = false;
    document.getElementById("again").focus();
    document.title = "Gorvanti";
    console.log("Gorvanti ended with exit code " + exitCode);
  }

  document.getElementById("again").addEventListener("click", () => location.reload());
  document.getElementById("fullscreen").addEventListener("click", () => {
    // On a touch screen the controls stay in view: the whole page goes full screen.
    const shown = document.documentElement.classList.contains("touch") ? document.documentElement : stage;
    shown.requestFullscreen().then(() => canvas.focus(), () => {});
  });
  window.addEventListener("resize", fit);
  document.addEventListener("fullscreenchange", fit);
  canvas.addEventListener("pointerdown", () => canvas.focus());
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "hidden") {
      saveWaitingNow();
    }
  });
  window.addEventListener("pagehide", saveWaitingNow);
  window.addEventListener("error", (event) => fail(event.message || "a file failed to load"));
  fit();

  return {
    openDialog,
    focusDialogButton,
    closeDialog,
    takeDialogInput: () => inputs.shift(),
    gameEnded,
    prepareStorage,
    setStatus,
    failed: fail,
    pictureLost,
    started: () => {
      started = true;
      setStatus("");
      canvas.focus();
    },
  };
})();

var Module = {
  canvas: document.getElementById("canvas"),
  preRun: [GorvantiPage.prepareStorage],
  onRuntimeInitialized: GorvantiPage.started,
  setStatus: (text) => GorvantiPage.setStatus(text ? "Loading… " + text : ""),
  onAbort: (what) => GorvantiPage.failed(String(what)),
  printErr: (text) => console.error(text),
};

// The page around the game: its scale, fullscreen, the message box dialog, the saved records in
// IndexedDB, and the end of a game. The game's WebAssembly (gorvanti.js) calls GorvantiPage.
"use strict";

// Where the game runs (its graphics are packed there) and the folder kept in IndexedDB.
const GAME_FOLDER = "/gorvanti";
const SAVE_FOLDER = GAME_FOLDER + "/save";
const GAME_WIDTH = 640;
const GAME_HEIGHT = 480;

const GorvantiPage = (() => {
  const canvas = document.getElementById("canvas");
  const stage = document.getElementById("stage");
  const status = document.getElementById("status");
  const dialog = document.getElementById("box");
  const dialogButtons = document.getElementById("box-buttons");
  const inputs = [];  // what the player did in the dialog, oldest first
  let dialogOpen = false;
  let syncRunning = false;
  let syncWanted = false;

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

  // One IndexedDB transaction writes the whole folder, so a tab closed at any moment leaves the
  // state of the last finished sync: the old records or the new, never a mix.
  function persist() {
    if (syncRunning) {
      syncWanted = true;
      return;
    }
    syncRunning = true;
    FS.syncfs(false, (error) => {
      syncRunning = false;
      if (error) {
        console.error("Gorvanti: could not save the records:", error);
      }
      if (syncWanted) {
        syncWanted = false;
        persist();
      }
    });
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
        persist();
      }
      return result;
    };
    const rename = FS.rename;
    FS.rename = (from, to) => {
      rename(from, to);
      if (inSaveFolder(FS.lookupPath(to).path)) {
        persist();
      }
    };
    const unlink = FS.unlink;
    FS.unlink = (path) => {
      unlink(path);
      if (inSaveFolder(FS.lookupPath(path, { parent: true }).path + "/")) {
        persist();
      }
    };
  }

  function loadSaveFolder() {
    FS.mkdirTree(SAVE_FOLDER);
    FS.mount(IDBFS, {}, SAVE_FOLDER);
    addRunDependency("gorvanti-save");
    FS.syncfs(true, (error) => {
      if (error) {
        console.error("Gorvanti: could not read the saved records:", error);
      }
      watchWrites();
      removeRunDependency("gorvanti-save");
    });
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

  dialog.addEventListener("keydown", (event) => {
    event.preventDefault();
    inputs.push({ code: event.code });
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
  fit();

  return {
    openDialog,
    focusDialogButton,
    closeDialog,
    takeDialogInput: () => inputs.shift(),
    gameEnded,
    loadSaveFolder,
    setStatus: (text) => {
      status.textContent = text;
      status.hidden = text === "";
    },
    focusGame: () => canvas.focus(),
  };
})();

var Module = {
  canvas: document.getElementById("canvas"),
  preRun: [GorvantiPage.loadSaveFolder],
  onRuntimeInitialized: () => {
    GorvantiPage.setStatus("");
    GorvantiPage.focusGame();
  },
  setStatus: (text) => GorvantiPage.setStatus(text ? "Loading… " + text : ""),
  printErr: (text) => console.error(text),
};

// The return-reason window in the browser. The window lives on the server
// while this page is open and holds the list's lock, so that no other clerk
// edits the reasons meanwhile: each edit goes to it at once and the module's
// editors refuse what they refuse; the module checks the whole list when it
// saves. The page gives signs of life while open and lets the window go when
// it is left; a page that falls silent loses the window. The module's
// questions are drawn with its texts and buttons and answered by sending the
// request again with the answer.
"use strict";

const windowKey = "powody-okno";  // the window this tab holds, given back when it is reloaded
let view = null;                   // the window as the server last drew it
let selected = -1;
let queue = Promise.resolve();     // the window's calls, one after another, in the order made
let signsOfLife = null;

function windowPath(command) {
  return "/api/return-reasons/window/" + view.window + (command ? "/" + command : "");
}

// A call of the window after those made before it; the window redrawn from
// its reply, but for an edit: the clerk may be typing in another cell.
function call(command, body) {
  const made = queue.then(async () => {
    const reply = await api.post(windowPath(command), body);
    if (!reply.window) return reply;
    view = reply;
    if (command === "edit") document.getElementById("unsaved").hidden = !view.modified;
    else render();
    return reply;
  });
  queue = made.catch(() => {});
  return made.catch((error) => {
    if (error.status === 410) lost(error.message);
    else showMessage(error.message, true);
    return null;
  });
}

// The server no longer holds the window for this page.
function lost(text) {
  clearInterval(signsOfLife);
  sessionStorage.removeItem(windowKey);
  showMessage(text, true);
  for (const button of document.querySelectorAll(".toolbar button")) button.disabled = true;
  document.getElementById("open-again").hidden = false;
}

// A command the module may ask about: sent again with the answers until it asks no more.
async function ask(command, body) {
  const answers = [];
  let reply = await call(command, { ...body, answers });
  while (reply && reply.question) {
    answers.push(await askModuleQuestion(reply.question));
    reply = await call(command, { ...body, answers });
  }
  return reply;
}

function cellInput(row, index, column) {
  const input = element("input");
  input.value = row.cells[column.key];
  input.setAttribute("aria-label", column.caption);
  input.dataset.key = column.key;
  if (row.fontColour) input.style.color = row.fontColour;
  input.addEventListener("focus", () => select(index, false));
  // A value the module refuses leaves the cell as the window holds it.
  input.addEventListener("change", () => {
    call("edit", { row: index, column: column.key, value: input.value }).then((reply) => {
      if (reply) showMessage("");
      else input.value = view.rows[index].cells[column.key];
    });
  });
  return input;
}

function render() {
  const grid = document.getElementById("reason-grid");
  drawGridHead(grid, view.columns);
  grid.tBodies[0].replaceChildren(...view.rows.map((row, index) => {
    const tr = document.createElement("tr");
    tr.tabIndex = -1;
    if (row.deleted) tr.classList.add("deleted");
    tr.addEventListener("click", () => select(index, false));
    for (const column of view.columns) {
      const td = document.createElement("td");
      td.append(cellInput(row, index, column));
      tr.append(td);
    }
    return tr;
  }));
  document.getElementById("unsaved").hidden = !view.modified;
  select(Math.min(selected, view.rows.length - 1), false);
}

function select(index, focus) {
  selected = index;
  const trs = markSelected(document.getElementById("reason-grid"), index);
  if (focus && index >= 0) trs[index].querySelector("input").focus();
}

function requireSelected() {
  if (selected >= 0) return true;
  showMessage("Zaznacz wiersz.", true);
  return false;
}

async function open() {
  document.getElementById("open-again").hidden = true;
  try {
    view = await api.post("/api/return-reasons/window", { previous: sessionStorage.getItem(windowKey) || "" });
  } catch (error) {
    showMessage(error.message, true);
    document.getElementById("open-again").hidden = false;
    return;
  }
  sessionStorage.setItem(windowKey, view.window);
  for (const button of document.querySelectorAll(".toolbar button")) button.disabled = false;
  selected = view.rows.length ? 0 : -1;
  showMessage("");
  render();
  clearInterval(signsOfLife);
  signsOfLife = setInterval(signOfLife, view.signOfLifeSeconds * 1000);
}

function signOfLife() {
  api.post(windowPath("alive")).catch((error) => {
    if (error.status === 410) lost(error.message);
  });
}

async function add() {
  const reply = await call("add");
  if (!reply) return;
  selected = reply.added;
  render();
  select(selected, true);
}

async function remove() {
  if (!requireSelected()) return;
  const row = selected;
  await ask("delete", { row });
  select(row, true);
}

async function restore() {
  if (requireSelected()) await call("restore", { row: selected });
}

// One save at a time: the button stays disabled while one is under way, and
// the server carries out a request id once.
async function save() {
  const button = document.getElementById("save");
  if (button.disabled) return;
  button.disabled = true;
  try {
    const reply = await call("save", { request: requestId() });
    if (reply) showMessage("Zapisano.");
  } finally {
    button.disabled = false;
  }
}

async function reload() {
  if (await call("reload")) showMessage("");
}

async function send() {
  try {
    showMessage((await api.post("/api/return-reasons/send")).message);
  } catch (error) {
    showMessage(error.message, true);
  }
}

async function close() {
  const reply = await ask("close", {});
  if (reply && reply.closed) {
    clearInterval(signsOfLife);
    sessionStorage.removeItem(windowKey);
    location.href = "/";
  }
}

// Leaving lets the window go at once; the request outlives the page as a
// beacon does, with the session's CSRF token, which a beacon cannot carry.
function leave() {
  if (!view || !sessionStorage.getItem(windowKey)) return;
  fetch(windowPath("leave"), {
    method: "POST",
    keepalive: true,
    credentials: "same-origin",
    headers: { "Content-Type": "application/json", "X-CSRF-Token": api.csrfToken },
    body: "{}",
  });
}

function onKey(event) {
  if (document.querySelector("dialog[open]")) return;
  const inCell = event.target.tagName === "INPUT";
  if (event.key === "Insert") add();
  else if (event.key === "Delete" && !inCell) remove();
  else if (event.key === "s" && event.ctrlKey) save();
  else if (event.key === "ArrowDown" && selected < view.rows.length - 1) select(selected + 1, true);
  else if (event.key === "ArrowUp" && selected > 0) select(selected - 1, true);
  else return;
  event.preventDefault();
}

document.getElementById("add").addEventListener("click", add);
document.getElementById("remove").addEventListener("click", remove);
document.getElementById("restore").addEventListener("click", restore);
document.getElementById("save").addEventListener("click", save);
document.getElementById("reload").addEventListener("click", reload);
document.getElementById("send").addEventListener("click", send);
document.getElementById("close").addEventListener("click", close);
document.getElementById("open-again").addEventListener("click", open);
document.addEventListener("keydown", onKey);
window.addEventListener("pagehide", leave);
// A tab long hidden runs its timers rarely: coming back, it tells the server at once.
document.addEventListener("visibilitychange", () => {
  if (document.visibilityState === "visible" && sessionStorage.getItem(windowKey)) signOfLife();
});
// A page brought back from the browser's cache has let its window go: it opens one again.
window.addEventListener("pageshow", (event) => {
  if (event.persisted) open();
});

for (const button of document.querySelectorAll(".toolbar button")) button.disabled = true;
startPage()
  .then(open)
  .catch((error) => showMessage(error.message, true));

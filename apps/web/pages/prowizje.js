// The commission-group window in the browser: the groups in the module's
// columns and cells. A deletion is asked about and checked by the module at
// once (a group with recipients is refused) and kept here until "Zapisz".
// The window holds no lock, so the save sends the rows this page was given:
// when another clerk has changed the groups since, the server refuses it,
// naming the changes, and the page offers to load them again.
"use strict";

let view = null;     // the groups as the server gave them
let removed = [];    // the ids of the groups deleted here, not yet saved
let selected = -1;

function render() {
  const grid = document.getElementById("group-grid");
  drawGridHead(grid, view.columns);
  grid.tBodies[0].replaceChildren(...view.rows.map((row, index) => {
    const tr = document.createElement("tr");
    tr.tabIndex = -1;
    tr.dataset.id = row.id;
    if (removed.includes(row.id)) tr.classList.add("removed");
    tr.addEventListener("focus", () => select(index, false));
    tr.addEventListener("click", () => select(index, true));
    for (const column of view.columns) tr.append(element("td", row.cells[column.key]));
    return tr;
  }));
  document.getElementById("unsaved").hidden = removed.length === 0;
  select(Math.min(selected, view.rows.length - 1), false);
}

function select(index, focus) {
  selected = index;
  const trs = markSelected(document.getElementById("group-grid"), index);
  if (focus && index >= 0) trs[index].focus();
}

async function load() {
  view = await api.get("/api/commission-groups");
  removed = [];
  selected = view.rows.length ? 0 : -1;
  render();
}

async function reload() {
  try {
    await load();
    showMessage("");
  } catch (error) {
    showMessage(error.message, true);
  }
}

// The module asks first; the request goes again with the answer.
async function remove() {
  if (selected < 0) return showMessage("Zaznacz grupę do usunięcia.", true);
  const row = view.rows[selected];
  if (removed.includes(row.id)) return;
  const answers = [];
  try {
    let reply = await api.post("/api/commission-groups/delete", { id: row.id, answers });
    while (reply.question) {
      answers.push(await askModuleQuestion(reply.question));
      reply = await api.post("/api/commission-groups/delete", { id: row.id, answers });
    }
    if (reply.removed) {
      removed.push(row.id);
      showMessage("");
      render();
    }
  } catch (error) {
    showMessage(error.message, true);
  }
  select(selected, true);
}

// The save's refusal over another clerk's changes comes with the offer to load the groups again.
function offerReload(text) {
  showMessage(text, true);
  const again = element("button", "Wczytaj ponownie");
  again.type = "button";
  again.id = "load-again";
  again.addEventListener("click", reload);
  document.getElementById("message").append(" ", again);
  again.focus();
}

// One save at a time: the button stays disabled while one is under way, and
// the server carries out a request id once.
async function save() {
  const button = document.getElementById("save");
  if (button.disabled) return;
  button.disabled = true;
  try {
    view = await api.post("/api/commission-groups", { request: requestId(), loaded: view.rows, removed });
    removed = [];
    render();
    showMessage("Zapisano.");
  } catch (error) {
    if (error.status === 409) offerReload(error.message);
    else showMessage(error.message, true);
  } finally {
    button.disabled = false;
  }
}

function onKey(event) {
  if (document.querySelector("dialog[open]")) return;
  if (event.key === "Delete") remove();
  else if (event.key === "F5") reload();
  else if (event.key === "s" && event.ctrlKey) save();
  else if (event.key === "ArrowDown" && selected < view.rows.length - 1) select(selected + 1, true);
  else if (event.key === "ArrowUp" && selected > 0) select(selected - 1, true);
  else return;
  event.preventDefault();
}

document.getElementById("remove").addEventListener("click", remove);
document.getElementById("save").addEventListener("click", save);
document.getElementById("reload").addEventListener("click", reload);
document.addEventListener("keydown", onKey);

startPage()
  .then(load)
  .catch((error) => showMessage(error.message, true));

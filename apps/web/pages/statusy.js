// The status-change planning window in the browser: the grid of planned
// changes, edited here and saved together through the server's window, which
// keeps the planning rules and refuses what they refuse. The page checks a
// past day itself too, so that the clerk hears of it at once.
"use strict";

const pastDayMessage = "Nie można ustawić daty z przeszłości";
const refreshQuestion = "Wprowadzone zmiany nie zostaną zachowane. Czy odświeżyć?";
const exitQuestion = "Wprowadzone zmiany nie zostaną zachowane. Czy opuścić edycję?";

let view = null;         // the window as the server last drew it
let rows = [];           // its rows with the page's edits; a row added here has id null
let unansweredSave = null; // the id of a save sent and not answered
let removedChanges = [];     // stored changes removed here
let selected = -1;
let addedCount = 0;
let chosenProduct = null;
let lastSearch = { text: "", row: -1 };

function rowFromServer(row) {
  return { ...row, key: "change-" + row.id, saved: { status: row.status, changeDate: row.changeDate } };
}

function isEdited(row) {
  return row.id === null || row.pendingDay != null || row.status !== row.saved.status ||
    row.changeDate !== row.saved.changeDate;
}

function isModified() {
  return removedChanges.length > 0 || rows.some(isEdited);
}

function noteModified() {
  document.getElementById("unsaved").hidden = !isModified();
}

function statusName(status) {
  const found = view.statuses.find((known) => known.code === status);
  return found ? found.name : "<nieznany>";
}

// A cell's text as the window shows it; what "Znajdź tekst" searches.
function cellText(row, key) {
  if (key === "Status") return row.status === null ? "" : statusName(row.status);
  if (key === "ChangeDate") return row.changeDate;
  return row.cells[key] || "";
}

function statusChoice(row) {
  const choice = element("select", null, "status-choice");
  choice.setAttribute("aria-label", "Status");
  if (row.status === null) choice.append(new Option("bieżący status towaru", ""));
  else if (!view.statuses.some((known) => known.code === row.status)) {
    choice.append(new Option("<nieznany>", String(row.status)));
  }
  for (const known of view.statuses) choice.append(new Option(known.name, String(known.code)));
  choice.value = row.status === null ? "" : String(row.status);
  choice.addEventListener("change", () => {
    row.status = choice.value === "" ? null : Number(choice.value);
    noteModified();
  });
  return choice;
}

// A day the page refuses: a past one, or none.
function dayRefusal(day) {
  if (!day) return "Podaj datę zmiany (RRRR-MM-DD).";
  return day < view.today ? pastDayMessage : null;
}

// The day shown as the window writes it, with the date field beside it. A
// refused day stays in the field, pending, until corrected or the grid is
// loaded again, and no save goes out while one is pending; a year typed digit
// by digit passes through such days on its way.
function dayChoice(row) {
  const text = element("span", row.changeDate, "day-text");
  const field = element("input", null, "day-choice");
  field.type = "date";
  field.min = view.today;
  field.value = row.changeDate;
  field.setAttribute("aria-label", "Data zmiany");
  field.addEventListener("change", () => {
    const refusal = dayRefusal(field.value);
    row.pendingDay = refusal ? field.value : null;
    if (!refusal) {
      row.changeDate = field.value;
      text.textContent = field.value;
    }
    showMessage(refusal, true);
    noteModified();
  });
  const cell = document.createElement("span");
  cell.className = "day-cell";
  cell.append(text, field);
  return cell;
}

function cellElement(row, key) {
  const td = document.createElement("td");
  td.dataset.key = key;
  if (key === "Status" && !row.applied) td.append(statusChoice(row));
  else if (key === "ChangeDate" && !row.applied) td.append(dayChoice(row));
  else td.textContent = cellText(row, key);
  if (row.fontColour) td.style.color = row.fontColour;
  if (row.backgroundColour) td.style.backgroundColor = row.backgroundColour;
  return td;
}

function rowElement(row, index) {
  const tr = document.createElement("tr");
  tr.id = row.key;
  tr.tabIndex = -1;
  if (row.past) tr.classList.add("past");
  for (const column of view.columns) tr.append(cellElement(row, column.key));
  tr.addEventListener("focusin", () => select(index, false));
  tr.addEventListener("click", () => select(index, false));
  return tr;
}

function render() {
  const grid = document.getElementById("status-grid");
  drawGridHead(grid, view.columns);
  grid.tBodies[0].replaceChildren(...rows.map(rowElement));
  select(Math.min(selected, rows.length - 1), false);
  noteModified();
}

function select(index, focus) {
  selected = index;
  const trs = markSelected(document.getElementById("status-grid"), index);
  if (focus && index >= 0) trs[index].focus();
}

async function load() {
  view = await api.get("/api/status-changes");
  document.getElementById("window-title").textContent = view.title;
  rows = view.rows.map(rowFromServer);
  removedChanges = [];
  selected = rows.length ? 0 : -1;
  lastSearch = { text: "", row: -1 };
  render();
}

async function refresh() {
  if (isModified() && !confirm(refreshQuestion)) return;
  try {
    await load();
    showMessage("");
  } catch (error) {
    showMessage(error.message, true);
  }
}

function exit() {
  if (isModified() && !confirm(exitQuestion)) return;
  location.href = "/";
}

function remove() {
  if (selected < 0) {
    showMessage("Zaznacz wiersz do usunięcia.", true);
    return;
  }
  const [row] = rows.splice(selected, 1);
  if (row.id !== null) removedChanges.push({ id: row.id, modifiedAt: row.modifiedAt });
  render();
  select(selected, true);
}

function edits() {
  const added = [];
  const changed = [];
  for (const row of rows.filter(isEdited)) {
    if (row.id !== null) {
      changed.push({ id: row.id, modifiedAt: row.modifiedAt, status: row.status, changeDate: row.changeDate });
    }
    else if (row.status === null) added.push({ productId: row.productId, changeDate: row.changeDate });
    else added.push({ productId: row.productId, status: row.status, changeDate: row.changeDate });
  }
  return { added, changed, removed: removedChanges };
}

async function save() {
  const pending = rows.find((row) => row.pendingDay != null);
  if (pending) {
    showMessage(dayRefusal(pending.pendingDay), true);
    return;
  }
  // One save at a time: a second click waits for the first to be answered;
  // a save whose answer never came is sent again under its own id.
  const button = document.getElementById("save");
  button.disabled = true;
  unansweredSave = unansweredSave || requestId();
  try {
    view = await api.post("/api/status-changes", { request: unansweredSave, ...edits() });
    unansweredSave = null;
    rows = view.rows.map(rowFromServer);
    removedChanges = [];
    render();
    showMessage("Zapisano.");
  } catch (error) {
    if (error.status) unansweredSave = null;
    showMessage(error.message, true);
  } finally {
    button.disabled = false;
  }
}

// From the row after the last one found, while the same text is sought.
function findNext(text) {
  const sought = text.toLocaleLowerCase("pl");
  const from = lastSearch.text === text ? lastSearch.row + 1 : 0;
  for (let at = from; at < rows.length; ++at) {
    if (view.columns.some((column) => cellText(rows[at], column.key).toLocaleLowerCase("pl").includes(sought))) {
      lastSearch = { text, row: at };
      showMessage("");
      select(at, true);
      return;
    }
  }
  lastSearch = { text: "", row: -1 };
  showMessage("Nie znaleziono \"" + text + "\" w dalszych wierszach.", true);
}

function openFind() {
  const dialog = document.getElementById("find-dialog");
  if (dialog.open) return;
  document.getElementById("find-query").value = lastSearch.text;
  dialog.showModal();
  document.getElementById("find-query").select();
}

function addMessage(text) {
  document.getElementById("add-message").textContent = text || "";
}

function choose(product) {
  chosenProduct = product;
  document.getElementById("add-chosen").textContent =
    "Wybrano: " + product.name + " (ID " + product.id + (product.articleIndex ? ", indeks " + product.articleIndex : "") + ")";
  addMessage("");
}

// The product with that ID (when the text is a number) and those the identifier search finds.
async function findProducts() {
  const text = document.getElementById("add-product").value.trim();
  if (!text) {
    addMessage("Podaj ID towaru albo identyfikator.");
    return;
  }
  const found = [];
  let refusal = null;
  if (/^\d{1,10}$/.test(text)) {
    try {
      const card = await api.get("/api/products/" + encodeURIComponent(text));
      found.push({ id: card.id, articleIndex: card.articleIndex, name: card.name });
    } catch (error) {
      if (error.status !== 404) refusal = error.message;
    }
  }
  try {
    const search = await api.get("/api/products?identifier=" + encodeURIComponent(text));
    for (const row of search.rows) if (!found.some((known) => known.id === row.id)) found.push(row);
  } catch (error) {
    refusal = refusal || error.message;
  }
  const table = document.getElementById("add-results");
  table.tBodies[0].replaceChildren(...found.map((product) => {
    const tr = document.createElement("tr");
    const pick = element("button", "Wybierz", "choose");
    pick.type = "button";
    pick.addEventListener("click", () => {
      choose(product);
      document.getElementById("add-date").focus();
    });
    const action = document.createElement("td");
    action.append(pick);
    tr.append(element("td", product.id), element("td", product.articleIndex || "–"), element("td", product.name), action);
    return tr;
  }));
  table.hidden = found.length === 0;
  if (found.length === 1) choose(found[0]);
  else if (found.length === 0) addMessage(refusal || "Nie znaleziono towaru dla \"" + text + "\".");
  else addMessage("");
}

function openAdd() {
  chosenProduct = null;
  document.getElementById("add-product").value = "";
  document.getElementById("add-results").hidden = true;
  document.getElementById("add-chosen").textContent = "";
  document.getElementById("add-date").value = view.today;
  document.getElementById("add-date").min = view.today;
  addMessage("");
  document.getElementById("add-dialog").showModal();
  document.getElementById("add-product").focus();
}

// "Dodaj" in the dialog: the row joins the grid with the product's own status until one is chosen.
function addChosen(event) {
  event.preventDefault();
  const day = document.getElementById("add-date").value;
  if (!chosenProduct) return addMessage("Wybierz towar.");
  if (dayRefusal(day)) return addMessage(dayRefusal(day));
  rows.push({
    key: "new-" + ++addedCount, id: null, productId: chosenProduct.id, status: null, changeDate: day, saved: null,
    applied: false, past: false, fontColour: null, backgroundColour: view.backgroundColour,
    cells: { ProductIndex: chosenProduct.articleIndex || "", ProductName: chosenProduct.name, Applied: "nie", Modified: "" },
  });
  document.getElementById("add-dialog").close();
  selected = rows.length - 1;
  render();
  select(selected, true);
  showMessage("");
}

function onGridKey(event) {
  if (event.target.tagName !== "TR") return;
  if (event.key === "ArrowDown" && selected < rows.length - 1) select(selected + 1, true);
  else if (event.key === "ArrowUp" && selected > 0) select(selected - 1, true);
  else if (event.key === "Delete") remove();
  else return;
  event.preventDefault();
}

// F5 and F7 are the window's keys, not the browser's.
function onKey(event) {
  if (event.key === "F5") {
    event.preventDefault();
    if (!document.querySelector("dialog[open]")) refresh();
  } else if (event.key === "F7") {
    event.preventDefault();
    if (!document.querySelector("dialog[open]")) openFind();
  }
}

document.getElementById("add").addEventListener("click", openAdd);
document.getElementById("remove").addEventListener("click", remove);
document.getElementById("save").addEventListener("click", save);
document.getElementById("refresh").addEventListener("click", refresh);
document.getElementById("find-text").addEventListener("click", openFind);
document.getElementById("exit").addEventListener("click", exit);
document.getElementById("status-grid").addEventListener("keydown", onGridKey);
document.addEventListener("keydown", onKey);

document.getElementById("add-find").addEventListener("click", findProducts);
document.getElementById("add-product").addEventListener("keydown", (event) => {
  if (event.key !== "Enter") return;
  event.preventDefault();
  findProducts();
});
document.getElementById("add-form").addEventListener("submit", addChosen);
document.getElementById("add-cancel").addEventListener("click", () => document.getElementById("add-dialog").close());

document.getElementById("find-form").addEventListener("submit", (event) => {
  event.preventDefault();
  const text = document.getElementById("find-query").value;
  document.getElementById("find-dialog").close();
  if (text) findNext(text);
});
document.getElementById("find-cancel").addEventListener("click", () => document.getElementById("find-dialog").close());

startPage()
  .then(load)
  .catch((error) => showMessage(error.message, true));

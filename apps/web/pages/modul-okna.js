// The module's dialogs in a page: a question a job asks (a yes/no question,
// the report viewer, check boxes, a grid to pick a row of, a file to choose)
// drawn from the JSON the job gave, with the module's texts and buttons; the
// answer goes back through `answer`. Every text is put in as text.
"use strict";

// A table whose rows the clerk sorts by a column with a click on its header
// (again: the other way); numbers compare as numbers. Each row keeps its place
// in `rows` as data-row, however it is sorted, and is handed to `drawn` as drawn.
function sortableTable(columns, rows, id, drawn = () => {}) {
  const table = element("table");
  if (id) table.id = id;
  const head = table.createTHead().insertRow();
  const body = table.createTBody();
  let sorted = { column: -1, ascending: true };
  const places = new Map(rows.map((row, index) => [row, index]));
  const draw = () => {
    body.replaceChildren();
    for (const row of rows) {
      const line = body.insertRow();
      line.dataset.row = places.get(row);
      row.forEach((cell, index) => line.append(element("td", cell, columns[index].align === "right" ? "number" : "")));
      drawn(line);
    }
  };
  const compare = (a, b) => {
    const numbers = [Number(a), Number(b)];
    if (a !== "" && b !== "" && !numbers.some(Number.isNaN)) return numbers[0] - numbers[1];
    return String(a).localeCompare(String(b), "pl");
  };
  columns.forEach((column, index) => {
    const header = element("th", column.caption);
    header.tabIndex = 0;
    header.title = "Sortuj";
    header.addEventListener("click", () => {
      sorted = { column: index, ascending: sorted.column === index ? !sorted.ascending : true };
      rows = [...rows].sort((a, b) => (sorted.ascending ? 1 : -1) * compare(a[index], b[index]));
      for (const other of head.cells) other.removeAttribute("aria-sort");
      header.setAttribute("aria-sort", sorted.ascending ? "ascending" : "descending");
      draw();
    });
    head.append(header);
  });
  draw();
  return table;
}

function checkBoxes(options) {
  const list = element("div", null, "options");
  for (const option of options) {
    const label = element("label");
    const box = element("input");
    box.type = "checkbox";
    box.checked = option.checked;
    box.dataset.id = option.id;
    label.append(box, " " + option.caption);
    list.append(label);
  }
  return list;
}

function tickedOf(place) {
  return [...place.querySelectorAll(".options input:checked")].map((box) => box.dataset.id);
}

// Draws the question into `place`; answer(reply) sends the reply the job reads.
function drawModuleQuestion(question, place, answer) {
  place.replaceChildren();
  const buttons = element("div", null, "toolbar");
  const button = (caption, reply) => {
    const made = element("button", caption);
    made.type = "button";
    made.addEventListener("click", async () => {
      const all = buttons.querySelectorAll("button");
      for (const each of all) each.disabled = true;
      try {
        answer(await reply());
      } catch (error) {
        for (const each of all) each.disabled = false;
        buttons.before(element("p", error.message, "error"));
      }
    });
    buttons.append(made);
  };
  const [yes, no] = question.buttons;
  switch (question.dialog) {
    case "viewer":
      place.append(element("h3", question.title), element("p", question.description));
      if (question.table) {
        place.append(sortableTable(question.table.columns, question.table.rows, "report-table"));
        const text = element("details");
        text.append(element("summary", "Raport jako tekst"), element("pre", question.text));
        place.append(text);
      } else {
        place.append(element("pre", question.text));
      }
      button(yes, () => ({ answer: true }));
      button(no, () => ({ answer: false }));
      break;
    case "options":
    case "ask-options":
      if (question.title) place.append(element("h3", question.title));
      place.append(element("p", question.text), checkBoxes(question.options));
      button(yes, () => ({ answer: true, ticked: tickedOf(place) }));
      if (no) button(no, () => ({ answer: false }));
      break;
    case "grid": {
      // A row is chosen with a click, or from the keyboard: Tab to it, then Enter or the space bar.
      place.append(element("h3", question.caption));
      let chosen = null;
      const mark = (line) => {
        const isChosen = Number(line.dataset.row) === chosen;
        line.tabIndex = 0;
        line.classList.toggle("chosen", isChosen);
        line.setAttribute("aria-selected", String(isChosen));
      };
      const table = sortableTable(question.columns, question.rows, "grid-table", mark);
      table.setAttribute("aria-label", question.caption);
      const choose = (event) => {
        const row = event.target.closest("tbody tr");
        if (!row || (event.type === "keydown" && event.key !== "Enter" && event.key !== " ")) return;
        event.preventDefault();
        chosen = Number(row.dataset.row);
        for (const line of table.tBodies[0].rows) mark(line);
      };
      table.tBodies[0].addEventListener("click", choose);
      table.tBodies[0].addEventListener("keydown", choose);
      place.append(table);
      button(yes, () => {
        if (chosen === null) throw new Error("Wybierz wiersz tabeli.");
        return { row: chosen };
      });
      button(no, () => ({}));
      break;
    }
    case "file": {
      // The file is sent to the server first; the answer names it by the id the server gave.
      const input = element("input");
      input.type = "file";
      input.setAttribute("aria-label", question.title);
      place.append(element("h3", question.title), input);
      button(yes, async () => (input.files.length ? { upload: (await api.upload(input.files[0])).upload } : {}));
      button(no, () => ({}));
      break;
    }
    default:
      place.append(element("p", question.text));
      button(yes, () => ({ answer: true }));
      button(no, () => ({ answer: false }));
  }
  place.append(buttons);
}

// Asks the module's question in a modal dialog of the page, as a window asks
// it; resolves with the reply the module reads. Escape answers as "no".
function askModuleQuestion(question) {
  return new Promise((resolve) => {
    const dialog = element("dialog", null, "module-question");
    dialog.id = "module-question";
    const finish = (reply) => {
      dialog.close();
      dialog.remove();
      resolve(reply);
    };
    dialog.addEventListener("cancel", (event) => {
      event.preventDefault();
      finish({ answer: false });
    });
    drawModuleQuestion(question, dialog, finish);
    document.body.append(dialog);
    dialog.showModal();
    dialog.querySelector("button").focus();
  });
}

// The module's dialogs in a page: a question a job asks (a yes/no question,
// the report viewer, check boxes, a grid to pick a row of, a file to choose)
// drawn from the JSON the job gave, with the module's texts and buttons; the
// answer goes back through `answer`. Every text is put in as text.
"use strict";

// A table whose rows the clerk sorts by a column with a click on its header
// (again: the other way); numbers compare as numbers.
function sortableTable(columns, rows, id) {
  const table = element("table");
  if (id) table.id = id;
  const head = table.createTHead().insertRow();
  const body = table.createTBody();
  let sorted = { column: -1, ascending: true };
  const draw = () => {
    body.replaceChildren();
    for (const row of rows) {
      const line = body.insertRow();
      row.forEach((cell, index) => line.append(element("td", cell, columns[index].align === "right" ? "number" : "")));
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
      place.append(element("h3", question.caption));
      const table = sortableTable(question.columns, question.rows.map((row, index) => [...row, index]));
      let chosen = null;
      table.tBodies[0].addEventListener("click", (event) => {
        const row = event.target.closest("tr");
        if (!row) return;
        for (const other of table.tBodies[0].rows) other.classList.remove("chosen");
        row.classList.add("chosen");
        chosen = Number(row.cells[row.cells.length - 1].textContent);
      });
      place.append(table);
      button(yes, () => (chosen === null ? {} : { row: chosen }));
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

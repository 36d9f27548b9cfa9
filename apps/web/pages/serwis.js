// The service jobs: the PLU check, the evening run and the products' import,
// each a job the server runs in a process of its own. The page starts it, then polls it (each poll
// waits on the server up to a second for news, so the time shown moves every
// second), draws its lines and its question, and sends the answers. A page
// that stops polling (closed, gone elsewhere) lets the server end the job.
"use strict";

const showError = (error) => { document.getElementById("message").textContent = error.message; };

function drawStep(line, table) {
  const id = "step-" + line.number;
  let row = document.getElementById(id);
  if (!row) {
    row = table.tBodies[0].insertRow();
    row.id = id;
    for (let cell = 0; cell < 6; ++cell) row.insertCell();
    row.cells[0].textContent = line.number + (line.count ? "/" + line.count : "");
    row.cells[1].textContent = line.guid;
  }
  row.cells[2].textContent = line.state === "started" ? "trwa" : "zakończony";
  if (line.state === "ended") {
    row.cells[3].textContent = line.outcome;
    row.cells[4].textContent = line.status;
    row.cells[5].textContent = line.time;
  }
}

// A phase of the job; with a count (rows stored of all), the bar shows how far it has come.
function drawProgress(line, section) {
  const bar = section.querySelector("progress");
  section.dataset.phase = line.text + (line.total ? ": " + line.done + " z " + line.total : "");
  if (line.total) {
    bar.max = line.total;
    bar.value = line.done;
  } else {
    bar.removeAttribute("value");
  }
}

function drawLine(line, section) {
  const lines = section.querySelector(".lines");
  if (line.type === "step") drawStep(line, section.querySelector("table"));
  else if (line.type === "progress") drawProgress(line, section);
  else if (line.type === "message") lines.append(element("p", line.text, line.kind === "warning" ? "error" : "notice"));
  else if (line.type === "output") lines.append(element("pre", line.text));
}

// Follows the job of the kind until it ends; `fresh`: drawn from its first line.
async function follow(kind, section, fresh) {
  const state = section.querySelector(".state");
  const question = section.querySelector(".question");
  const result = section.querySelector(".result");
  const cancel = section.querySelector(".cancel");
  const progress = section.querySelector("progress");
  let next = 0;
  let shownQuestion = null;
  if (fresh) {
    section.querySelector(".lines").replaceChildren();
    question.replaceChildren();
    result.textContent = "";
    delete section.dataset.phase;
    const steps = section.querySelector("table");
    if (steps) steps.tBodies[0].replaceChildren();
  }
  for (;;) {
    const { job } = await api.get("/api/jobs/" + kind + "?from=" + next);
    if (!job) return;
    job.lines.forEach((line) => drawLine(line, section));
    next = job.next;
    const waiting = job.question && job.question.id;
    state.textContent = (job.running ? "Trwa " : "Trwało ") + job.seconds + " s" +
      (waiting ? ": czeka na odpowiedź." : job.running && section.dataset.phase ? ": " + section.dataset.phase : ".");
    progress.hidden = !job.running || Boolean(waiting);
    cancel.hidden = !job.running;
    if (waiting !== shownQuestion) {
      shownQuestion = waiting;
      if (job.question) {
        drawModuleQuestion(job.question, question, (reply) =>
          api.post("/api/jobs/" + kind + "/answer", { question: job.question.id, ...reply })
            .then(() => question.replaceChildren()).catch(showError));
      } else {
        question.replaceChildren();
      }
    }
    if (!job.running) {
      result.textContent = job.ok ? "Zakończono." : "Nie zakończono: " + job.result;
      result.className = "result " + (job.ok ? "notice" : "error");
      return;
    }
  }
}

function setUpJob(kind, startBody) {
  const section = document.getElementById(kind);
  section.querySelector(".start").addEventListener("click", async () => {
    document.getElementById("message").textContent = "";
    try {
      await api.post("/api/jobs/" + kind, await startBody());
      await follow(kind, section, true);
      if (kind === "evening") await listLogs();
    } catch (error) {
      showError(error);
    }
  });
  section.querySelector(".cancel").addEventListener("click", () =>
    api.post("/api/jobs/" + kind + "/cancel").catch(showError));
  // A job started before this page was loaded (a reload) is taken up again.
  return follow(kind, section, true);
}

async function listLogs() {
  const { days } = await api.get("/api/evening/logs");
  const select = document.getElementById("log-day");
  const chosen = select.value;
  select.replaceChildren(...days.map((day) => element("option", day)));
  if (days.includes(chosen)) select.value = chosen;
  await showLog();
}

async function showLog() {
  const day = document.getElementById("log-day").value;
  const text = document.getElementById("log-text");
  text.textContent = day ? (await api.get("/api/evening/logs/" + encodeURIComponent(day))).text : "Brak dzienników.";
}

startPage().then(() => {
  const day = document.getElementById("evening-day");
  day.valueAsDate = new Date();
  document.getElementById("log-day").addEventListener("change", () => showLog().catch(showError));
  document.getElementById("log-refresh").addEventListener("click", () => listLogs().catch(showError));
  listLogs().catch(showError);
  setUpJob("plu-check", () => ({})).catch(showError);
  setUpJob("evening", () => ({ day: day.value })).catch(showError);
  const file = document.getElementById("import-file");
  setUpJob("products-import", async () => {
    if (!file.files.length) throw new Error("Wybierz plik CSV z towarami.");
    return { upload: (await api.upload(file.files[0])).upload };
  }).catch(showError);
}).catch(showError);

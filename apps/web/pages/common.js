// What every page shares: calls of the JSON API (the CSRF token sent with
// every change, a lost session sending the browser to sign in), the top bar,
// text put into the page only as text, and the long jobs' sections. A job is
// one the server runs in a process of its own: the page starts it, then polls
// it (each poll waits on the server up to a second for news, so the time shown
// moves every second), draws its lines and its question (modul-okna.js), and
// sends the answers. A page that stops polling (closed, gone elsewhere) lets
// the server end the job.
"use strict";

const api = {
  csrfToken: null,

  async request(method, path, body) {
    const headers = { Accept: "application/json" };
    // A file goes as it is; anything else as JSON.
    const file = body instanceof Blob;
    if (body !== undefined) headers["Content-Type"] = file ? body.type || "application/octet-stream" : "application/json";
    if (method !== "GET" && api.csrfToken) headers["X-CSRF-Token"] = api.csrfToken;
    const response = await fetch(path, {
      method,
      headers,
      body: body === undefined || file ? body : JSON.stringify(body),
      credentials: "same-origin",
    });
    let data = {};
    try {
      data = await response.json();
    } catch (ignored) {
      data = { error: "Serwer zwrócił nieczytelną odpowiedź (" + response.status + ")." };
    }
    if (response.status === 401 && path !== "/api/sign-in") {
      location.href = "/logowanie.html?dalej=" + encodeURIComponent(location.pathname + location.search);
    }
    if (!response.ok) {
      const error = new Error(data.error || "Błąd " + response.status + ".");
      error.status = response.status;
      throw error;
    }
    if (data.csrfToken) api.csrfToken = data.csrfToken;
    return data;
  },
  get(path) { return api.request("GET", path); },
  post(path, body) { return api.request("POST", path, body === undefined ? {} : body); },
  // Sends a file the clerk chose; resolves with its id on the server ({upload}).
  upload(file) { return api.request("POST", "/api/uploads?name=" + encodeURIComponent(file.name), file); },
};

// An element with its text set as text, never as markup.
function element(tag, text, className) {
  const made = document.createElement(tag);
  if (text !== undefined && text !== null) made.textContent = String(text);
  if (className) made.className = className;
  return made;
}

// The top bar of a signed-in page: the clerk, the pages, sign-out.
async function startPage() {
  const session = await api.get("/api/session");
  const bar = document.getElementById("top-bar");
  if (bar) {
    bar.replaceChildren();
    const links = [["/", "Wyszukiwanie towarów"], ["/statusy.html", "Planowanie zmiany statusu"],
      ["/powody.html", "Powody zwrotów"], ["/prowizje.html", "Grupy prowizyjne"],
      ["/zamowienie.html", "Wariant zamówienia"], ["/vat.html", "Zmiany stawek VAT"],
      ["/serwis.html", "Prace serwisowe"]];
    for (const [href, label] of links) {
      const link = element("a", label);
      link.href = href;
      bar.append(link);
    }
    bar.append(element("span", session.user.name + " (" + session.user.id + ")", "clerk"));
    const signOut = element("button", "Wyloguj");
    signOut.id = "sign-out";
    signOut.addEventListener("click", async () => {
      await api.post("/api/sign-out");
      location.href = "/logowanie.html";
    });
    bar.append(signOut);
  }
  return session;
}

// A new id for a save request, which the server carries out once however often it arrives.
function requestId() {
  const bytes = crypto.getRandomValues(new Uint8Array(16));
  return [...bytes].map((byte) => byte.toString(16).padStart(2, "0")).join("");
}

// Today as the clerk's clock has it, "RRRR-MM-DD" (a date field's valueAsDate would take UTC's day).
function localToday() {
  const now = new Date();
  return [now.getFullYear(), now.getMonth() + 1, now.getDate()].map((part) => String(part).padStart(2, "0")).join("-");
}

// The page's line of messages: a notice, or an error.
function showMessage(text, isError) {
  const message = document.getElementById("message");
  message.textContent = text || "";
  message.className = isError ? "error" : "notice";
}

// A window's grid: its header from the columns the server gave, and the
// selected row marked (for the eye and for a screen reader).
function drawGridHead(grid, columns) {
  grid.tHead.rows[0].replaceChildren(...columns.map((column) => {
    const th = element("th", column.caption);
    th.scope = "col";
    th.dataset.key = column.key;
    return th;
  }));
}

function markSelected(grid, index) {
  const trs = grid.tBodies[0].rows;
  for (let at = 0; at < trs.length; ++at) {
    trs[at].classList.toggle("selected", at === index);
    trs[at].setAttribute("aria-selected", at === index ? "true" : "false");
  }
  return trs;
}

// A refusal or failure in the page's message line.
function showError(error) {
  showMessage(error.message, true);
}

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
            .then(() => {
              // A poll may have drawn the next question meanwhile.
              if (shownQuestion === job.question.id) question.replaceChildren();
            }).catch(showError));
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

// A job's start naming the file chosen in `input`, sent to the server first;
// `missing` tells the clerk to choose one.
async function sentFile(input, missing) {
  if (!input.files.length) throw new Error(missing);
  return { upload: (await api.upload(input.files[0])).upload };
}

// Sets up the job's section (its id the kind): its start button sends
// startBody()'s answer, and the job is followed until it ends, then `ended`
// runs; its cancel button ends it.
// The parts every job's section shows, made here rather than written in each
// page: the cancel button, the state and the bar under the toolbar, and the
// lines, the question and the result at the section's end.
function addJobParts(section) {
  const toolbar = section.querySelector(".toolbar");
  const cancel = element("button", "Przerwij", "cancel");
  cancel.type = "button";
  cancel.hidden = true;
  toolbar.append(cancel);
  const state = element("p", null, "state");
  state.setAttribute("role", "status");
  state.setAttribute("aria-live", "polite");
  const bar = element("progress", null, "running");
  bar.hidden = true;
  toolbar.after(state, bar);
  const result = element("p", null, "result");
  result.setAttribute("role", "status");
  section.append(element("div", null, "lines"), element("div", null, "question"), result);
}

function setUpJob(kind, startBody, ended = () => {}) {
  const section = document.getElementById(kind);
  addJobParts(section);
  section.querySelector(".start").addEventListener("click", async () => {
    document.getElementById("message").textContent = "";
    try {
      await api.post("/api/jobs/" + kind, await startBody());
      await follow(kind, section, true);
      await ended();
    } catch (error) {
      showError(error);
    }
  });
  section.querySelector(".cancel").addEventListener("click", () =>
    api.post("/api/jobs/" + kind + "/cancel").catch(showError));
  // A job started before this page was loaded (a reload) is taken up again.
  return follow(kind, section, true);
}

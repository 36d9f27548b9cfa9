// The service jobs: the PLU check, the evening run and the products' import,
// each a job the server runs in a process of its own, followed as common.js's
// setUpJob follows a job; the evening run's logs by day.
"use strict";

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
  day.value = localToday();
  document.getElementById("log-day").addEventListener("change", () => showLog().catch(showError));
  document.getElementById("log-refresh").addEventListener("click", () => listLogs().catch(showError));
  listLogs().catch(showError);
  setUpJob("plu-check", () => ({})).catch(showError);
  setUpJob("evening", () => ({ day: day.value }), listLogs).catch(showError);
  const file = document.getElementById("import-file");
  setUpJob("products-import", () => sentFile(file, "Wybierz plik CSV z towarami.")).catch(showError);
}).catch(showError);

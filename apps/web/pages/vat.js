// The VAT changes: the plan with its questions, the changes of a day and the
// PKWiU list, each a job followed as common.js's setUpJob follows one; the
// changes still pending listed after each of them.
"use strict";

async function listPending() {
  const { changes } = await api.get("/api/vat/pending");
  document.getElementById("pending-empty").hidden = changes.length > 0;
  document.getElementById("pending-table").tBodies[0].replaceChildren(...changes.map((change) => {
    const row = element("tr");
    for (const cell of [change.product, change.articleIndex, change.name, change.day, change.rateFrom, change.rateTo])
      row.append(element("td", cell));
    return row;
  }));
}

startPage().then(() => {
  const listed = () => listPending().catch(showError);
  document.getElementById("pending-refresh").addEventListener("click", listed);
  listed();
  setUpJob("vat-plan", () => ({}), listed).catch(showError);
  const day = document.getElementById("apply-day");
  day.value = localToday();
  setUpJob("vat-apply", () => {
    if (!confirm("Wykonać zmiany stawek VAT zaplanowane na dzień " + day.value + "? Wykonanych zmian nie można cofnąć.")) {
      throw new Error("Nie wykonano zmian stawek VAT.");
    }
    return { day: day.value };
  }, listed).catch(showError);
  const file = document.getElementById("pkwiu-file");
  setUpJob("vat-import", async () => {
    if (!file.files.length) throw new Error("Wybierz plik z listą PKWiU.");
    return { upload: (await api.upload(file.files[0])).upload };
  }, listed).catch(showError);
}).catch(showError);

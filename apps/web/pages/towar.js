// The product card: what the product is, its codes, prices of today, the
// multi-price elements, quantities and planned status changes, and a chart of
// its sale price over the last 90 days with the promotions marked and the
// lowest price of the 30 days before each day drawn as a line.
"use strict";

const codeStatuses = { 1: "aktywny", 2: "aktywny (dodatkowy)", 3: "usunięty" };

function addEntries(list, entries) {
  const target = document.getElementById(list);
  target.replaceChildren();
  for (const [term, value] of entries) {
    target.append(element("dt", term), element("dd", value === null || value === undefined ? "–" : value));
  }
}

function fillTable(id, rows) {
  const body = document.getElementById(id).tBodies[0];
  body.replaceChildren();
  for (const cells of rows) {
    const tr = document.createElement("tr");
    for (const cell of cells) tr.append(element("td", cell));
    body.append(tr);
  }
}

function showCard(card) {
  document.getElementById("card-title").textContent = "Karta towaru: " + card.name;
  addEntries("product", [
    ["ID", card.id],
    ["Nazwa", card.name],
    ["Indeks artykułu", card.articleIndex || "–"],
    ["Indeks grupy", card.groupIndex],
    ["Grupy", card.path.map((group) => group.index + " " + group.name).join(" › ") || "–"],
    ["Stawka VAT", card.vat ? card.vat.name + " (kod " + card.vat.code + ")" : "brak"],
  ]);
  fillTable("codes", [...card.liveCodes, ...card.deletedCodes].map((code) =>
    [code.code, codeStatuses[code.status] || String(code.status)]));
  const today = card.today;
  const before = card.priceBeforePromotion;
  const lowest = card.lowestPriceBeforePromotion;
  addEntries("prices", [
    ["Cena dziś", today.price],
    ["Źródło ceny", today.source],
    ["Cena własna towaru", today.productPrice],
    ["Cena z warunku sprzedaży", today.conditionPrice],
    ["Ceny alternatywne", today.alternativePrices.length ? today.alternativePrices.join(", ") : "brak"],
    ["Cena przed promocją", before ? before.price + " (promocja " + before.promotionFrom + " – " + before.promotionTo + ")" : "brak promocji"],
    ["Najniższa cena z 30 dni przed promocją", lowest ? lowest.price : "brak promocji"],
  ]);
  addEntries("quantities", [
    ["Stan", card.quantities.stock],
    ["Zarezerwowano", card.quantities.reserved],
    ["W reklamacji", card.quantities.inComplaint],
    ["Sekcja wagi", card.scale.section || "brak"],
    ["Numer na wadze", card.scale.number],
  ]);
  const elements = card.multiPrice ? card.multiPrice.elements : [];
  fillTable("elements", elements.map((item) => [item.id, item.articleIndex, item.name,
    item.conditions.map((c) => c.price + " (" + c.from + " – " + c.to + ")").join("; ") || "brak"]));
  fillTable("planned-statuses", card.plannedStatuses.map((change) =>
    [change.day, change.status + " " + change.statusName]));
  document.getElementById("card").hidden = false;
}

function showHistory(history) {
  const days = history.days;
  document.getElementById("history").hidden = false;
  new Chart(document.getElementById("price-history-chart"), {
    type: "line",
    data: {
      labels: days.map((entry) => entry.day),
      datasets: [
        {
          label: "Cena sprzedaży",
          data: days.map((entry) => Number(entry.price)),
          stepped: true,
          borderColor: "#23395d",
          pointRadius: days.map((entry) => (entry.promotion ? 3 : 0)),
          pointBackgroundColor: "#d9480f",
        },
        {
          label: "Najniższa cena z 30 dni",
          data: days.map((entry) => Number(entry.lowest30)),
          stepped: true,
          borderColor: "#2b8a3e",
          borderDash: [6, 4],
          pointRadius: 0,
        },
      ],
    },
    options: {
      animation: false,
      maintainAspectRatio: false,
      plugins: {
        tooltip: {
          callbacks: {
            afterLabel: (item) => (item.datasetIndex === 0 && days[item.dataIndex].promotion ? "promocja" : ""),
          },
        },
      },
    },
  });
}

startPage().then(async () => {
  const id = new URLSearchParams(location.search).get("id") || "";
  try {
    showCard(await api.get("/api/products/" + encodeURIComponent(id)));
    showHistory(await api.get("/api/products/" + encodeURIComponent(id) + "/price-history"));
  } catch (error) {
    document.getElementById("message").textContent = error.message;
  }
});

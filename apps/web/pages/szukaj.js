// The product search: the identifier field takes the characters the
// terminal's field takes (letters, digits, %, * and /); results page by page,
// each row opening the product's card (Enter or a click).
"use strict";

const identifierChar = /^[\p{L}\p{Nd}%*\/]$/u;
let current = { identifier: "", page: 1, pages: 0 };

// A group row (a name search finds them too) has no card.
function cardLink(row, text) {
  if (row.isGroup) return element("span", text);
  const link = element("a", text);
  link.href = "/towar.html?id=" + encodeURIComponent(row.id);
  return link;
}

async function search(identifier, page) {
  showMessage("");
  try {
    const found = await api.get("/api/products?identifier=" + encodeURIComponent(identifier) + "&page=" + page);
    current = { identifier, page: found.page, pages: found.pages };
    const table = document.getElementById("results");
    const body = table.tBodies[0];
    body.replaceChildren();
    for (const row of found.rows) {
      const tr = document.createElement("tr");
      const id = element("td");
      id.append(cardLink(row, row.id));
      const name = element("td");
      name.append(cardLink(row, row.name));
      tr.append(id, element("td", row.articleIndex || "-"), name,
                element("td", row.liveCodes.length ? row.liveCodes.join(", ") : "brak"));
      body.append(tr);
    }
    table.hidden = found.rows.length === 0;
    document.querySelector(".pager").hidden = found.pages <= 1;
    document.getElementById("page-info").textContent = "Strona " + found.page + " z " + found.pages +
      " (towarów: " + found.total + ")";
    document.getElementById("previous").disabled = found.page <= 1;
    document.getElementById("next").disabled = found.page >= found.pages;
    if (found.message) showMessage(found.message, false);
    else showMessage("Znaleziono: " + found.total + ".", false);
  } catch (error) {
    showMessage(error.message, true);
  }
}

document.getElementById("identifier").addEventListener("beforeinput", (event) => {
  if (event.data && ![...event.data].every((c) => identifierChar.test(c))) event.preventDefault();
});
document.getElementById("search").addEventListener("submit", (event) => {
  event.preventDefault();
  search(document.getElementById("identifier").value.trim(), 1);
});
document.getElementById("previous").addEventListener("click", () => search(current.identifier, current.page - 1));
document.getElementById("next").addEventListener("click", () => search(current.identifier, current.page + 1));

startPage().then(() => {
  const identifier = new URLSearchParams(location.search).get("identyfikator");
  if (identifier) {
    document.getElementById("identifier").value = identifier;
    search(identifier, 1);
  }
});

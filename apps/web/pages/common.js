// What every page shares: calls of the JSON API (the CSRF token sent with
// every change, a lost session sending the browser to sign in), the top bar,
// and text put into the page only as text.
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
      ["/powody.html", "Powody zwrotów"], ["/prowizje.html", "Grupy prowizyjne"], ["/serwis.html", "Prace serwisowe"]];
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

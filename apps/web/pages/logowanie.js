// The sign-in form: on success the browser goes to the page it came for.
document.getElementById("sign-in").addEventListener("submit", async (event) => {
  event.preventDefault();
  const message = document.getElementById("message");
  message.textContent = "";
  try {
    await api.post("/api/sign-in", {
      user: document.getElementById("user").value,
      password: document.getElementById("password").value,
    });
    const next = new URLSearchParams(location.search).get("dalej");
    location.href = next && next.startsWith("/") && !next.startsWith("//") ? next : "/";
  } catch (error) {
    message.textContent = error.message;
    document.getElementById("password").select();
  }
});

// The purchase-condition variant of an order position: the clerk sends a file
// of variants, chooses one in the module's grid (a variant the position cannot
// be filled from stands there with its reason) and sees the position filled
// from it. The job is the clerk's own, so clerks never wait for each other.
"use strict";

startPage().then(() => {
  const file = document.getElementById("variant-file");
  return setUpJob("order-variant", () => sentFile(file, "Wybierz plik XML z wariantami."));
}).catch(showError);

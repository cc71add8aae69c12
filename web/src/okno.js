// The window's message boxes as page dialogs: "Informacja" with OK, "Pytanie" with Tak and
// Nie (Nie the default). Each answers through a promise; Escape answers as Nie or OK.

export function pokazOkno(tekst, pytanie = false) {
  return new Promise((odpowiedz) => {
    const d = document.createElement("dialog");
    d.className = "okno";
    d.setAttribute("aria-label", pytanie ? "Pytanie" : "Informacja");
    const tytul = document.createElement("h2");
    tytul.textContent = pytanie ? "Pytanie" : "Informacja";
    const tresc = document.createElement("p");
    tresc.textContent = tekst;
    const przyciski = document.createElement("div");
    przyciski.className = "okno-przyciski";
    let wynik = false;
    const przycisk = (napis, wartosc) => {
      const b = document.createElement("button");
      b.textContent = napis;
      b.addEventListener("click", () => {
        wynik = wartosc;
        d.close();
      });
      przyciski.append(b);
      return b;
    };
    let domyslny;
    if (pytanie) {
      przycisk("Tak", true);
      domyslny = przycisk("Nie", false);
    } else {
      domyslny = przycisk("OK", true);
    }
    d.append(tytul, tresc, przyciski);
    d.addEventListener("close", () => {
      d.remove();
      odpowiedz(wynik);
    });
    document.body.append(d);
    d.showModal();
    domyslny.focus();
  });
}

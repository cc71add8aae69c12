// Breakpoints: the list with "Dodaj", "Usuń" and "Ignoruj punkty zatrzymania", and the
// dialog "Punkty Zatrzymania" with every watched item, relation and value the window
// offers, a memory cell's address included.

import { pokazOkno } from "./okno.js";

const el = (tag, wlasnosci = {}, ...dzieci) => {
  const e = document.createElement(tag);
  Object.assign(e, wlasnosci);
  e.append(...dzieci);
  return e;
};

const KOMORKA_PAMIECI = 7;
const PRZEDZIAL = 6;

// A field's integer as the dialog reads it: decimal, "$" or "0x" for hexadecimal, an
// optional minus; anything else, or a value beyond 32 bits, is 0.
export function liczbaPola(tekst) {
  let t = tekst.trim();
  let podstawa = 10;
  let minus = false;
  if (t.startsWith("-")) {
    minus = true;
    t = t.slice(1);
  }
  if (t.startsWith("$")) {
    podstawa = 16;
    t = t.slice(1);
  } else if (/^0x/i.test(t)) {
    podstawa = 16;
    t = t.slice(2);
  }
  if (!(podstawa === 16 ? /^[0-9a-f]+$/i : /^[0-9]+$/).test(t)) return 0;
  const v = (minus ? -1 : 1) * parseInt(t, podstawa);
  return v < -2147483648 || v > 2147483647 ? 0 : v;
}

export function utworzPunkty(korzen, { wywolaj }) {
  const dodaj = el("button", { id: "punkty-dodaj", textContent: "Dodaj" });
  const usun = el("button", { id: "punkty-usun", textContent: "Usuń" });
  const ignoruj = el("input", { type: "checkbox", id: "CheckBoxIgnoruj" });
  const lista = el("table", { id: "ListViewPunkty", className: "tabela", tabIndex: 0 });
  lista.setAttribute("aria-label", "Punkty zatrzymania");
  korzen.append(
    el("div", { className: "pasek" }, dodaj, usun, el("label", {}, ignoruj, " Ignoruj punkty zatrzymania")),
    el("div", { className: "punkty-pudlo" }, lista),
  );

  // The dialog.
  const opisy = wywolaj({ polecenie: "opisy_punktow" });
  const co = el("select", { id: "ComboBoxCo" });
  co.setAttribute("aria-label", "Co obserwować");
  const relacja = el("select", { id: "ComboBoxRelacja" });
  relacja.setAttribute("aria-label", "Relacja");
  const pole = (id, etykieta) => {
    const p = el("input", { id, value: "0", maxLength: 32, autocomplete: "off" });
    p.setAttribute("aria-label", etykieta);
    return p;
  };
  const adres = pole("EditAdres", "Adres komórki");
  const wartosc1 = pole("EditWartosc1", "Wartość");
  const wartosc2 = pole("EditWartosc2", "Górna granica przedziału");
  const etykietaAdresu = el("span", { textContent: "o adresie" });
  const etykietaWartosci2 = el("span", { textContent: "-" });
  const zastosuj = el("button", { id: "BitBtnZastosuj", textContent: "Zastosuj", value: "tak" });
  const anuluj = el("button", { id: "BitBtnAnuluj", textContent: "Anuluj", value: "nie", type: "button" });
  const formularz = el(
    "form",
    { method: "dialog" },
    el("h2", { textContent: "Punkty Zatrzymania" }),
    co,
    el("div", { className: "punkt-wiersz" }, etykietaAdresu, adres),
    relacja,
    el("div", { className: "punkt-wiersz" }, wartosc1, etykietaWartosci2, wartosc2),
    el("div", { className: "okno-przyciski" }, zastosuj, anuluj),
  );
  const dialog = el("dialog", { id: "FormBreakpoint", className: "okno" }, formularz);
  dialog.setAttribute("aria-label", "Punkty Zatrzymania");
  document.body.append(dialog);
  const widocznosc = () => {
    adres.hidden = etykietaAdresu.hidden = Number(co.value) !== KOMORKA_PAMIECI;
    wartosc2.hidden = etykietaWartosci2.hidden = Number(relacja.value) !== PRZEDZIAL;
  };
  co.addEventListener("change", widocznosc);
  relacja.addEventListener("change", widocznosc);
  anuluj.addEventListener("click", () => dialog.close("nie"));

  let zaznaczony = 0;
  let liczba = 0;
  function odswiez() {
    const w = wywolaj({ polecenie: "punkty" });
    if (!w.ok) return;
    liczba = w.punkty.length;
    if (zaznaczony > liczba) zaznaczony = 0;
    ignoruj.checked = w.ignoruj;
    lista.replaceChildren(
      el("thead", {}, el("tr", {}, el("th", { textContent: "Warunek" }))),
      el(
        "tbody",
        {},
        ...w.punkty.map((p) => {
          const tr = el("tr", {}, el("td", { textContent: p.opis }));
          tr.dataset.numer = String(p.numer);
          tr.classList.toggle("zaznaczony", p.numer === zaznaczony);
          tr.setAttribute("aria-selected", String(p.numer === zaznaczony));
          return tr;
        }),
      ),
    );
  }
  function zaznacz(n) {
    zaznaczony = n;
    for (const tr of lista.querySelectorAll("tbody tr")) {
      const tak = Number(tr.dataset.numer) === n;
      tr.classList.toggle("zaznaczony", tak);
      tr.setAttribute("aria-selected", String(tak));
    }
  }

  // "Dodaj": the dialog as it is each time it opens (first entries, fields "0", value 2
  // and the address hidden); the hidden fields are read as well.
  function dodajKlik() {
    co.replaceChildren(...opisy.co.map((t, i) => el("option", { value: String(i), textContent: t })));
    relacja.replaceChildren(...opisy.relacje.map((t, i) => el("option", { value: String(i), textContent: t })));
    for (const p of [adres, wartosc1, wartosc2]) p.value = "0";
    widocznosc();
    dialog.returnValue = "";
    dialog.showModal();
    co.focus();
    return new Promise((gotowe) => {
      dialog.addEventListener(
        "close",
        async () => {
          if (dialog.returnValue === "tak") {
            const punkt = `${co.value} ${relacja.value} ${liczbaPola(wartosc1.value)} ${liczbaPola(wartosc2.value)} @${liczbaPola(adres.value)}`;
            const w = wywolaj({ polecenie: "dodaj_punkt", punkt });
            if (!w.ok) await pokazOkno(w.blad);
            odswiez();
          }
          gotowe();
        },
        { once: true },
      );
    });
  }

  async function usunKlik() {
    if (zaznaczony === 0) return pokazOkno("Zaznacz punkt zatrzymania do usunięcia!");
    if (!(await pokazOkno("Usunąć punkt zatrzymania?", true))) return undefined;
    wywolaj({ polecenie: "usun_punkt", numer: zaznaczony });
    zaznaczony = 0;
    odswiez();
    return undefined;
  }

  dodaj.addEventListener("click", dodajKlik);
  usun.addEventListener("click", usunKlik);
  ignoruj.addEventListener("change", () => wywolaj({ polecenie: "ignoruj_punkty", wartosc: ignoruj.checked }));
  lista.addEventListener("click", (e) => {
    const tr = e.target.closest("tbody tr");
    if (tr) zaznacz(Number(tr.dataset.numer));
  });
  lista.addEventListener("keydown", (e) => {
    const krok = { ArrowDown: 1, ArrowUp: -1 }[e.key];
    if (!krok || liczba === 0) return;
    e.preventDefault();
    zaznacz(Math.min(liczba, Math.max(1, zaznaczony + krok)));
  });
  return {
    odswiez,
    dodaj: dodajKlik,
    usun: usunKlik,
    // The notice's "Ignoruj": breakpoints no longer stop a run until unticked.
    ignoruj() {
      wywolaj({ polecenie: "ignoruj_punkty", wartosc: true });
      ignoruj.checked = true;
    },
  };
}

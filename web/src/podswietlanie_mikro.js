// Syntax colouring of a microprogram, word for word as the window colours it: signal
// names (those the architecture lacks marked as errors), "if" and "then", conditions,
// labels and the terminators ";" and "!". A microinstruction may go on over several lines.

import { RangeSetBuilder } from "@codemirror/state";
import { ViewPlugin } from "@codemirror/view";
import { zbiorWymienny, znacznik } from "./podswietlanie.js";

const WARUNKI = new Set(["z", "zak", "pak", "n", "np", "nm", "int"]);
const odstep = (z) => z === " " || z === "\t";
const maleAscii = (s) => s.replace(/[A-Z]/g, (z) => String.fromCharCode(z.charCodeAt(0) + 32));

// The classes of one line, [start, end, class], and whether the line ends inside a
// microinstruction; `wTrakcie` says whether the line before did.
export function kolorujLinieMikro(tekst, dozwolone, wTrakcie = false) {
  const wynik = [];
  const n = tekst.length;
  let poprzednie = "";
  let poczatek = !wTrakcie;
  for (let i = 0; i < n; ) {
    if (odstep(tekst[i])) {
      ++i;
      continue;
    }
    if (tekst[i] === ";" || (tekst[i] === "!" && (i + 1 === n || odstep(tekst[i + 1]) || tekst[i + 1] === ";"))) {
      wynik.push([i, i + 1, "mk-zakonczenie"]);
      ++i;
      poprzednie = "";
      poczatek = true;
      continue;
    }
    const p = i;
    ++i;
    while (i < n && !odstep(tekst[i]) && tekst[i] !== ";" && tekst[i] !== "!" && tekst[i] !== ":") ++i;
    if (i < n && tekst[i] === ":") ++i;
    const slowo = maleAscii(tekst.slice(p, i));
    let klasa;
    if (slowo.endsWith(":")) klasa = poczatek ? "mk-etykieta" : "mk-blad";
    else if (slowo === "if" || slowo === "then") klasa = "mk-slowo";
    else if (poprzednie === "if") klasa = WARUNKI.has(slowo.startsWith("!") ? slowo.slice(1) : slowo) ? "mk-warunek" : "mk-blad";
    else if (poprzednie === "then") klasa = "mk-cel";
    else klasa = dozwolone.has(slowo) ? "mk-sygnal" : "mk-blad";
    wynik.push([p, i, klasa]);
    poprzednie = slowo;
    poczatek = false;
  }
  return { klasy: wynik, wTrakcie: !poczatek };
}

// The signals the compiler accepts, replaced whenever the architecture changes.
const sygnaly = zbiorWymienny();
export const ustawSygnaly = sygnaly.efekt;

// A microprogram is short: every line from the first is coloured, so the state carried
// over from line to line is always right.
function dekoracje(widok) {
  const budowa = new RangeSetBuilder();
  const dozwolone = widok.state.field(sygnaly.pole);
  const doc = widok.state.doc;
  let wTrakcie = false;
  for (let k = 1; k <= doc.lines; ++k) {
    const linia = doc.line(k);
    const w = kolorujLinieMikro(linia.text, dozwolone, wTrakcie);
    for (const [p, q, klasa] of w.klasy) budowa.add(linia.from + p, linia.from + q, znacznik(klasa));
    wTrakcie = w.wTrakcie;
  }
  return budowa.finish();
}

const wtyczka = ViewPlugin.fromClass(
  class {
    constructor(widok) {
      this.decorations = dekoracje(widok);
    }
    update(u) {
      if (u.docChanged || sygnaly.zmieniony(u))
        this.decorations = dekoracje(u.view);
    }
  },
  { decorations: (w) => w.decorations },
);

export const podswietlanieMikroprogramu = [sygnaly.pole, wtyczka];

// Syntax colouring of the program text, word for word as the window colours it: comments,
// labels, mnemonics of the current instruction list, the directives "org", "rpa", "rst" and
// "kon", numbers as the assembler reads them, and unknown mnemonics underlined as errors.

import { RangeSetBuilder, StateEffect, StateField } from "@codemirror/state";
import { Decoration, ViewPlugin } from "@codemirror/view";

// Only A-Z fold, as in the assembler.
function maleAscii(s) {
  return s.replace(/[A-Z]/g, (z) => String.fromCharCode(z.charCodeAt(0) + 32));
}

const odstep = (z) => z === " " || z === "\t";
const liczba = /^([+-]?[0-9]+|(\$|x|0x)[0-9a-f]+)$/i;

export function wygladaNaLiczbe(slowo) {
  return liczba.test(slowo);
}

// The classes of one line: [start, end, class] in order.
export function kolorujLinie(tekst, mnemoniki) {
  const wynik = [];
  let koniec = tekst.indexOf("//");
  const komentarz = koniec >= 0 ? [koniec, tekst.length, "sk-komentarz"] : null;
  if (koniec < 0) koniec = tekst.length;
  const slowa = [];
  for (let i = 0; i < koniec; ) {
    if (odstep(tekst[i])) {
      ++i;
      continue;
    }
    const p = i;
    while (i < koniec && !odstep(tekst[i]) && tekst[i] !== ":") ++i;
    if (i < koniec && tekst[i] === ":") ++i;
    slowa.push([p, i]);
  }
  let k = 0;
  while (k < slowa.length && tekst[slowa[k][1] - 1] === ":") {
    wynik.push([slowa[k][0], slowa[k][1], "sk-etykieta"]);
    ++k;
  }
  if (k < slowa.length) {
    const m = tekst.slice(slowa[k][0], slowa[k][1]);
    if (k === 0 && slowa.length === 1 && m === "kon") {
      wynik.push([slowa[k][0], slowa[k][1], "sk-dyrektywa"]);
    } else {
      const maly = maleAscii(m);
      const klasa =
        maly === "org" || maly === "rpa" || maly === "rst"
          ? "sk-dyrektywa"
          : mnemoniki.has(maly)
            ? "sk-mnemonik"
            : "sk-nieznany";
      wynik.push([slowa[k][0], slowa[k][1], klasa]);
      for (++k; k < slowa.length; ++k) {
        const a = tekst.slice(slowa[k][0], slowa[k][1]);
        wynik.push([slowa[k][0], slowa[k][1], wygladaNaLiczbe(a) ? "sk-liczba" : "sk-odwolanie"]);
      }
    }
  }
  if (komentarz) wynik.push(komentarz);
  return wynik;
}

// A set of names the colouring depends on, replaced as a whole by its effect.
export function zbiorWymienny() {
  const efekt = StateEffect.define();
  const pole = StateField.define({
    create: () => new Set(),
    update(wartosc, tr) {
      for (const e of tr.effects) if (e.is(efekt)) return e.value;
      return wartosc;
    },
  });
  const zmieniony = (u) => u.transactions.some((t) => t.effects.some((e) => e.is(efekt)));
  return { efekt, pole, zmieniony };
}

const znaczniki = new Map();
export function znacznik(klasa) {
  if (!znaczniki.has(klasa)) znaczniki.set(klasa, Decoration.mark({ class: klasa }));
  return znaczniki.get(klasa);
}

// The names of the instruction list, replaced whenever the list changes.
const mnemoniki = zbiorWymienny();
export const ustawMnemoniki = mnemoniki.efekt;

function dekoracje(widok) {
  const budowa = new RangeSetBuilder();
  const nazwy = widok.state.field(mnemoniki.pole);
  for (const { from, to } of widok.visibleRanges) {
    for (let poz = from; poz <= to; ) {
      const linia = widok.state.doc.lineAt(poz);
      for (const [p, k, klasa] of kolorujLinie(linia.text, nazwy))
        budowa.add(linia.from + p, linia.from + k, znacznik(klasa));
      poz = linia.to + 1;
    }
  }
  return budowa.finish();
}

const wtyczka = ViewPlugin.fromClass(
  class {
    constructor(widok) {
      this.decorations = dekoracje(widok);
    }
    update(u) {
      if (u.docChanged || u.viewportChanged || mnemoniki.zmieniony(u))
        this.decorations = dekoracje(u.view);
    }
  },
  { decorations: (w) => w.decorations },
);

export const podswietlanieProgramu = [mnemoniki.pole, wtyczka];

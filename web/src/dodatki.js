// The panels of the instruction editor, the microprogram memory, the debug log and the
// breakpoints, the architecture dialog, undo of the last tick and instruction with
// Shift+F7/F8, and the schematic's text alternative, hooked up to the page. They reach
// the simulator only through the module's commands: `wywolaj(polecenie) -> odpowiedź`.

import { utworzRozkazy } from "./rozkazy.js";
import { utworzMikropamiec } from "./mikropamiec.js";
import { utworzDebug } from "./debug.js";
import { utworzPunkty } from "./punkty.js";
import { utworzArchitekture } from "./architektura.js";
import { pokazOkno } from "./okno.js";

const $ = (s) => document.querySelector(s);
const $$ = (s) => [...document.querySelectorAll(s)];

// `strona`: wywolaj, pokazPanel(n), panel() (shown now), odswiez() (the page's views),
// poRozkazach() (the instruction list changed), poArchitekturze(), biegnie() (a run in
// progress), tryb() (0 idle, 1 manual, 2 program).
export function podlaczDodatki(strona) {
  const { wywolaj } = strona;
  const rozkazy = utworzRozkazy($("#panel-3"), { wywolaj, poZmianie: strona.poRozkazach });
  const mikropamiec = utworzMikropamiec($("#panel-8"), { wywolaj });
  const debug = utworzDebug($("#panel-6"), { wywolaj, przycisk: $("[data-pokaz='6']") });
  const punkty = utworzPunkty($("#panel-7"), { wywolaj });
  const architektura = utworzArchitekture({
    wywolaj,
    async poZastosowaniu(w) {
      if (!w.ok) await pokazOkno(w.blad);
      strona.poArchitekturze();
      odswiezPanel(strona.panel());
    },
  });

  function odswiezPanel(n) {
    if (n === 3) rozkazy.odswiez();
    else if (n === 8) mikropamiec.odswiez();
    else if (n === 6) debug.odswiez();
    else if (n === 7) punkty.odswiez();
  }

  // ---- undo ----
  function wstecz(co) {
    if (strona.biegnie() || strona.tryb() === 2) return;
    const w = wywolaj({ polecenie: co === "takt" ? "takt_wstecz" : "rozkaz_wstecz" });
    if (!w.ok) pokazOkno(w.blad);
    strona.odswiez();
  }
  for (const b of $$("[data-wstecz]")) b.addEventListener("click", () => wstecz(b.dataset.wstecz));
  // Shift+F7 and Shift+F8 on the schematic and CPU panels, before the page's own keys.
  document.addEventListener(
    "keydown",
    (e) => {
      if (!e.shiftKey || (e.key !== "F7" && e.key !== "F8")) return;
      e.preventDefault();
      e.stopImmediatePropagation();
      const p = strona.panel();
      if (p !== 1 && p !== 4) return;
      const b = $(`#panel-${p} [data-wstecz='${e.key === "F7" ? "takt" : "rozkaz"}']`);
      if (b && !b.disabled) wstecz(b.dataset.wstecz);
    },
    true,
  );

  // ---- menus ----
  const polecenia = {
    architektura: () => architektura.otworz(),
    "rozkazy-panel": () => strona.pokazPanel(3),
    "rozkazy-kompiluj": () => { strona.pokazPanel(3); rozkazy.kompiluj(); },
    "rozkazy-dodaj": () => { strona.pokazPanel(3); rozkazy.dodaj(); },
    "rozkazy-usun": () => { strona.pokazPanel(3); rozkazy.usun(); },
    "rozkazy-usun-wszystkie": () => {
      wywolaj({ polecenie: "usun_wszystkie_rozkazy" });
      strona.poRozkazach();
      if (strona.panel() === 3) rozkazy.odswiez();
    },
    "mikro-panel": () => strona.pokazPanel(8),
    "mikro-wszystkie": () => { strona.pokazPanel(8); mikropamiec.pokazWszystkie(); },
    "mikro-ukryj": () => { strona.pokazPanel(8); mikropamiec.ukryjPuste(); },
    "debug-panel": () => strona.pokazPanel(6),
    "debug-wyczysc": () => { strona.pokazPanel(6); $("#debug-wyczysc").click(); },
    "punkty-panel": () => strona.pokazPanel(7),
    "punkty-dodaj": () => { strona.pokazPanel(7); punkty.dodaj(); },
    "punkty-usun": () => { strona.pokazPanel(7); punkty.usun(); },
    "takt-wstecz": () => { strona.pokazPanel(1); wstecz("takt"); },
    "rozkaz-wstecz": () => { strona.pokazPanel(1); wstecz("rozkaz"); },
  };
  for (const b of $$("[data-dodatek]")) b.addEventListener("click", () => polecenia[b.dataset.dodatek]());

  // ---- a breakpoint's hit: the notice with "Ignoruj" ----
  const zawiadomienie = $("#punkt-trafiony");
  $("#punkt-ignoruj").addEventListener("click", () => {
    punkty.ignoruj();
    zawiadomienie.hidden = true;
  });
  $("#punkt-zamknij").addEventListener("click", () => { zawiadomienie.hidden = true; });

  // ---- the schematic in words, for screen readers ----
  let ostatniOpis = 0;
  function opiszSchemat(wymus) {
    const teraz = performance.now();
    if (!wymus && teraz - ostatniOpis < 500) return;
    ostatniOpis = teraz;
    const s = wywolaj({ polecenie: "stan" });
    if (!s.ok) return;
    const rejestry = Object.entries(s.raport.registers).map(([n, v]) => `${n} = ${v}`).join(", ");
    $("#schemat-rejestry").textContent = `Rejestry: ${rejestry}.`;
    $("#schemat-sygnaly").textContent = `Aktywne sygnały: ${s.sygnaly || "brak"}.`;
  }

  return {
    pokazano(n) {
      if (n === 6) debug.odswiez();
      else odswiezPanel(n);
    },
    // After every refresh of the page: new log lines, the undo buttons, the text
    // alternative; a run ended by a breakpoint brings up the notice.
    poOdswiezeniu() {
      const przed = debug.razem;
      debug.dopisz(strona.panel() === 6);
      const biegnie = strona.biegnie();
      if (!biegnie && debug.razem > przed) {
        const w = wywolaj({ polecenie: "dziennik_od", od: przed });
        const trafienie = w.ok && w.linie.filter((l) => l.startsWith("Breakpoint ")).pop();
        if (trafienie) {
          $("#punkt-tekst").textContent = trafienie;
          zawiadomienie.hidden = false;
        }
      }
      const mozna = !biegnie && strona.tryb() !== 2 && wywolaj({ polecenie: "mozna_wstecz" }).wstecz === true;
      for (const b of $$("[data-wstecz]")) b.disabled = !mozna;
      opiszSchemat(!biegnie);
    },
    ustawDostepnosc(wolny) {
      rozkazy.ustawDostepnosc(wolny);
      for (const b of $$("[data-pokaz='3'], [data-pokaz='8']")) b.disabled = !wolny;
    },
    rozkazy,
    punkty,
    architektura,
  };
}

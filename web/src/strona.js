// The page: the schematic, the program editor, the CPU panel and the console around one
// simulator in the WebAssembly module. Everything the machine does happens in the module;
// this file only shows its state and hands it the user's commands.

import { EditorState } from "@codemirror/state";
import { EditorView, keymap, lineNumbers, highlightActiveLine, drawSelection } from "@codemirror/view";
import { defaultKeymap, history, historyKeymap, indentWithTab, insertNewline } from "@codemirror/commands";
import napisy from "napisy.json";
import { zaladujModel } from "./model.js";
import { podswietlanieProgramu, ustawMnemoniki } from "./podswietlanie.js";
import { TSchemat } from "./schemat.js";
import { wybierzPlik, pobierz, doBase64, zBase64 } from "./pliki.js";
import { podlaczDodatki } from "./dodatki.js";
import { utworzMiejsca } from "./miejsca.js";

const $ = (s) => document.querySelector(s);
const $$ = (s) => [...document.querySelectorAll(s)];

// Texts of the page's own that the window's caption table does not hold.
const WLASNE = {
  nowy: ["Nowy", "New"],
};

const KLUCZ = {
  program: "symulator.program",
  rozkazy: "symulator.rozkazy",
  architektura: "symulator.architektura",
  maszyna: "symulator.maszyna",
  jezyk: "symulator.jezyk",
};

const PRZYKLAD_NAZWY = { prg: "program.prg", roz: "rozkazy.roz", mas: "maszyna.mas" };

let model;
let edytor;
let schemat;
// The schematic's places for the keyboard and screen readers.
let miejsca;
let panel = 0;
let jezyk = 1;
// The run in progress: "rozkaz" or "program", driven by animation frames.
let przebieg = null;
let ostatnieRejestry = ["", "", "", "", ""];
let pierwszyAdresPaO = 0;
let stan = null;
// Ticks run by "Rozkaz" and "Program" since the page opened, and the last Stop's delay
// from the click to the end of the run, for the tests and the benchmark.
let liczbaTaktow = 0;
let opoznienieStopu = null;
let liczbaPorcji = 0;
let czasGotowosci = null;
// The instruction editor, microprogram memory, debug, breakpoints, architecture, undo.
let dodatki = null;
const nazwyPlikow = { ...PRZYKLAD_NAZWY };

// ---- captions ---------------------------------------------------------------------------

function bezAmpersandu(t) {
  return t.replace(/&(.)/g, "$1");
}

function ustawJezyk(n) {
  jezyk = n;
  document.documentElement.lang = n === 1 ? "pl" : "en";
  for (const e of $$("[data-skladnik]")) {
    const n2 = napisy[e.dataset.skladnik];
    if (n2) e.textContent = bezAmpersandu(n2[n - 1]);
  }
  for (const e of $$("[data-napis]")) e.textContent = WLASNE[e.dataset.napis][n - 1];
  for (const e of $$("[data-jezyk]")) e.classList.toggle("zaznaczony", Number(e.dataset.jezyk) === n);
  localStorage.setItem(KLUCZ.jezyk, String(n));
}

// ---- keeping the work ---------------------------------------------------------------------

function zapamietajProgram() {
  localStorage.setItem(KLUCZ.program, edytor.state.doc.toString());
}
function zapamietajRozkazy() {
  localStorage.setItem(KLUCZ.rozkazy, doBase64(model.bajtyRozkazow()));
}
function zapamietajArchitekture() {
  const a = model.architektura();
  const zapis = { preset: a.preset, bityAdresu: a.bityAdresu, bityKodu: a.bityKodu };
  // "U" has no signal set of its own: its signals are kept by name.
  if (a.preset === "U") zapis.sygnaly = a.sygnaly;
  localStorage.setItem(KLUCZ.architektura, JSON.stringify(zapis));
  if (a.zPliku) localStorage.setItem(KLUCZ.maszyna, doBase64(model.bajtyMaszyny()));
  else localStorage.removeItem(KLUCZ.maszyna);
}

function przywroc() {
  try {
    const a = JSON.parse(localStorage.getItem(KLUCZ.architektura) || "null");
    const mas = localStorage.getItem(KLUCZ.maszyna);
    // Without its names "U" takes the signals of the machine file kept beside it.
    if (a?.preset === "U" && !a.sygnaly && mas) model.wczytajMaszyne(zBase64(mas));
    if (a) model.ustawArchitekture(a.preset, a.bityAdresu, a.bityKodu, a.sygnaly);
    if (mas) model.wczytajMaszyne(zBase64(mas));
    const roz = localStorage.getItem(KLUCZ.rozkazy);
    if (roz) model.wczytajRozkazy(zBase64(roz));
  } catch (e) {
    console.warn("Nie udało się odtworzyć zapamiętanej pracy:", e);
  }
  return localStorage.getItem(KLUCZ.program) || "";
}

function nowy() {
  zatrzymajPrzebieg();
  for (const k of [KLUCZ.program, KLUCZ.rozkazy, KLUCZ.architektura, KLUCZ.maszyna]) localStorage.removeItem(k);
  model.nowy();
  ustawTekstEdytora("");
  $("#komunikaty-kompilacji").replaceChildren();
  ostatnieRejestry = ["", "", "", "", ""];
  odswiezWszystko();
}

// ---- the editor ---------------------------------------------------------------------------

function utworzEdytor(tekst) {
  edytor = new EditorView({
    parent: $("#edytor"),
    state: EditorState.create({
      doc: tekst,
      extensions: [
        lineNumbers({ formatNumber: (n) => String(n - 1) }),
        history(),
        drawSelection(),
        highlightActiveLine(),
        // Enter starts a plain new line, as in the window: no indentation is added.
        keymap.of([{ key: "Enter", run: insertNewline }, indentWithTab, ...defaultKeymap, ...historyKeymap]),
        podswietlanieProgramu,
        EditorView.updateListener.of((u) => {
          if (u.docChanged) zapamietajProgram();
        }),
      ],
    }),
  });
  odswiezMnemoniki();
}

function ustawTekstEdytora(tekst) {
  edytor.dispatch({ changes: { from: 0, to: edytor.state.doc.length, insert: tekst } });
}

function odswiezMnemoniki() {
  edytor.dispatch({ effects: ustawMnemoniki.of(new Set(model.mnemoniki())) });
}

function idzDoLinii(n) {
  const doc = edytor.state.doc;
  if (n < 0 || n >= doc.lines) return;
  const linia = doc.line(n + 1);
  edytor.dispatch({ selection: { anchor: linia.from, head: linia.to }, scrollIntoView: true });
  edytor.focus();
}

function kompiluj() {
  if (stan.tryb === 2 || przebieg) return;
  const wynik = model.kompilujProgram(edytor.state.doc.toString());
  const lista = $("#komunikaty-kompilacji");
  lista.replaceChildren(
    ...wynik.komunikaty.map((k) => {
      const li = document.createElement("li");
      li.textContent = k;
      const m = /\((\d+)\): /.exec(k);
      if (m) {
        li.classList.add("linia");
        li.dataset.linia = m[1];
      }
      return li;
    }),
  );
  ostatnieRejestry = ostatnieRejestry.slice();
  odswiezWszystko();
}

// ---- enabling ------------------------------------------------------------------------------

function ustawDostepnosc() {
  const tryb = stan.tryb;
  const zatrzymana = stan.zatrzymana;
  $("#SpeedButtonRecznie").classList.toggle("wcisniety", tryb === 1);
  $$("[data-skladnik='Menu_Maszyna_Recznie']").forEach((e) => e.classList.toggle("zaznaczony", tryb === 1));
  const biegnie = przebieg !== null;
  for (const s of $$(".stop")) s.classList.toggle("widoczny", tryb === 2 || biegnie);
  for (const p of [1, 4]) {
    const sekcja = $(`#panel-${p}`);
    sekcja.querySelector("[data-bieg='takt']").disabled = zatrzymana || biegnie;
    const rozkazProgram = zatrzymana || biegnie || (p === 1 && tryb === 1);
    sekcja.querySelector("[data-bieg='rozkaz']").disabled = rozkazProgram;
    sekcja.querySelector("[data-bieg='program']").disabled = rozkazProgram;
  }
  // Menus and top buttons by the run mode.
  const menu = (nazwa, wl) => $$(`.menu-tytul[data-skladnik='${nazwa}']`).forEach((e) => (e.disabled = !wl));
  menu("Menu_Symulator", tryb === 0);
  menu("Menu_Program", tryb === 0);
  menu("Menu_Rozkazy", tryb === 0);
  $("[data-pokaz='2']").disabled = tryb !== 0;
  $("[data-pokaz='4']").disabled = tryb === 1;
  $("[data-skladnik='Menu_Maszyna_Rozkaz']").disabled = tryb === 1;
  $("[data-skladnik='Menu_Maszyna_Program']").disabled = tryb === 1;
  $("[data-skladnik='Menu_Maszyna_Stop']").disabled = tryb === 1;
  $("[data-skladnik='Menu_Maszyna_Takt']").disabled = zatrzymana;
  $("#SpeedButtonKompiluj").disabled = tryb !== 0;
  $("#zastosuj").disabled = tryb === 2;
  dodatki?.ustawDostepnosc(tryb === 0 && !biegnie);
}

// ---- panels --------------------------------------------------------------------------------

function pokazPanel(n) {
  if (n === panel) return;
  panel = n;
  for (const s of $$(".panel")) s.classList.toggle("widoczny", s.id === `panel-${n}`);
  for (const b of $$("[data-pokaz]")) b.classList.toggle("wcisniety", Number(b.dataset.pokaz) === n);
  if (n === 1) rysujSchemat();
  if (n === 4) odswiezCPU();
  if (n === 2) edytor.requestMeasure();
  dodatki?.pokazano(n);
}

function odswiezWszystko() {
  stan = model.stan();
  odswiezKonsole();
  rysujSchemat();
  odswiezCPU();
  ustawDostepnosc();
  $("#status-preset").textContent = stan.preset || "?";
  $("#status-tekst").textContent = ` ${stan.tekst}`;
  odswiezKomunikatyTaktu();
  dodatki?.poOdswiezeniu();
}

function odswiezKomunikatyTaktu() {
  $("#komunikaty-taktu").replaceChildren(
    ...stan.komunikaty.map((k) => {
      const li = document.createElement("li");
      li.textContent = k;
      return li;
    }),
  );
}

// ---- schematic ----------------------------------------------------------------------------

function rysujSchemat() {
  if (panel !== 1) return;
  const obraz = model.obraz(pierwszyAdresPaO);
  schemat.rysuj(obraz);
  miejsca.odswiez(obraz, { reczny: stan.tryb === 1, wybrane: stan.wybrane });
  const obszar = $("#schemat-obszar");
  obszar.style.width = `${schemat.szerokosc * schemat.skala}px`;
  obszar.style.height = `${schemat.wysokosc * schemat.skala}px`;
  // The memory window's scroll bar and the interrupt buttons where the picture puts them.
  const s = schemat.skala;
  const umiesc = (e, r) => {
    e.hidden = !r;
    if (!r) return;
    e.style.left = `${r[0] * s}px`;
    e.style.top = `${r[1] * s}px`;
    e.style.width = `${(r[2] - r[0]) * s}px`;
    e.style.height = `${(r[3] - r[1]) * s}px`;
  };
  const suwak = $("#ScrollBarPaO");
  umiesc(suwak, obraz.memory_scroll_bar);
  suwak.max = String(obraz.memory_last_position ?? 0);
  suwak.value = String(obraz.memory_position ?? 0);
  pierwszyAdresPaO = obraz.memory_position ?? 0;
  const irq = $("#Panel_IRQ");
  umiesc(irq, obraz.irq_buttons);
  for (const b of irq.children) {
    b.style.width = `${25 * s}px`;
    b.style.height = `${25 * s}px`;
  }
}

function zamknijMenu() {
  $$(".menu.otwarte").forEach((m) => m.classList.remove("otwarte"));
  $("#menu-rejestru").classList.remove("otwarte");
}

const MENU_REJESTRU = {
  register: [
    ["Zwiększ o 1", "zwieksz"],
    ["Zmniejsz o 1", "zmniejsz"],
    ["Wpisz wartość", "wpisz"],
    ["Wyzeruj", "wyzeruj"],
    null,
    ["Dwójkowy", 2],
    ["Dziesiętny", 10],
    ["Szesnastkowy", 16],
  ],
  bit: [
    ['Ustaw na "0"', "ustaw0"],
    ['Ustaw na "1"', "ustaw1"],
  ],
  bus: [
    ["Tryb dwójkowy", 2],
    ["Tryb dziesiętny", 10],
    ["Tryb szesnastkowy", 16],
  ],
};

// The value box's menu under the mouse, or that of a place the keyboard chose (`miejsce`,
// focus going into the menu and back to the place after it).
function otworzMenuRejestru(zdarzenie, miejsce) {
  const p = miejsce ? { x: (miejsce.rect[0] + miejsce.rect[2]) >> 1, y: (miejsce.rect[1] + miejsce.rect[3]) >> 1 } : schemat.punkt(zdarzenie);
  const t = model.trafienie(p.x, p.y, "rejestr");
  if (t.kind !== "register" || !MENU_REJESTRU[t.menu]) return;
  const menu = $("#menu-rejestru");
  menu.replaceChildren();
  const zamknij = () => {
    zamknijMenu();
    if (miejsce) miejsca.wroc(miejsce);
  };
  for (const poz of MENU_REJESTRU[t.menu]) {
    if (!poz) {
      menu.append(document.createElement("hr"));
      continue;
    }
    const b = document.createElement("button");
    b.textContent = poz[0];
    b.tabIndex = -1;
    if (typeof poz[1] === "number") {
      b.setAttribute("role", "menuitemradio");
      b.setAttribute("aria-checked", String(t.podstawa === poz[1]));
      b.classList.toggle("zaznaczony", t.podstawa === poz[1]);
      b.onclick = () => {
        model.ustawPodstawe(t.slot, poz[1]);
        zamknij();
        odswiezWszystko();
      };
    } else {
      b.setAttribute("role", "menuitem");
      b.onclick = () => {
        zamknij();
        let wartosc;
        if (poz[1] === "wpisz") wartosc = prompt("Podaj nową wartość", "0") ?? "0";
        model.polecenieRejestru(t.slot, poz[1], wartosc);
        odswiezWszystko();
      };
    }
    menu.append(b);
  }
  // Up and Down go round the items, Escape closes the menu, Tab leaves it closed.
  menu.onkeydown = (e) => {
    const pozycje = [...menu.querySelectorAll("button")];
    const i = pozycje.indexOf(document.activeElement);
    const krok = { ArrowDown: 1, ArrowUp: -1 }[e.key];
    if (krok) pozycje[(i + krok + pozycje.length) % pozycje.length].focus();
    else if (e.key === "Home") pozycje[0].focus();
    else if (e.key === "End") pozycje.at(-1).focus();
    else if (e.key === "Escape") zamknij();
    else if (e.key === "Tab") zamknijMenu();
    else return;
    if (e.key !== "Tab") e.preventDefault();
  };
  const r = schemat.canvas.getBoundingClientRect();
  menu.style.left = `${r.left + (t.rect[0] + 1) * schemat.skala}px`;
  menu.style.top = `${r.top + (t.rect[3] + 1) * schemat.skala}px`;
  menu.classList.add("otwarte");
  if (miejsce) menu.querySelector("button").focus();
}

function wybierzSygnal(nazwa) {
  if (stan.tryb !== 1) return;
  model.wybierzSygnal(nazwa);
  odswiezWszystko();
}

function kliknijSchemat(zdarzenie) {
  if (zdarzenie.button !== 0 || stan.tryb !== 1) return;
  const p = schemat.punkt(zdarzenie);
  const t = model.trafienie(p.x, p.y, "sygnal");
  if (t.kind === "signal") wybierzSygnal(t.signal);
}

function ustawSkale(s) {
  schemat.skala = Math.min(4, Math.max(0.5, s));
  $("#skala-tekst").textContent = `${Math.round(schemat.skala * 100)}%`;
  rysujSchemat();
}

// ---- CPU panel -------------------------------------------------------------------------------

const NAZWY_REJESTROW = ["L   ", "AK  ", "AD  ", "A   ", "S   "];
const NAZWY_FLAG = ["Z   ", "N   ", "NP  ", "NM  ", "INT ", "PAK ", "ZAK "];

// The registers with their change marks, the flags and the visible lines of the memory
// listing, in one command.
function odswiezCPU() {
  if (panel !== 4) return;
  const lista = $("#ListBoxPamiecProgram");
  const v = Math.max(1, Math.floor(lista.clientHeight / 17));
  const suwak = $("#ScrollBar1");
  const maks = Math.max(0, stan.maskaAdresu + 1 - v);
  suwak.max = String(maks);
  const pierwszy = Math.min(Number(suwak.value), maks);
  const cpu = model.cpu(pierwszy, Math.min(v, stan.maskaAdresu + 1 - pierwszy));
  const rejestry = cpu.rejestry.map((r) => r.tekst);
  $("#ListBoxRejestry").replaceChildren(
    ...rejestry.map((t, i) => {
      const li = document.createElement("li");
      li.textContent = NAZWY_REJESTROW[i] + t;
      li.classList.toggle("zmiana", t !== ostatnieRejestry[i]);
      return li;
    }),
  );
  ostatnieRejestry = rejestry;
  $("#ListBoxFlagi").replaceChildren(
    ...cpu.flagi.map((f, i) => {
      const li = document.createElement("li");
      li.textContent = NAZWY_FLAG[i] + f.wartosc;
      return li;
    }),
  );
  lista.replaceChildren(
    ...cpu.pamiec.map((w) => {
      const li = document.createElement("li");
      li.textContent = w.tekst;
      li.title = String(w.slowo);
      li.dataset.adres = String(w.adres);
      li.dataset.wartosc = String(w.slowo);
      return li;
    }),
  );
  $("#preset").value = stan.preset;
  $("#bity-adresu").value = stan.bityAdresu;
  $("#bity-kodu").value = stan.bityKodu;
}

// ---- console ---------------------------------------------------------------------------------

let ostatnieWyjscie = null;
function odswiezKonsole() {
  const e = stan.elementy;
  const jest = e[4] || e[5] || e[7];
  $("#SpeedButtonKonsola").hidden = !jest;
  $("#menu-konsola").hidden = !jest;
  $("#Panel_IRQ_konsoli").hidden = !e[7];
  $("#Edit1").hidden = !e[4];
  $("#Memo1").hidden = !e[5];
  if (!jest && panel === 5) pokazPanel(1);
  if (stan.wyjscie !== ostatnieWyjscie) {
    ostatnieWyjscie = stan.wyjscie;
    const memo = $("#Memo1");
    memo.textContent = stan.wyjscie;
    memo.scrollTop = memo.scrollHeight;
  }
  const edit = $("#Edit1");
  if (edit.value !== stan.wejscie) {
    edit.value = stan.wejscie;
  }
}

// ---- running ---------------------------------------------------------------------------------

function takt(p) {
  if (stan.zatrzymana || przebieg) return;
  model.takt(p === 1 && stan.tryb === 1);
  odswiezWszystko();
}

// "Rozkaz" and "Program" run in slices, one per animation frame, and redraw between them;
// Stop ends the run before the next slice. A slice takes about 18 ms, so the page redraws
// at 20 to 30 frames a second and a click waits at most that long.
const CZAS_PORCJI_MS = 18;
let taktowNaMs = 5000;

function uruchom(polecenie) {
  if (stan.zatrzymana || przebieg) return;
  if (polecenie === "program" && stan.tryb === 1) return;
  przebieg = { polecenie, klatka: 0 };
  odswiezWszystko();
  przebieg.klatka = requestAnimationFrame(porcja);
}

function porcja() {
  if (!przebieg) return;
  const koniec = performance.now() + CZAS_PORCJI_MS;
  // Pieces sized by the speed measured so far, so the slice ends on time.
  let n = Math.max(1000, Math.floor(taktowNaMs * CZAS_PORCJI_MS * 0.25));
  let wynik;
  for (;;) {
    const t0 = performance.now();
    wynik = model.porcja(przebieg.polecenie, n);
    const t1 = performance.now();
    liczbaTaktow += wynik.takty;
    if (t1 - t0 > 1) taktowNaMs = 0.5 * taktowNaMs + 0.5 * (wynik.takty / (t1 - t0));
    if (wynik.zakonczone || t1 >= koniec - 0.5) break;
    n = Math.max(1000, Math.floor(taktowNaMs * (koniec - t1)));
  }
  ++liczbaPorcji;
  if (wynik.zakonczone) przebieg = null;
  odswiezWszystko();
  if (przebieg) przebieg.klatka = requestAnimationFrame(porcja);
}

function zatrzymajPrzebieg() {
  if (!przebieg) return;
  cancelAnimationFrame(przebieg.klatka);
  model.stop();
  przebieg = null;
}

function stop(zdarzenie) {
  if (zdarzenie && przebieg) opoznienieStopu = performance.now() - zdarzenie.timeStamp;
  zatrzymajPrzebieg();
  model.stop();
  odswiezWszystko();
}

function reset(p) {
  zatrzymajPrzebieg();
  model.reset(p === 1);
  if (p === 1) $("#Edit1").value = "";
  odswiezWszystko();
}

function recznie() {
  if (przebieg) return;
  model.recznie();
  odswiezWszystko();
}

function bieg(polecenie, p, zdarzenie) {
  switch (polecenie) {
    case "takt": return takt(p);
    case "rozkaz": return uruchom("rozkaz");
    case "program": return uruchom("program");
    case "reset": return reset(p);
    case "stop": return stop(zdarzenie);
    default: return undefined;
  }
}

// ---- files -----------------------------------------------------------------------------------

function komunikat(tekst) {
  alert(tekst);
}

async function wczytaj(rodzaj) {
  const plik = await wybierzPlik($("#wybor-pliku"), rodzaj);
  if (!plik) return;
  let wynik;
  if (rodzaj === "prg") {
    wynik = model.tekstProgramu(plik.bajty);
    if (wynik.blad) return komunikat(wynik.blad);
    ustawTekstEdytora(wynik.tekst);
    pokazPanel(2);
  } else if (rodzaj === "roz") {
    wynik = model.wczytajRozkazy(plik.bajty);
    if (wynik.blad) return komunikat(wynik.blad);
    zapamietajRozkazy();
    odswiezMnemoniki();
  } else {
    wynik = model.wczytajMaszyne(plik.bajty);
    if (wynik.blad) return komunikat(wynik.blad);
    zapamietajArchitekture();
  }
  nazwyPlikow[rodzaj] = plik.nazwa;
  odswiezWszystko();
}

function zapisz(rodzaj) {
  let wynik;
  if (rodzaj === "prg") wynik = model.bajtyProgramu(edytor.state.doc.toString());
  else if (rodzaj === "roz") wynik = { bajty: model.bajtyRozkazow() };
  else wynik = { bajty: model.bajtyMaszyny() };
  if (wynik.blad) return komunikat(wynik.blad);
  pobierz(nazwyPlikow[rodzaj], wynik.bajty);
  return undefined;
}

// ---- start -----------------------------------------------------------------------------------

function polaczZdarzenia() {
  // Menus: a click opens, a click elsewhere closes.
  document.addEventListener("click", (e) => {
    const tytul = e.target.closest(".menu-tytul");
    const otwarte = tytul?.parentElement.classList.contains("otwarte");
    if (!e.target.closest("#menu-rejestru, .miejsce")) zamknijMenu();
    if (tytul && !otwarte && !tytul.disabled) tytul.parentElement.classList.add("otwarte");
  });
  for (const b of $$(".menu-lista button")) {
    b.addEventListener("click", () => {
      const d = b.dataset;
      if (d.jezyk) ustawJezyk(Number(d.jezyk));
      else if (d.plik) wczytaj(d.plik);
      else if (d.zapisz) zapisz(d.zapisz);
      else if (d.polecenie === "recznie") { pokazPanel(1); recznie(); }
      else if (d.polecenie === "kompiluj") { pokazPanel(2); kompiluj(); }
      else if (d.polecenie === "standardowe") { model.standardowe(); zapamietajRozkazy(); odswiezMnemoniki(); odswiezWszystko(); }
      else if (d.polecenie === "wyczysc") { pokazPanel(5); wyczyscKonsole(); }
      else if (d.panel) { pokazPanel(Number(d.panel)); bieg(d.polecenie, Number(d.panel)); }
    });
  }
  $("#Menu_Symulator_Nowy").addEventListener("click", nowy);
  for (const b of $$("[data-pokaz]")) b.addEventListener("click", () => pokazPanel(Number(b.dataset.pokaz)));
  for (const b of $$("[data-bieg]")) {
    const p = Number(b.closest(".panel").id.slice(-1));
    b.addEventListener("click", (e) => bieg(b.dataset.bieg, p, e));
  }
  $("#SpeedButtonRecznie").addEventListener("click", () => {
    if (przebieg) return;
    model.recznie(true);
    odswiezWszystko();
  });
  $("#SpeedButtonKompiluj").addEventListener("click", kompiluj);
  $("#komunikaty-kompilacji").addEventListener("click", (e) => {
    const li = e.target.closest("li.linia");
    if (li) idzDoLinii(Number(li.dataset.linia));
  });

  schemat.canvas.addEventListener("mouseup", kliknijSchemat);
  schemat.canvas.addEventListener("contextmenu", (e) => {
    e.preventDefault();
    otworzMenuRejestru(e);
  });
  $("#schemat-pudlo").addEventListener("wheel", (e) => {
    if (!e.ctrlKey) return;
    e.preventDefault();
    ustawSkale(schemat.skala * (e.deltaY < 0 ? 1.25 : 0.8));
  }, { passive: false });
  $("#powieksz").addEventListener("click", () => ustawSkale(schemat.skala * 1.25));
  $("#pomniejsz").addEventListener("click", () => ustawSkale(schemat.skala * 0.8));
  $("#ScrollBarPaO").addEventListener("input", (e) => {
    pierwszyAdresPaO = Number(e.target.value);
    rysujSchemat();
  });
  $("#ScrollBar1").addEventListener("input", odswiezCPU);
  $("#ListBoxPamiecProgram").addEventListener("wheel", (e) => {
    const s = $("#ScrollBar1");
    s.value = String(Number(s.value) + (e.deltaY > 0 ? 3 : -3));
    odswiezCPU();
  }, { passive: true });
  window.addEventListener("resize", () => { if (panel === 4) odswiezCPU(); });

  // Interrupt requests: button n raises request 9 - n.
  for (const pojemnik of [$("#Panel_IRQ"), $("#Panel_IRQ_konsoli")]) {
    for (let n = 1; n <= 8; ++n) {
      const b = document.createElement("button");
      b.className = `irq-${n}`;
      b.title = `IRQ ${9 - n}`;
      b.textContent = String(9 - n);
      b.addEventListener("click", () => {
        model.przerwanie(9 - n);
        odswiezWszystko();
      });
      pojemnik.append(b);
    }
  }

  // Console: the input line goes to the machine on every key release.
  $("#Edit1").addEventListener("keyup", () => {
    model.klawisz($("#Edit1").value);
    if (!przebieg) odswiezWszystko();
  });
  $("#SpeedButtonWyczysc").addEventListener("click", wyczyscKonsole);

  $("#zastosuj").addEventListener("click", () => {
    zatrzymajPrzebieg();
    model.ustawArchitekture($("#preset").value, Number($("#bity-adresu").value), Number($("#bity-kodu").value));
    zapamietajArchitekture();
    odswiezMnemoniki();
    odswiezWszystko();
  });

  // F7, F8, F9 on the shown panel; Ctrl+F9 compiles on the program panel.
  document.addEventListener("keydown", (e) => {
    const klawisze = { F7: "takt", F8: "rozkaz", F9: "program" };
    if (!klawisze[e.key]) return;
    e.preventDefault();
    if (panel === 2) {
      if (e.key === "F9" && e.ctrlKey && stan.tryb === 0) kompiluj();
      return;
    }
    if (panel === 1 || panel === 4) {
      if (!$(`#panel-${panel} [data-bieg='${klawisze[e.key]}']`).disabled) bieg(klawisze[e.key], panel);
    }
  });
}

function wyczyscKonsole() {
  model.wyczyscKonsole();
  $("#Edit1").value = "";
  odswiezWszystko();
}

async function start() {
  model = await zaladujModel();
  schemat = new TSchemat($("#schemat"));
  miejsca = utworzMiejsca(schemat, {
    opis: $("#schemat-fokus"),
    wybierz: (m) => wybierzSygnal(m.signal),
    otworzMenu: (m) => otworzMenuRejestru(null, m),
  });
  ustawJezyk(Number(localStorage.getItem(KLUCZ.jezyk)) === 2 ? 2 : 1);
  const tekst = przywroc();
  utworzEdytor(tekst);
  polaczZdarzenia();
  stan = model.stan();
  dodatki = podlaczDodatki({
    wywolaj: model.wywolaj,
    pokazPanel,
    panel: () => panel,
    odswiez: odswiezWszystko,
    biegnie: () => przebieg !== null,
    tryb: () => stan.tryb,
    poRozkazach() { zapamietajRozkazy(); odswiezMnemoniki(); odswiezWszystko(); },
    poArchitekturze() {
      zapamietajArchitekture();
      odswiezMnemoniki();
      odswiezWszystko();
    },
  });
  pokazPanel(1);
  odswiezWszystko();
  czasGotowosci = performance.now();
  document.body.dataset.gotowa = "1";
}

// For the tests and the benchmark: the page's own state, read-only.
window.symulator = {
  get model() { return model; },
  get edytor() { return edytor; },
  get stan() { return stan; },
  get przebieg() { return przebieg; },
  get obraz() { return schemat.obraz; },
  get liczbaTaktow() { return liczbaTaktow; },
  get opoznienieStopu() { return opoznienieStopu; },
  get liczbaPorcji() { return liczbaPorcji; },
  get czasGotowosci() { return czasGotowosci; },
  get dodatki() { return dodatki; },
};

start().catch((e) => {
  document.body.textContent = `Nie udało się uruchomić symulatora: ${e.message}`;
  throw e;
});

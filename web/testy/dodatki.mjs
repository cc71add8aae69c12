// The instruction editor, breakpoints, debug log, architecture and files of the page in
// headless Chromium: node dodatki.mjs TEST --zapis ZAPIS_ROZ --cli SYMULATOR_CLI.
// Exit 0 passed, 1 failed, 77 skipped (no page built).
import assert from "node:assert/strict";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { execFileSync } from "node:child_process";
import { fileURLToPath } from "node:url";
import { uruchomTest } from "./uruchom.mjs";

const KORZEN = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const STRONA = process.env.STRONA || path.join(KORZEN, "build-web");
const PRZYKLADY = path.join(KORZEN, "examples");
const czekaj = (ms) => new Promise((r) => setTimeout(r, ms));

// A command of the module's table, as the page's panels send it.
const api = (p, polecenie) => p.evaluate((o) => window.symulator.model.wywolaj(o), polecenie);

async function klawisz(p, nazwa, modyfikator) {
  if (modyfikator) await p.keyboard.down(modyfikator);
  await p.keyboard.press(nazwa);
  if (modyfikator) await p.keyboard.up(modyfikator);
}

// Replaces the text of a CodeMirror editor by typing.
async function wpisz(p, selektor, tekst) {
  await p.click(`${selektor} .cm-content`);
  await klawisz(p, "a", "Control");
  await p.keyboard.press("Backspace");
  await p.keyboard.type(tekst);
}

async function program(p, tekst) {
  await p.click("[data-pokaz='2']");
  await wpisz(p, "#edytor", tekst);
  await klawisz(p, "F9", "Control");
  return p.$$eval("#komunikaty-kompilacji li", (l) => l.map((e) => e.textContent));
}

async function menu(p, skladnik) {
  await p.click(`.menu-tytul[data-skladnik='${skladnik.split("_").slice(0, 2).join("_")}']`);
  await p.click(`[data-skladnik='${skladnik}']`);
}

async function wczytajPlik(p, skladnik, plik) {
  const [wybor] = await Promise.all([p.waitForFileChooser(), menu(p, skladnik)]);
  await wybor.accept([plik]);
  await czekaj(100);
}

// The architecture dialog: a preset and the two widths, "Zastosuj".
async function architektura(p, preset, bityAdresu, bityKodu) {
  await menu(p, "Menu_Symulator_Architektura");
  await p.click(`#FormArchitektura input[value='${preset}']`);
  await p.$eval("#UpDownIleBityAdresowe", (e, v) => { e.value = String(v); }, bityAdresu);
  await p.$eval("#UpDownIleBityKodu", (e, v) => { e.value = String(v); }, bityKodu);
  await p.click("#architektura-zastosuj");
}

// "Dodaj" in the instruction editor, the fields and the microprogram typed in, "Kompiluj".
async function nowyRozkaz(p, nazwa, argumenty, mikroprogram) {
  await p.click("[data-pokaz='3']");
  await p.click("#rozkazy-dodaj");
  await p.click("#rozkazy-nazwa", { clickCount: 3 });
  await p.keyboard.type(nazwa);
  await p.select("#rozkazy-argumenty", String(argumenty));
  await wpisz(p, "#rozkazy-mikroprogram", mikroprogram);
  await p.click("#rozkazy-kompiluj");
  return p.$$eval("#rozkazy-komunikaty li", (l) => l.map((e) => e.textContent));
}

// The breakpoint dialog: watched item and relation by their texts, the three fields.
async function dodajPunkt(p, co, relacja, { wartosc1 = "0", wartosc2 = "0", adres = "0" } = {}) {
  await p.click("[data-pokaz='7']");
  await p.click("#punkty-dodaj");
  const indeks = (sel, t) => p.$eval(sel, (s, t2) => [...s.options].findIndex((o) => o.textContent === t2), t);
  await p.select("#ComboBoxCo", String(await indeks("#ComboBoxCo", co)));
  await p.select("#ComboBoxRelacja", String(await indeks("#ComboBoxRelacja", relacja)));
  for (const [id, v] of [["#EditWartosc1", wartosc1], ["#EditWartosc2", wartosc2], ["#EditAdres", adres]])
    await p.$eval(id, (e, v2) => { e.value = v2; }, v);
  const przed = await p.$$eval("#ListViewPunkty tbody tr", (l) => l.length);
  await p.click("#BitBtnZastosuj");
  await p.waitForFunction((n) => document.querySelectorAll("#ListViewPunkty tbody tr").length > n, {}, przed);
  return p.$$eval("#ListViewPunkty tbody td", (l) => l.map((e) => e.textContent));
}

async function wybierzRozkaz(p, nazwa) {
  await p.click("[data-pokaz='3']");
  const n = await p.$$eval("#rozkazy-lista tbody tr", (l, n2) => l.findIndex((t) => t.cells[1].textContent === n2), nazwa);
  await p.click(`#rozkazy-lista tbody tr:nth-child(${n + 1})`);
}

async function uruchom(p) {
  await p.click("[data-pokaz='1']");
  await p.keyboard.press("F9");
  await p.waitForFunction(() => window.symulator.przebieg === null, { timeout: 20000 });
}

const raport = async (p) => (await api(p, { polecenie: "stan" })).raport;

// Tab until the element with focus matches `selektor`, round the page if need be.
async function tabDo(p, selektor) {
  for (let i = 0; i < 400; ++i) {
    if (await p.evaluate((s) => document.activeElement?.matches(s), selektor)) return;
    await p.keyboard.press("Tab");
  }
  assert.fail(`Tab nie dochodzi do ${selektor}`);
}

const fokus = (p) => p.evaluate(() => [document.activeElement.dataset.klucz, document.querySelector("#schemat-fokus").textContent]);

// The canvas's colour (RGB hex) at an image pixel.
const piksel = (p, x, y) =>
  p.evaluate((x2, y2) => {
    const c = document.querySelector("#schemat");
    const s = c.width / window.symulator.obraz.width;
    const d = c.getContext("2d").getImageData(Math.floor(x2 * s), Math.floor(y2 * s), 1, 1).data;
    return [...d.slice(0, 3)].map((v) => v.toString(16).padStart(2, "0")).join("");
  }, x, y);

// Downloads of the page into a fresh folder.
async function pobierania(p) {
  const katalog = fs.mkdtempSync(path.join(os.tmpdir(), "symulator-dodatki-"));
  const cdp = await p.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: katalog });
  return {
    katalog,
    async zapisz(skladnik, nazwa) {
      await menu(p, skladnik);
      const plik = path.join(katalog, nazwa);
      for (let i = 0; i < 100 && !fs.existsSync(plik); ++i) await czekaj(50);
      await czekaj(50);
      return plik;
    },
  };
}

// An instruction of two rows of its own: AK cleared, then the next fetch prepared.
const ZERUJ = "czyt wys wei il ;\nwyak weja ode weak ;\nwyl wea ;";

const TESTY = {
  async nowy_rozkaz(p) {
    const komunikaty = await nowyRozkaz(p, "zeruj", 0, ZERUJ);
    assert.equal(komunikaty[0], "Kompilacja");
    assert.match(komunikaty.at(-1), /^Czas kompilacji: /);
    assert.equal(komunikaty.length, 2, komunikaty.join("\n"));
    // The list shows it with its code; the memory view has its two rows.
    const wiersze = await p.$$eval("#rozkazy-lista tbody tr", (l) => l.map((t) => [...t.cells].map((c) => c.textContent)));
    assert.deepEqual(wiersze.at(-1), ["7", "zeruj", "0", "<Opis>"]);
    await p.click("[data-pokaz='8']");
    await p.click("#SpeedButtonUkryjPuste");
    const mikro = await p.$$eval("#StringGridPamiecMikroprogramu tbody tr", (l) => l.map((t) => [...t.cells].map((c) => c.textContent)));
    assert.deepEqual(mikro.filter((w) => w[1] === "zeruj").map((w) => w[2].trim()), ["wyak weja ode weak", "wyl wea"]);
    // A further add finds every code taken (3 bits).
    await p.click("[data-pokaz='3']");
    await p.click("#rozkazy-dodaj");
    await p.waitForSelector("dialog.okno[open]");
    assert.equal(await p.$eval("dialog.okno[open] p", (e) => e.textContent), "Osiągnięto limit rozkazów.\nZwiększ ilość bitów kodu!");
    await p.keyboard.press("Enter");
    const komunikatyProgramu = await program(p, "pob x\nzeruj\ndod y\nstop\nx: rst 7\ny: rst 3\n");
    assert.equal(komunikatyProgramu.length, 2, komunikatyProgramu.join("\n"));
    await uruchom(p);
    const r = await raport(p);
    assert.equal(r.halted, true);
    assert.equal(r.registers.AK, 3);
  },

  // The message text is the compiler's own, as the runner reports it for the same list.
  async blad_kompilacji(p, opcje) {
    await wybierzRozkaz(p, "dod");
    assert.equal(await p.$eval("#rozkazy-klucz", (e) => e.textContent), "dod");
    await wpisz(p, "#rozkazy-mikroprogram", "czyt wys wei il ;\nwyad wea ;\nczyt wys weja dod weak wyl wea wyx ;");
    await p.click("#rozkazy-kompiluj");
    const komunikaty = await p.$$eval("#rozkazy-komunikaty li", (l) => l.map((e) => e.textContent));
    assert.deepEqual(komunikaty.slice(0, -1), ["Kompilacja", "dod: Niedozwolony sygnal: wyx"]);
    assert.equal(await p.$eval("#rozkazy-kompiluj", (e) => e.classList.contains("nieaktualny")), false);
    const katalog = fs.mkdtempSync(path.join(os.tmpdir(), "symulator-blad-"));
    try {
      const bajty = (await api(p, { polecenie: "zapisz_rozkazy" })).bajty;
      fs.writeFileSync(path.join(katalog, "r.roz"), Buffer.from(bajty, "base64"));
      fs.writeFileSync(path.join(katalog, "p.prg"), "stop\r\n");
      const cli = JSON.parse(execFileSync(opcje.cli, ["--instructions", path.join(katalog, "r.roz"), "--json", path.join(katalog, "p.prg")]));
      assert.deepEqual(cli.microprogram_messages, ["dod: Niedozwolony sygnal: wyx"]);
    } finally {
      fs.rmSync(katalog, { recursive: true, force: true });
    }
    // A click on the message shows the instruction with the signal selected.
    await wybierzRozkaz(p, "stop");
    await p.click("#rozkazy-komunikaty li:nth-child(2)");
    assert.equal(await p.$eval("#rozkazy-klucz", (e) => e.textContent), "dod");
    assert.equal(await p.evaluate(() => {
      const e = window.symulator.dodatki.rozkazy.edytor;
      const s = e.state.selection.main;
      return e.state.sliceDoc(s.from, s.to);
    }), "wyx");
  },

  // A breakpoint on AK ends "Program", is logged, and the notice offers "Ignoruj".
  async punkt_ak(p) {
    await program(p, "petla: dod jeden\n        sob petla\njeden:  rst 1\n");
    const lista = await dodajPunkt(p, "Akumulator AK", "równa się", { wartosc1: "$5" });
    assert.deepEqual(lista, ["Akumulator AK równa się 5"]);
    await uruchom(p);
    const r = await raport(p);
    assert.equal(r.registers.AK, 5);
    assert.equal(r.halted, false);
    assert.equal(await p.$eval("#punkt-trafiony", (e) => e.hidden), false);
    assert.equal(await p.$eval("#punkt-tekst", (e) => e.textContent), "Breakpoint 1 OK = Akumulator AK równa się 5");
    assert.equal(await p.$eval("#SpeedButtonDebug", (e) => e.classList.contains("nowosci")), true);
    await p.click("#SpeedButtonDebug");
    assert.equal(await p.$eval("#SpeedButtonDebug", (e) => e.classList.contains("nowosci")), false);
    assert.equal(await p.$eval("#MemoDebug", (e) => e.textContent), "Breakpoint 1 OK = Akumulator AK równa się 5\n");
    assert.deepEqual(await p.$$eval("#ListViewEtykiety tbody td", (l) => l.map((e) => e.textContent)), ["petla", "0", "jeden", "2"]);
    // Undo of the last tick and of the last instruction, with Shift+F7 and Shift+F8.
    await p.click("[data-pokaz='1']");
    await klawisz(p, "F8", "Shift");
    assert.equal((await raport(p)).registers.AK, 4);
    // "Ignoruj": the next run is not stopped at AK = 5.
    await p.click("#punkt-ignoruj");
    await p.click("[data-pokaz='7']");
    assert.equal(await p.$eval("#CheckBoxIgnoruj", (e) => e.checked), true);
    await p.click("[data-pokaz='1']");
    await p.keyboard.press("F9");
    await czekaj(300);
    await p.click("#panel-1 [data-bieg='stop']");
    assert.ok((await raport(p)).registers.AK > 5);
    // The dialog's cell address and interval.
    await p.click("[data-pokaz='7']");
    await p.click("#CheckBoxIgnoruj");
    const dwa = await dodajPunkt(p, "Komórka pamięci (PaO)", "zawiera się w przedziale", { wartosc1: "1", wartosc2: "0x9", adres: "20" });
    assert.deepEqual(dwa, ["Akumulator AK równa się 5", "Komórka pamięci (PaO) o adresie 20 zawiera się w przedziale 1 - 9"]);
  },

  // Preset L shows the interrupt registers; an interrupt button raises the request the
  // example serves.
  async przerwania(p) {
    // The interrupt registers RZ, RM, RP and AP are slots 8 to 11 of the picture.
    const maRZ = () => p.evaluate(() => [8, 9, 10, 11].every((n) => window.symulator.obraz.places.some((q) => q.kind === "register" && q.slot === n)));
    assert.equal(await maRZ(), false);
    await wczytajPlik(p, "Menu_Rozkazy_Wczytaj", path.join(PRZYKLADY, "przerwania.roz"));
    await architektura(p, "L", 5, 4);
    // Applying does not compile; the set's codes need the fourth bit.
    await p.click("[data-pokaz='3']");
    await p.click("#rozkazy-kompiluj");
    await p.click("[data-pokaz='1']");
    assert.equal(await p.$eval("#status-preset", (e) => e.textContent), "L");
    assert.equal(await maRZ(), true);
    assert.equal(await p.$eval("#Panel_IRQ", (e) => e.hidden), false);
    const tekst = new TextDecoder("windows-1250").decode(fs.readFileSync(path.join(PRZYKLADY, "przerwanie.prg")));
    const komunikaty = await program(p, tekst.replace(/\r\n/g, "\n"));
    assert.equal(komunikaty.length, 2, komunikaty.join("\n"));
    await p.click("[data-pokaz='1']");
    await p.click("#Panel_IRQ button[title='IRQ 3']");
    await uruchom(p);
    const r = await raport(p);
    assert.equal(r.halted, true);
    const komorka = (a) => r.memory.find((k) => k.address === a).word;
    assert.equal(komorka(12), 10); // licznik
    assert.equal(komorka(13), 1); // flaga: the interrupt was served once
  },

  // Manual mode by the keyboard alone: "Ręcznie", the labels reached with Tab and the
  // arrows, chosen with Space and Enter, F7; the same message as with the mouse.
  async recznie_klawiatura(p) {
    await tabDo(p, "#SpeedButtonRecznie");
    await p.keyboard.press("Space");
    assert.equal(await p.evaluate(() => window.symulator.stan.tryb), 1);
    await tabDo(p, ".miejsce[data-sygnal='wyl']");
    assert.deepEqual(await fokus(p), ["s:wyl", "Miejsce: sygnał wyl."]);
    const [l, t] = await p.evaluate(() => window.symulator.obraz.places.find((m) => m.signal === "wyl").rect);
    assert.equal(await piksel(p, l - 2, t - 2), "0078d7");
    await p.keyboard.press("Space");
    assert.deepEqual(await fokus(p), ["s:wyl", "Miejsce: sygnał wyl, wybrany."]);
    await tabDo(p, ".miejsce[data-sygnal='wyad']");
    await p.keyboard.press("Enter");
    assert.equal(await p.$eval(".miejsce[data-sygnal='wyad']", (e) => e.getAttribute("aria-pressed")), "true");
    assert.deepEqual((await api(p, { polecenie: "stan" })).wybrane, ["wyl", "wyad"]);
    // An arrow moves the focus and its ring to another place.
    await p.keyboard.press("ArrowUp");
    const [klucz, tekst] = await fokus(p);
    assert.match(klucz, /^[sr]:/);
    assert.notEqual(klucz, "s:wyad");
    assert.match(tekst, /^Miejsce: /);
    assert.notEqual(await piksel(p, l - 2, t - 2), "0078d7");
    await p.keyboard.press("F7");
    const komunikaty = await p.$$eval("#komunikaty-taktu li", (li) => li.map((e) => e.textContent));
    assert.deepEqual(komunikaty, ["WYL - Magistrala adresowa w uzyciu"]);
  },

  // AK's menu from the keyboard: Shift+F10, the context-menu key and Enter open it, the
  // arrows go round it, Enter chooses, Escape closes; focus comes back to AK each time.
  async menu_klawiatura(p) {
    const otwarte = () => p.$eval("#menu-rejestru", (e) => e.classList.contains("otwarte"));
    const pozycja = () => p.evaluate(() => document.activeElement.textContent);
    await tabDo(p, ".miejsce[data-slot='18']");
    assert.equal(await p.$eval(".miejsce[data-slot='18']", (e) => e.getAttribute("aria-haspopup")), "menu");
    await klawisz(p, "F10", "Shift");
    assert.equal(await otwarte(), true);
    assert.equal(await pozycja(), "Zwiększ o 1");
    await p.keyboard.press("Enter");
    assert.equal(await otwarte(), false);
    assert.deepEqual(await fokus(p), ["r:18", "Miejsce: AK = 1."]);
    await p.keyboard.press("ContextMenu");
    await p.keyboard.press("ArrowUp");
    assert.equal(await pozycja(), "Szesnastkowy");
    await p.keyboard.press("Enter");
    assert.equal((await api(p, { polecenie: "stan" })).podstawy.AK, 16);
    await p.keyboard.press("Enter");
    for (let i = 0; i < 2; ++i) await p.keyboard.press("ArrowDown");
    assert.equal(await pozycja(), "Wpisz wartość");
    p.once("dialog", (d) => d.accept("$1F"));
    await p.keyboard.press("Enter");
    assert.equal((await raport(p)).registers.AK, 31);
    assert.equal(await p.evaluate(() => document.activeElement.dataset.klucz), "r:18");
    await p.keyboard.press("Space");
    assert.equal(await otwarte(), true);
    await p.keyboard.press("Escape");
    assert.equal(await otwarte(), false);
    assert.equal(await p.evaluate(() => document.activeElement.dataset.klucz), "r:18");
    assert.equal((await raport(p)).registers.AK, 31);
  },

  // Preset "U" comes back after a reload with its name and its signals.
  async przeladowanie_u(p) {
    await menu(p, "Menu_Symulator_Architektura");
    await p.click("#FormArchitektura input[value='U']");
    await p.click("#FormArchitektura .zakladka-przycisk:nth-child(3)");
    for (const s of ["il", "iak"]) await p.click(`#TabSheetSygnaly input[value='${s}']`);
    await p.click("#architektura-zastosuj");
    await p.waitForFunction(() => document.querySelector("#status-preset").textContent === "U");
    const przed = await api(p, { polecenie: "architektura" });
    assert.ok(przed.sygnaly.includes("iak") && !przed.sygnaly.includes("il"));
    await p.reload({ waitUntil: "load" });
    await p.waitForSelector("body[data-gotowa='1']");
    const po = await api(p, { polecenie: "architektura" });
    assert.deepEqual(po, przed);
    assert.equal(await p.$eval("#status-preset", (e) => e.textContent), "U");
    await p.click("[data-pokaz='4']");
    assert.equal(await p.$eval("#preset", (e) => e.value), "U");
  },

  // A loaded set, changed in the editor, saved: the window's save of what the page
  // saved writes the same bytes, and so does the page's save of an unchanged file.
  async zapis_roz(p, opcje) {
    const d = await pobierania(p);
    try {
      await wczytajPlik(p, "Menu_Rozkazy_Wczytaj", path.join(PRZYKLADY, "przerwania.roz"));
      const bez = await d.zapisz("Menu_Rozkazy_Zapisz", "przerwania.roz");
      execFileSync(opcje.zapis, [path.join(PRZYKLADY, "przerwania.roz"), path.join(d.katalog, "okno1.roz")]);
      assert.ok(fs.readFileSync(bez).equals(fs.readFileSync(path.join(d.katalog, "okno1.roz"))));
      fs.renameSync(bez, path.join(d.katalog, "pierwszy.roz"));
      await architektura(p, "L", 5, 4);
      await nowyRozkaz(p, "zeruj", 0, ZERUJ);
      await p.click("#rozkazy-opis");
      await p.keyboard.type("AK := 0, zażółć");
      await p.click("#rozkazy-nazwa");
      const zmieniony = await d.zapisz("Menu_Rozkazy_Zapisz", "przerwania.roz");
      execFileSync(opcje.zapis, [zmieniony, path.join(d.katalog, "okno2.roz")]);
      const strona = fs.readFileSync(zmieniony);
      assert.ok(strona.equals(fs.readFileSync(path.join(d.katalog, "okno2.roz"))));
      assert.ok(strona.includes(Buffer.from("AK := 0, za\xbf\xf3\xb3\xe6", "latin1")));
    } finally {
      fs.rmSync(d.katalog, { recursive: true, force: true });
    }
  },

  // One lab exercise: an instruction set file, a program, a new instruction, a run to a
  // breakpoint and on to the end, the three files saved; the runner on the saved files
  // reaches the same state.
  async cwiczenie(p, opcje) {
    const d = await pobierania(p);
    try {
      await wczytajPlik(p, "Menu_Rozkazy_Wczytaj", path.join(PRZYKLADY, "przerwania.roz"));
      await architektura(p, "L", 6, 4);
      const tekst = "// Suma z zerowaniem\npetla:  pob suma\n        dod krok\n        ład suma\n        ode granica\n        som petla\n        zeruj\n        ład suma\n        stop\nsuma:   rst 0\nkrok:   rst 3\ngranica: rst 12\n";
      await nowyRozkaz(p, "zeruj", 0, ZERUJ);
      const komunikaty = await program(p, tekst);
      assert.equal(komunikaty.length, 2, komunikaty.join("\n"));
      await dodajPunkt(p, "Komórka pamięci (PaO)", "jest równy lub większy od", { wartosc1: "9", adres: "8" });
      await uruchom(p);
      let r = await raport(p);
      assert.equal(r.halted, false);
      assert.equal(r.memory.find((k) => k.address === 8).word, 9);
      await p.click("#punkt-zamknij");
      await p.click("[data-pokaz='7']");
      await p.click("#CheckBoxIgnoruj");
      await uruchom(p);
      r = await raport(p);
      assert.equal(r.halted, true);
      assert.equal(r.registers.AK, 0);
      const prg = await d.zapisz("Menu_Program_Zapisz", "program.prg");
      const roz = await d.zapisz("Menu_Rozkazy_Zapisz", "przerwania.roz");
      const mas = await d.zapisz("Menu_Maszyna_Zapisz", "maszyna.mas");
      const cli = JSON.parse(
        execFileSync(opcje.cli, ["--instructions", roz, "--machine", mas, "--address-bits", "6", "--code-bits", "4", "--json", prg]),
      );
      assert.equal(cli.halted, true);
      assert.deepEqual(cli.registers, r.registers);
      assert.deepEqual(cli.memory, r.memory);
      assert.deepEqual(cli.microprogram_messages, []);
    } finally {
      fs.rmSync(d.katalog, { recursive: true, force: true });
    }
  },
};

uruchomTest(TESTY, STRONA, KORZEN);

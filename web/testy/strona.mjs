// The page in headless Chromium: node strona.mjs TEST [options]. Exit 0 passed, 1 failed,
// 77 skipped (no page built). ctest runs each test on its own.
import assert from "node:assert/strict";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { execFileSync } from "node:child_process";
import { fileURLToPath } from "node:url";

const KORZEN = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const STRONA = process.env.STRONA || path.join(KORZEN, "build-web");
const PRZYKLADY = path.join(KORZEN, "examples");
const czekaj = (ms) => new Promise((r) => setTimeout(r, ms));

// Windows-1250 files of the examples as the page's editor shows them.
function cp1250(bajty) {
  return new TextDecoder("windows-1250").decode(bajty);
}

async function wpiszProgram(p, tekst) {
  await p.click("[data-pokaz='2']");
  await p.click("#edytor .cm-content");
  await p.keyboard.down("Control");
  await p.keyboard.press("a");
  await p.keyboard.up("Control");
  await p.keyboard.press("Backspace");
  await p.keyboard.type(tekst);
}

async function kompiluj(p) {
  await p.click("[data-pokaz='2']");
  await p.keyboard.down("Control");
  await p.keyboard.press("F9");
  await p.keyboard.up("Control");
  return p.$$eval("#komunikaty-kompilacji li", (l) => l.map((e) => e.textContent));
}

async function menu(p, skladnik) {
  const tytul = skladnik.split("_").slice(0, 2).join("_");
  await p.click(`.menu-tytul[data-skladnik='${tytul}']`);
  await p.click(`[data-skladnik='${skladnik}']`);
}

async function wczytajPlik(p, skladnik, plik) {
  const [wybor] = await Promise.all([p.waitForFileChooser(), menu(p, skladnik)]);
  await wybor.accept([plik]);
}

async function rejestry(p) {
  await p.click("[data-pokaz='4']");
  const linie = await p.$$eval("#ListBoxRejestry li", (l) => l.map((e) => e.textContent));
  return Object.fromEntries(linie.map((t) => [t.slice(0, 4).trim(), t.slice(4)]));
}

async function komorka(p, adres) {
  await p.click("[data-pokaz='4']");
  await p.$eval("#ScrollBar1", (s, a) => { s.value = String(a); s.dispatchEvent(new Event("input")); }, adres);
  return p.$eval(`#ListBoxPamiecProgram li[data-adres='${adres}']`, (e) => ({ tekst: e.textContent, wartosc: Number(e.dataset.wartosc) }));
}

const TESTY = {
  // The worked example typed in, compiled and run tick by tick with F7 on the CPU panel.
  async przyklad(p) {
    const tekst = cp1250(fs.readFileSync(path.join(PRZYKLADY, "przyklad.prg")));
    await wpiszProgram(p, tekst.replace(/\r\n/g, "\n"));
    const komunikaty = await kompiluj(p);
    assert.equal(komunikaty[0], "Kompilacja");
    assert.equal(komunikaty.length, 2, komunikaty.join("\n"));
    await p.click("[data-pokaz='4']");
    await p.evaluate(() => {
      for (let i = 0; i < 3306; ++i) document.dispatchEvent(new KeyboardEvent("keydown", { key: "F7" }));
    });
    const r = await rejestry(p);
    assert.equal(r.AK, "44");
    const k = await komorka(p, 20);
    assert.equal(k.wartosc, 44);
    assert.match(k.tekst, /0x14  1 12  dod 12$/);
  },

  // The echo example: its instruction set, preset EK with 4 code bits, a typed line.
  async echo(p) {
    await wczytajPlik(p, "Menu_Rozkazy_Wczytaj", path.join(PRZYKLADY, "we_wy.roz"));
    await p.click("[data-pokaz='4']");
    await p.select("#preset", "EK");
    await p.$eval("#bity-kodu", (e) => { e.value = "4"; });
    await p.click("#zastosuj");
    await wczytajPlik(p, "Menu_Program_Wczytaj", path.join(PRZYKLADY, "echo.prg"));
    const komunikaty = await kompiluj(p);
    assert.equal(komunikaty.length, 2, komunikaty.join("\n"));
    assert.equal(await p.$eval("#SpeedButtonKonsola", (e) => e.hidden), false);
    await p.click("[data-pokaz='5']");
    await p.type("#Edit1", "Ala ma kota");
    await p.click("[data-pokaz='1']");
    await p.keyboard.press("F9");
    await p.waitForFunction(() => window.symulator.przebieg === null && window.symulator.stan.zatrzymana, { timeout: 10000 });
    await p.click("[data-pokaz='5']");
    assert.equal(await p.$eval("#Memo1", (e) => e.textContent), "Ala ma kota");
    assert.equal(await p.$eval("#Edit1", (e) => e.value), "");
  },

  // Manual mode: the labels "wyl" and "wyad" clicked on the schematic, then Takt.
  async recznie(p) {
    if ((await p.evaluate(() => window.symulator.obraz.places.length)) === 0) return "pominiety";
    await p.click("#SpeedButtonRecznie");
    for (const nazwa of ["wyl", "wyad"]) {
      // The middle of the label's place in the picture the page has drawn.
      const punkt = await p.evaluate((n) => {
        const m = window.symulator.obraz.places.find((q) => q.kind === "signal" && q.signal === n);
        return m && { x: (m.rect[0] + m.rect[2]) / 2, y: (m.rect[1] + m.rect[3]) / 2 };
      }, nazwa);
      assert.ok(punkt, `brak etykiety ${nazwa}`);
      const r = await p.$eval("#schemat", (c) => { const b = c.getBoundingClientRect(); return { x: b.left, y: b.top }; });
      await p.mouse.click(r.x + punkt.x, r.y + punkt.y);
    }
    assert.equal(await p.$eval("[data-bieg='program']", (e) => e.disabled), true);
    await p.click("#panel-1 [data-bieg='takt']");
    const komunikaty = await p.$$eval("#komunikaty-taktu li", (l) => l.map((e) => e.textContent));
    // "wyad" comes first in the fixed signal order, so "wyl" finds bus A taken.
    assert.deepEqual(komunikaty, ["WYL - Magistrala adresowa w uzyciu"]);
  },

  // Stop during an endless "Program" ends it at once.
  async stop(p) {
    await wpiszProgram(p, "petla: sob petla\n");
    await kompiluj(p);
    await p.click("[data-pokaz='1']");
    await p.keyboard.press("F9");
    await czekaj(500);
    assert.ok(await p.evaluate(() => window.symulator.przebieg !== null));
    const przed = await p.evaluate(() => window.symulator.liczbaTaktow);
    assert.ok(przed > 10000, `tylko ${przed} taktów`);
    await p.click("#panel-1 [data-bieg='stop']");
    const opoznienie = await p.evaluate(() => window.symulator.opoznienieStopu);
    assert.ok(opoznienie !== null && opoznienie < 100, `Stop po ${opoznienie} ms`);
    const po = await p.evaluate(() => window.symulator.liczbaTaktow);
    await czekaj(200);
    assert.equal(await p.evaluate(() => window.symulator.liczbaTaktow), po);
    assert.equal(await p.evaluate(() => window.symulator.stan.tryb), 0);
    assert.equal(await p.$eval("#panel-1 [data-bieg='program']", (e) => e.disabled), false);
  },

  // The program text, the instruction set and the architecture come back after a reload;
  // "Nowy" starts from the defaults.
  async przeladowanie(p) {
    await wpiszProgram(p, "// zażółć gęślą jaźń\n        stop\n");
    await wczytajPlik(p, "Menu_Rozkazy_Wczytaj", path.join(PRZYKLADY, "we_wy.roz"));
    await p.click("[data-pokaz='4']");
    await p.select("#preset", "L");
    await p.click("#zastosuj");
    await p.reload({ waitUntil: "load" });
    await p.waitForSelector("body[data-gotowa='1']");
    assert.equal(await p.evaluate(() => window.symulator.edytor.state.doc.toString()), "// zażółć gęślą jaźń\n        stop\n");
    assert.ok((await p.evaluate(() => window.symulator.model.mnemoniki())).includes("wczyt"));
    assert.equal(await p.evaluate(() => window.symulator.stan.preset), "L");
    await p.click(".menu-tytul[data-skladnik='Menu_Symulator']");
    await p.click("#Menu_Symulator_Nowy");
    await p.reload({ waitUntil: "load" });
    await p.waitForSelector("body[data-gotowa='1']");
    assert.equal(await p.evaluate(() => window.symulator.edytor.state.doc.toString()), "");
    assert.equal(await p.evaluate(() => window.symulator.stan.preset), "K");
    assert.ok(!(await p.evaluate(() => window.symulator.model.mnemoniki())).includes("wczyt"));
  },

  // A downloaded .prg is byte for byte what the window's save writes for the same text.
  async zapis_prg(p, opcje) {
    const tekst = "// Zażółć gęślą jaźń: ĄĆĘŁŃÓŚŹŻ\n\tpob x\t// tab\nx:      rst 5\n\n   \n";
    await wpiszProgram(p, tekst);
    const wEdytorze = await p.evaluate(() => window.symulator.edytor.state.doc.toString());
    assert.equal(wEdytorze, tekst);
    const katalog = fs.mkdtempSync(path.join(os.tmpdir(), "symulator-zapis-"));
    try {
      const cdp = await p.createCDPSession();
      await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: katalog, eventsEnabled: true });
      await menu(p, "Menu_Program_Zapisz");
      const plik = path.join(katalog, "program.prg");
      for (let i = 0; i < 100 && !fs.existsSync(plik); ++i) await czekaj(50);
      const strona = fs.readFileSync(plik);
      fs.writeFileSync(path.join(katalog, "tekst.txt"), wEdytorze);
      execFileSync(opcje.zapis, [path.join(katalog, "tekst.txt"), path.join(katalog, "okno.prg")]);
      const okno = fs.readFileSync(path.join(katalog, "okno.prg"));
      assert.ok(strona.equals(okno), `${strona.toString("hex")}\n${okno.toString("hex")}`);
      // Windows-1250 with CR LF: "ł" is 0xB3, "Ż" 0xAF.
      assert.ok(strona.includes(Buffer.from("g\xea\x9cl\xb9 ja\x9f\xf1: \xa5\xc6\xca\xa3", "latin1")));
      assert.equal(strona.subarray(-10).toString("latin1"), "5\r\n\r\n   \r\n");
    } finally {
      fs.rmSync(katalog, { recursive: true, force: true });
    }
  },
};

async function main() {
  const [nazwa, ...reszta] = process.argv.slice(2);
  const opcje = {};
  for (let i = 0; i + 1 < reszta.length; i += 2) opcje[reszta[i].replace(/^--/, "")] = reszta[i + 1];
  if (!TESTY[nazwa]) {
    console.error(`nieznany test "${nazwa}"; są: ${Object.keys(TESTY).join(", ")}`);
    process.exit(2);
  }
  if (!fs.existsSync(path.join(STRONA, "index.html")) || !fs.existsSync(path.join(KORZEN, "web/node_modules"))) {
    console.log(`Pominięty: brak strony w ${STRONA} (scripts/web.sh ją buduje).`);
    process.exit(77);
  }
  const { serwer, przegladarka, otworz } = await import("./przegladarka.mjs");
  const { serwer: s, adres } = await serwer(STRONA);
  const b = await przegladarka();
  let kod = 0;
  try {
    const p = await otworz(b, adres);
    if ((await TESTY[nazwa](p, opcje)) === "pominiety") {
      console.log(`${nazwa}: pominięty, moduł nie ma jeszcze obrazu schematu`);
      kod = 77;
    } else {
      assert.deepEqual(p.bledy, []);
      console.log(`${nazwa}: zaliczony`);
    }
  } catch (e) {
    console.error(`${nazwa}: NIEZALICZONY\n${e.stack || e}`);
    kod = 1;
  } finally {
    await b.close();
    s.close();
  }
  process.exit(kod);
}

main();

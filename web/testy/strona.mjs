// The page in headless Chromium: node strona.mjs TEST [options]. Exit 0 passed, 1 failed,
// 77 skipped (no page built). ctest runs each test on its own.
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
    await p.click("#SpeedButtonRecznie");
    for (const nazwa of ["wyl", "wyad"]) await kliknijEtykiete(p, nazwa);
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

  // A downloaded .prg is byte for byte what the window's save writes for the same text:
  // the module's "zapisz_program" in node, the window's own lines-to-bytes code.
  async zapis_prg(p) {
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
      const okno = await bajtyOkna(wEdytorze);
      assert.ok(strona.equals(okno), `${strona.toString("hex")}\n${okno.toString("hex")}`);
      // Windows-1250 with CR LF: "ł" is 0xB3, "Ż" 0xAF.
      assert.ok(strona.includes(Buffer.from("g\xea\x9cl\xb9 ja\x9f\xf1: \xa5\xc6\xca\xa3", "latin1")));
      assert.equal(strona.subarray(-10).toString("latin1"), "5\r\n\r\n   \r\n");
    } finally {
      fs.rmSync(katalog, { recursive: true, force: true });
    }
  },

  // The canvas of the Max schematic after a known tick, with labels chosen, against the
  // window's own image of the same state (obraz_okna, the schematic widget offscreen).
  // Text is set by two type engines, so each text's box (both pictures' positions, 2 px
  // around) is compared by its ink: the same colour, ink mass within 25 %. A label's line
  // follows its label's width, so a horizontal line may end up to 2 px apart; every other
  // primitive must be the same, and every pixel outside the text boxes and those line
  // ends identical.
  async schemat(p, opcje) {
    if (!opcje.okno) {
      console.log("brak programu obraz_okna (budowa bez okna)");
      return "pominiety";
    }
    const TAKTY = 5, WYBRANE = ["wyl", "wyad", "iak"];
    const katalog = fs.mkdtempSync(path.join(os.tmpdir(), "symulator-obraz-"));
    try {
      const ppm = path.join(katalog, "okno.ppm"), opis = path.join(katalog, "okno.json");
      execFileSync(opcje.okno, [path.join(PRZYKLADY, "przyklad.prg"), String(TAKTY), ppm, opis, ...WYBRANE]);
      const okno = czytajPpm(fs.readFileSync(ppm));
      const opisOkna = JSON.parse(fs.readFileSync(opis, "utf8"));

      await p.click("[data-pokaz='4']");
      await p.select("#preset", "Max");
      await p.click("#zastosuj");
      const tekst = cp1250(fs.readFileSync(path.join(PRZYKLADY, "przyklad.prg")));
      await p.evaluate((t) => {
        const e = window.symulator.edytor;
        e.dispatch({ changes: { from: 0, to: e.state.doc.length, insert: t } });
      }, tekst.replace(/\r\n/g, "\n"));
      await kompiluj(p);
      await p.click("[data-pokaz='1']");
      for (let i = 0; i < TAKTY; ++i) await p.keyboard.press("F7");
      await p.click("#SpeedButtonRecznie");
      for (const nazwa of WYBRANE) await kliknijEtykiete(p, nazwa);
      await p.screenshot({ path: path.join(katalog, "strona.png"), clip: await p.$eval("#schemat", (c) => { const b = c.getBoundingClientRect(); return { x: b.left, y: b.top, width: b.width, height: b.height }; }) });
      const wynik = await p.evaluate(porownajZOknem, [...okno.piksele], okno.szerokosc, okno.wysokosc, opisOkna);
      assert.deepEqual(wynik.bledy, [], JSON.stringify(wynik, null, 1));
      assert.equal(wynik.rozneNaZewnatrz, 0);
      console.log(`schemat: ${wynik.pikseleZewnatrz} pikseli poza tekstem identycznych, ${wynik.teksty} tekstów zgodnych tuszem, ${wynik.konceLinii} końców linii etykiet przesuniętych`);
    } finally {
      fs.rmSync(katalog, { recursive: true, force: true });
    }
    return undefined;
  },
};

// The window's bytes of a program text: the module's save in node.
async function bajtyOkna(tekst) {
  const { createRequire } = await import("node:module");
  const { otworzSesje, zBase64 } = await import("../modul/sesja.mjs");
  const modul = await createRequire(import.meta.url)(path.join(STRONA, "web/modul/symulator_node.cjs"))();
  const sesja = otworzSesje(modul);
  const w = sesja.wywolaj({ polecenie: "zapisz_program", tekst });
  sesja.zamknij();
  assert.ok(w.ok, w.blad);
  return Buffer.from(zBase64(w.bajty));
}

// Binary PPM (P6, 255): width, height and RGB bytes.
function czytajPpm(b) {
  const naglowek = b.subarray(0, 64).toString("latin1").match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  assert.ok(naglowek, "to nie jest obraz PPM");
  return { szerokosc: Number(naglowek[1]), wysokosc: Number(naglowek[2]), piksele: b.subarray(naglowek[0].length) };
}

// Manual mode: the middle of a label's place in the picture the page has drawn, clicked.
async function kliknijEtykiete(p, nazwa) {
  const punkt = await p.evaluate((n) => {
    const m = window.symulator.obraz.places.find((q) => q.kind === "signal" && q.signal === n);
    return m && { x: (m.rect[0] + m.rect[2]) / 2, y: (m.rect[1] + m.rect[3]) / 2 };
  }, nazwa);
  assert.ok(punkt, `brak etykiety ${nazwa}`);
  const r = await p.$eval("#schemat", (c) => { const b = c.getBoundingClientRect(); return { x: b.left, y: b.top }; });
  await p.mouse.click(r.x + punkt.x, r.y + punkt.y);
}

// In the page: the canvas's pixels against the window's (RGB), by the rule above.
function porownajZOknem(rgb, szerokosc, wysokosc, opisOkna) {
  const canvas = document.querySelector("#schemat");
  const bledy = [];
  if (canvas.width !== szerokosc || canvas.height !== wysokosc) return { bledy: [`rozmiar ${canvas.width}x${canvas.height}`] };
  const strona = canvas.getContext("2d").getImageData(0, 0, szerokosc, wysokosc).data;
  const obraz = window.symulator.obraz;
  const ctx = document.createElement("canvas").getContext("2d");
  const teksty = (o) => o.primitives.filter((e) => e.kind === "text");
  const a = teksty(obraz), b = teksty(opisOkna);
  if (a.length !== b.length) bledy.push(`tekstów: strona ${a.length}, okno ${b.length}`);
  const wTekscie = new Uint8Array(szerokosc * wysokosc);
  const ramki = [];
  for (let i = 0; i < Math.min(a.length, b.length); ++i) {
    const [s, o] = [a[i], b[i]];
    const skrocony = s.text.includes("…") || o.text.includes("…");
    if ((!skrocony && s.text !== o.text) || s.color !== o.color || JSON.stringify(s.font) !== JSON.stringify(o.font))
      bledy.push(`tekst ${i}: strona ${JSON.stringify(s)}, okno ${JSON.stringify(o)}`);
    let [l, t, r, d] = [Infinity, Infinity, -Infinity, -Infinity];
    for (const e of [s, o]) {
      ctx.font = `${e.font.italic ? "italic " : ""}${e.font.bold ? "bold " : ""}${e.font.size}px "Liberation Sans"`;
      l = Math.min(l, e.at[0]);
      t = Math.min(t, e.at[1]);
      r = Math.max(r, e.at[0] + Math.ceil(ctx.measureText(e.text).width));
      d = Math.max(d, e.at[1] + e.font.size + 3);
    }
    const ramka = [Math.max(0, l - 2), Math.max(0, t - 2), Math.min(szerokosc, r + 2), Math.min(wysokosc, d + 2)];
    ramki.push({ ramka, tekst: s.text, kolor: s.color });
    for (let y = ramka[1]; y < ramka[3]; ++y) for (let x = ramka[0]; x < ramka[2]; ++x) wTekscie[y * szerokosc + x] = 1;
  }
  // A label's line is as long as its label is wide, so its end may move with the type
  // engine: every other primitive must be the same in both pictures.
  let konceLinii = 0;
  const inne = (o) => o.primitives.filter((e) => e.kind !== "text");
  const [c, d] = [inne(obraz), inne(opisOkna)];
  if (c.length !== d.length) bledy.push(`elementów: strona ${c.length}, okno ${d.length}`);
  for (let i = 0; i < Math.min(c.length, d.length); ++i) {
    const [s, o] = [c[i], d[i]];
    if (JSON.stringify(s) === JSON.stringify(o)) continue;
    const przesuniety = s.kind === "line" && o.kind === "line" && s.color === o.color && s.width === o.width &&
      s.from[0] === o.from[0] && s.from[1] === o.from[1] && s.from[1] === s.to[1] && s.to[1] === o.to[1] &&
      Math.abs(s.to[0] - o.to[0]) <= 2;
    if (!przesuniety) {
      bledy.push(`element ${i}: strona ${JSON.stringify(s)}, okno ${JSON.stringify(o)}`);
      continue;
    }
    ++konceLinii;
    const y = s.to[1] - ((s.width - 1) >> 1);
    for (let x = Math.min(s.to[0], o.to[0]) - 1; x <= Math.max(s.to[0], o.to[0]) + 1; ++x)
      for (let k = 0; k < s.width; ++k) if (x >= 0 && x < szerokosc) wTekscie[(y + k) * szerokosc + x] = 1;
  }
  let rozneNaZewnatrz = 0, pikseleZewnatrz = 0;
  const przyklady = [];
  for (let i = 0; i < szerokosc * wysokosc; ++i) {
    if (wTekscie[i]) continue;
    ++pikseleZewnatrz;
    if (strona[4 * i] !== rgb[3 * i] || strona[4 * i + 1] !== rgb[3 * i + 1] || strona[4 * i + 2] !== rgb[3 * i + 2]) {
      ++rozneNaZewnatrz;
      if (przyklady.length < 10) przyklady.push([i % szerokosc, Math.floor(i / szerokosc)]);
    }
  }
  if (rozneNaZewnatrz) bledy.push(`${rozneNaZewnatrz} pikseli poza tekstem różnych, np. ${JSON.stringify(przyklady)}`);
  // Ink: how far each pixel is from the box's most common colour (its background in the
  // window's image), summed; its colour the mean of the strongly inked pixels.
  for (const { ramka, tekst, kolor } of ramki) {
    const liczby = new Map();
    for (let y = ramka[1]; y < ramka[3]; ++y)
      for (let x = ramka[0]; x < ramka[2]; ++x) {
        const i = y * szerokosc + x, k = (rgb[3 * i] << 16) | (rgb[3 * i + 1] << 8) | rgb[3 * i + 2];
        liczby.set(k, (liczby.get(k) || 0) + 1);
      }
    const tlo = [...liczby].sort((p, q) => q[1] - p[1])[0][0];
    const tloRgb = [tlo >> 16, (tlo >> 8) & 255, tlo & 255];
    const tusz = (piksel) => {
      let masa = 0, mocne = 0;
      const suma = [0, 0, 0];
      for (let y = ramka[1]; y < ramka[3]; ++y)
        for (let x = ramka[0]; x < ramka[2]; ++x) {
          const c = piksel(y * szerokosc + x);
          const d = Math.max(...c.map((v, k) => Math.abs(v - tloRgb[k])));
          masa += d / 255;
          if (d > 128) { ++mocne; c.forEach((v, k) => (suma[k] += v)); }
        }
      const sr = suma.map((v) => v / Math.max(1, mocne));
      const barwa = sr[0] > 128 && sr[2] < 100 ? "#ff0000" : sr[2] > 128 && sr[0] < 100 ? "#0000ff" : "#000000";
      return { masa, barwa };
    };
    const ts = tusz((i) => [strona[4 * i], strona[4 * i + 1], strona[4 * i + 2]]);
    const to = tusz((i) => [rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]]);
    if (Math.abs(ts.masa - to.masa) > 0.25 * Math.max(ts.masa, to.masa) + 2 || ts.barwa !== to.barwa || to.barwa !== kolor)
      bledy.push(`"${tekst}" w ${JSON.stringify(ramka)}: tusz strony ${ts.masa.toFixed(1)} ${ts.barwa}, okna ${to.masa.toFixed(1)} ${to.barwa}, oczekiwano ${kolor}`);
  }
  return { bledy, rozneNaZewnatrz, pikseleZewnatrz, teksty: ramki.length, konceLinii };
}

uruchomTest(TESTY, STRONA, KORZEN);

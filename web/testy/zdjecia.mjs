// Screenshots of the page for the user guide, in the states scripts/screenshots.sh shows
// the window in: docs/obrazy/strona_{program,maszyna,cpu,konsola}.png.
// node web/testy/zdjecia.mjs   (after scripts/web.sh)
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { serwer, przegladarka, otworz } from "./przegladarka.mjs";

const KORZEN = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../..");
const PRZYKLADY = path.join(KORZEN, "examples");
const CEL = path.join(KORZEN, "docs/obrazy");
const czekaj = (ms) => new Promise((r) => setTimeout(r, ms));
const tekst = (plik) => new TextDecoder("windows-1250").decode(fs.readFileSync(path.join(PRZYKLADY, plik))).replace(/\r\n/g, "\n");

async function zdjecie(p, nazwa) {
  await czekaj(300);
  const plik = path.join(CEL, `strona_${nazwa}.png`);
  await p.screenshot({ path: plik });
  console.log(plik);
}

async function program(p, t) {
  await p.evaluate((t) => {
    const e = window.symulator.edytor;
    e.dispatch({ changes: { from: 0, to: e.state.doc.length, insert: t } });
  }, t);
  await p.click("[data-pokaz='2']");
  await p.keyboard.down("Control");
  await p.keyboard.press("F9");
  await p.keyboard.up("Control");
}

const { serwer: s, adres } = await serwer(path.join(KORZEN, "build-web"));
const b = await przegladarka();
try {
  const p = await otworz(b, adres, { szerokosc: 1000, wysokosc: 720 });
  // The worked example compiled; five instructions and two ticks on the schematic.
  await program(p, tekst("przyklad.prg"));
  await zdjecie(p, "program");
  await p.click("[data-pokaz='1']");
  for (const k of ["F8", "F8", "F8", "F8", "F8", "F7", "F7"]) await p.keyboard.press(k);
  await zdjecie(p, "maszyna");
  await p.click("[data-pokaz='4']");
  await zdjecie(p, "cpu");

  // The echo example on EK with 4 code bits and its instruction set.
  const [wybor] = await Promise.all([p.waitForFileChooser(), (async () => {
    await p.click(".menu-tytul[data-skladnik='Menu_Rozkazy']");
    await p.click("[data-skladnik='Menu_Rozkazy_Wczytaj']");
  })()]);
  await wybor.accept([path.join(PRZYKLADY, "we_wy.roz")]);
  await p.click("[data-pokaz='4']");
  await p.select("#preset", "EK");
  await p.$eval("#bity-kodu", (e) => { e.value = "4"; });
  await p.click("#zastosuj");
  await program(p, tekst("echo.prg"));
  await p.click("[data-pokaz='5']");
  await p.type("#Edit1", "Ala ma kota");
  await p.click("[data-pokaz='1']");
  await p.keyboard.press("F9");
  await p.waitForFunction(() => window.symulator.przebieg === null, { timeout: 10000 });
  await p.click("[data-pokaz='5']");
  await zdjecie(p, "konsola");
} finally {
  await b.close();
  s.close();
}

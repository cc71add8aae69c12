// Figures of the web page in headless Chromium (not a test): how fast "Program" runs
// while the schematic redraws, and how long the page takes to load from localhost.
// node bench/strona.mjs   (after scripts/web.sh; uses build-web/ and web/node_modules)
import path from "node:path";
import { fileURLToPath } from "node:url";

const KORZEN = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const { serwer, przegladarka, otworz } = await import(path.join(KORZEN, "web/testy/przegladarka.mjs"));
const mediana = (t) => [...t].sort((a, b) => a - b)[Math.floor(t.length / 2)];
const czekaj = (ms) => new Promise((r) => setTimeout(r, ms));

const { serwer: s, adres } = await serwer(path.join(KORZEN, "build-web"));
const b = await przegladarka();
try {
  // Load: from the start of navigation until the page is ready to use, fresh page each time.
  const czasy = [];
  for (let i = 0; i < 7; ++i) {
    const p = await otworz(b, adres);
    czasy.push(await p.evaluate(() => window.symulator.czasGotowosci));
    await p.close();
  }
  console.log(`Wczytanie strony z localhost: mediana ${mediana(czasy).toFixed(0)} ms (${czasy.map((c) => c.toFixed(0)).join(", ")})`);

  // "Program" on an endless loop of the standard set, the schematic panel in front.
  const p = await otworz(b, adres);
  await p.evaluate(() => {
    const e = window.symulator.edytor;
    e.dispatch({ changes: { from: 0, to: e.state.doc.length, insert: "petla: sob petla\n" } });
  });
  await p.click("[data-pokaz='2']");
  await p.click("#SpeedButtonKompiluj");
  await p.click("[data-pokaz='1']");
  await p.keyboard.press("F9");
  await czekaj(1000);
  const przed = await p.evaluate(() => ({ t: performance.now(), takty: window.symulator.liczbaTaktow, porcje: window.symulator.liczbaPorcji }));
  await czekaj(5000);
  const po = await p.evaluate(() => ({ t: performance.now(), takty: window.symulator.liczbaTaktow, porcje: window.symulator.liczbaPorcji }));
  await p.click("#panel-1 [data-bieg='stop']");
  const sek = (po.t - przed.t) / 1000;
  console.log(`"Program": ${((po.takty - przed.takty) / sek / 1e6).toFixed(2)} M taktów/s przy ${((po.porcje - przed.porcje) / sek).toFixed(1)} klatkach/s (z odrysowaniem schematu)`);
} finally {
  await b.close();
  s.close();
}

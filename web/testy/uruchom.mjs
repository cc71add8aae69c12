// Runs one named test of a table in headless Chromium against the built page:
// node PLIK.mjs TEST [--OPCJA WARTOŚĆ]... Exit 0 passed, 1 failed, 2 unknown test,
// 77 skipped (no page built, or the test itself says "pominiety").
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";

export async function uruchomTest(TESTY, STRONA, KORZEN) {
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
  // Only now: puppeteer-core comes with the page's packages.
  const { serwer, przegladarka, otworz } = await import("./przegladarka.mjs");
  const { serwer: s, adres } = await serwer(STRONA);
  const b = await przegladarka();
  let kod = 0;
  try {
    const p = await otworz(b, adres);
    if ((await TESTY[nazwa](p, opcje)) === "pominiety") {
      console.log(`${nazwa}: pominięty`);
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

// What the page's tests and benchmarks share: the static server for build-web/ on a free
// local port, Debian's Chromium headless through puppeteer-core, the page opened and ready.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

export { serwer } from "../serwer.mjs";

export async function przegladarka() {
  const profil = fs.mkdtempSync(path.join(os.tmpdir(), "symulator-chromium-"));
  const b = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: [
      "--no-sandbox",
      "--disable-gpu",
      "--disable-background-networking",
      "--disable-component-update",
      "--disable-sync",
      "--no-first-run",
      `--user-data-dir=${profil}`,
    ],
  });
  const zamknij = b.close.bind(b);
  b.close = async () => {
    await zamknij();
    fs.rmSync(profil, { recursive: true, force: true });
  };
  return b;
}

// A new page with the simulator loaded; errors on the page fail the test.
export async function otworz(b, adres, { skala = 1, szerokosc = 1100, wysokosc = 800 } = {}) {
  const strona = await b.newPage();
  await strona.setViewport({ width: szerokosc, height: wysokosc, deviceScaleFactor: skala });
  strona.bledy = [];
  strona.on("pageerror", (e) => strona.bledy.push(String(e)));
  await strona.goto(adres, { waitUntil: "load" });
  await strona.waitForSelector("body[data-gotowa='1']", { timeout: 20000 });
  return strona;
}

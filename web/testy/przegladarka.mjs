// What the page's tests and benchmarks share: a static server for build-web/ on a free
// local port, Debian's Chromium headless through puppeteer-core, the page opened and ready.
import http from "node:http";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const TYPY = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".mjs": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".json": "application/json",
};

export function serwer(katalog) {
  return new Promise((gotowe) => {
    const s = http.createServer((zadanie, odp) => {
      const sciezka = decodeURIComponent(new URL(zadanie.url, "http://x").pathname);
      const plik = path.join(katalog, sciezka === "/" ? "index.html" : path.normalize(sciezka));
      if (!plik.startsWith(katalog) || !fs.existsSync(plik) || fs.statSync(plik).isDirectory()) {
        odp.writeHead(404);
        odp.end();
        return;
      }
      odp.writeHead(200, { "Content-Type": TYPY[path.extname(plik)] || "application/octet-stream" });
      fs.createReadStream(plik).pipe(odp);
    });
    s.listen(0, "127.0.0.1", () => gotowe({ serwer: s, adres: `http://127.0.0.1:${s.address().port}/` }));
  });
}

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

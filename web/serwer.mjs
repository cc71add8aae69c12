// The page's static server on localhost: what `scripts/web.sh serve` runs, and what the
// page's tests and benchmark start on a free port. Files only, nothing else.
// node serwer.mjs KATALOG [PORT]
import http from "node:http";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

const TYPY = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".mjs": "text/javascript",
  ".css": "text/css",
  ".wasm": "application/wasm",
  ".json": "application/json",
};

// Resolves to the server and its address once it listens; port 0 takes a free one.
export function serwer(katalog, port = 0) {
  const korzen = path.resolve(katalog);
  return new Promise((gotowe) => {
    const s = http.createServer((zadanie, odp) => {
      const sciezka = decodeURIComponent(new URL(zadanie.url, "http://x").pathname);
      const plik = path.join(korzen, sciezka === "/" ? "index.html" : path.normalize(sciezka));
      if (!plik.startsWith(korzen + path.sep) || !fs.existsSync(plik) || fs.statSync(plik).isDirectory()) {
        odp.writeHead(404);
        odp.end();
        return;
      }
      odp.writeHead(200, { "Content-Type": TYPY[path.extname(plik)] || "application/octet-stream" });
      fs.createReadStream(plik).pipe(odp);
    });
    s.listen(port, "127.0.0.1", () => gotowe({ serwer: s, adres: `http://localhost:${s.address().port}/` }));
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [katalog, port = "8020"] = process.argv.slice(2);
  const { adres } = await serwer(katalog, Number(port));
  console.log(`Strona: ${adres} (Ctrl+C kończy)`);
}

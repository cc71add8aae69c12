// "Program" on the worked example (przyklad.prg, a counting loop that never halts) in the
// web module under node and in the runner, side by side: ticks per second of each, their
// ratio, and the size of the page's module with its loader. Not a test; run it by hand
// after scripts/web.sh and a desktop build:
//   node bench/web_program.mjs [MODUL_NODE.cjs] [SYMULATOR_CLI] [TAKTY]
// The module runs in slices of 50 ms, as a page does between its frames.
import { execFileSync } from "node:child_process";
import { readFileSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { otworzSesje, doBase64 } from "../web/modul/sesja.mjs";

const korzen = join(dirname(fileURLToPath(import.meta.url)), "..");
const modulJs = process.argv[2] ?? join(korzen, "build-web/web/modul/symulator_node.cjs");
const cli = process.argv[3] ?? join(korzen, "build/app/symulator-cli");
const takty = Number(process.argv[4] ?? 20000000);
const przyklad = join(korzen, "examples/przyklad.prg");
const powtorzenia = 3;
const mediana = (t) => t.sort((a, b) => a - b)[Math.floor(t.length / 2)];
const sekundy = (od) => Number(process.hrtime.bigint() - od) / 1e9;

const modul = await createRequire(import.meta.url)(modulJs)();
function przebiegModulu() {
    const sesja = otworzSesje(modul);
    const { linie } = sesja.wywolaj({ polecenie: "wczytaj_program", bajty: doBase64(readFileSync(przyklad)) });
    sesja.wywolaj({ polecenie: "asembluj", linie });
    const od = process.hrtime.bigint();
    for (let zostalo = takty; zostalo > 0;)
        zostalo -= sesja.wywolaj({ polecenie: "program", takty: zostalo, ms: 50 }).takty;
    const czas = sekundy(od);
    const ak = sesja.wywolaj({ polecenie: "stan" }).raport.registers.AK;
    sesja.zamknij();
    return { czas, ak };
}

function przebiegRunnera() {
    const od = process.hrtime.bigint();
    let wyjscie;
    try {
        wyjscie = execFileSync(cli, ["--json", "--max-ticks", String(takty), przyklad], { encoding: "utf8" });
    } catch (e) {
        wyjscie = e.stdout; // the limit is exit code 3
    }
    return { czas: sekundy(od), ak: JSON.parse(wyjscie).registers.AK };
}

przebiegModulu(); // the engine compiles the hot code on the first run
const modulu = [], runnera = [];
let akModulu, akRunnera;
for (let i = 0; i < powtorzenia; ++i) {
    const m = przebiegModulu(), r = przebiegRunnera();
    modulu.push(m.czas);
    runnera.push(r.czas);
    akModulu = m.ak;
    akRunnera = r.ak;
}
const wModule = takty / mediana(modulu), wRunnerze = takty / mediana(runnera);
const mln = (v) => (v / 1e6).toFixed(2);
console.log(`takty: ${takty}, AK po przebiegu: moduł ${akModulu}, symulator-cli ${akRunnera}`);
console.log(`moduł (node):  ${mln(wModule)} mln taktów/s`);
console.log(`symulator-cli: ${mln(wRunnerze)} mln taktów/s`);
console.log(`stosunek moduł / symulator-cli: ${(wModule / wRunnerze).toFixed(2)}`);
const strona = join(dirname(modulJs), "symulator");
const rozmiar = statSync(`${strona}.wasm`).size + statSync(`${strona}.mjs`).size;
console.log(`rozmiar modułu strony (symulator.wasm + symulator.mjs): ${(rozmiar / 1024).toFixed(0)} KiB`);

// The schematic's picture description of one state is the same from the web module as from
// the runner's --picture: machine Max, the worked example after a known tick, labels chosen.
// node obraz.mjs MODUL.cjs SYMULATOR_CLI KATALOG_PRZYKLADOW KATALOG_ROBOCZY
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { otworzSesje, doBase64 } from "../../web/modul/sesja.mjs";

const [modulJs, cli, katalog, roboczy] = process.argv.slice(2);
const modul = await createRequire(import.meta.url)(modulJs)();
let bledy = 0;

// Ticks after which the machine is caught: mid-fetch, mid-execution, the program's end.
const STANY = [
    { program: "przyklad.prg", takty: 5, wybrane: ["wyl", "wyad", "iak"] },
    { program: "przyklad.prg", takty: 1234, wybrane: ["wea"] },
    { program: "mnozenie.prg", takty: 1000000, wybrane: [] },
];

for (const s of STANY) {
    const nazwa = `${s.program} po ${s.takty} taktach`;
    const plik = join(roboczy, `obraz_${s.takty}.json`);
    try {
        execFileSync(cli, ["--preset", "Max", "--max-ticks", String(s.takty),
            ...s.wybrane.flatMap((w) => ["--choose", w]), "--picture", plik, s.program], { cwd: katalog });
    } catch (e) {
        if (e.status !== 3) throw e; // the tick limit reached
    }
    const oczekiwany = JSON.parse(readFileSync(plik, "utf8"));

    const sesja = otworzSesje(modul);
    const w = (polecenie) => {
        const o = sesja.wywolaj(polecenie);
        if (!o.ok) throw new Error(`${JSON.stringify(polecenie)}: ${o.blad}`);
        return o;
    };
    w({ polecenie: "preset", nazwa: "Max" });
    w({ polecenie: "kompiluj_mikroprogram" });
    const { linie } = w({ polecenie: "wczytaj_program", bajty: doBase64(readFileSync(join(katalog, s.program))) });
    w({ polecenie: "asembluj", linie });
    for (let trwa = true, wykonane = 0; trwa && wykonane < s.takty;) {
        const r = w({ polecenie: "program", takty: s.takty - wykonane });
        wykonane += r.takty;
        trwa = r.trwa;
    }
    for (const sygnal of s.wybrane) w({ polecenie: "wybierz_sygnal", sygnal, wybrany: true });
    const otrzymany = w({ polecenie: "obraz" }).obraz;
    sesja.zamknij();

    // Compared as text, one primitive or place a line, so a difference names its element.
    const linie2 = (o) => Object.entries(o).flatMap(([k, v]) =>
        Array.isArray(v) && typeof v[0] === "object" ? v.map((e, i) => `${k}[${i}] ${JSON.stringify(e)}`) : [`${k} ${JSON.stringify(v)}`]);
    const a = linie2(otrzymany), b = linie2(oczekiwany);
    const i = a.findIndex((l, k) => l !== b[k]);
    if (i >= 0 || a.length !== b.length) {
        console.error(`${nazwa}: obraz modułu różni się od symulator-cli --picture\n  moduł: ${a[i] ?? "(koniec)"}\n  cli:   ${b[i] ?? "(koniec)"}`);
        ++bledy;
    } else if (s.wybrane.length && !a.some((l) => l.includes('"color":"#0000ff"'))) {
        console.error(`${nazwa}: brak wybranych etykiet na obrazie`);
        ++bledy;
    }
}

if (bledy) process.exit(1);
console.log(`${STANY.length} obrazy schematu zgodne z symulator-cli --picture`);

// Every example through the web module gives the runner's JSON report exactly, and program
// files go bytes -> module -> bytes unchanged.
// node przyklady.mjs MODUL.cjs SYMULATOR_CLI KATALOG_PRZYKLADOW
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { otworzSesje, doBase64, zBase64 } from "../../web/modul/sesja.mjs";

const [modulJs, cli, katalog] = process.argv.slice(2);
const modul = await createRequire(import.meta.url)(modulJs)();
const bajty = (plik) => doBase64(readFileSync(join(katalog, plik)));
let bledy = 0;
const porazka = (nazwa, tekst) => {
    console.error(`${nazwa}: ${tekst}`);
    ++bledy;
};

// The runner's options of its golden tests, as the module's commands take them.
const scenariusze = [
    { nazwa: "przyklad_zaladowany", program: "przyklad.prg", maksTaktow: 0, mikroprogram: true },
    { nazwa: "przyklad_limit", program: "przyklad.prg", maksTaktow: 1000 },
    { nazwa: "mnozenie", program: "mnozenie.prg" },
    { nazwa: "tablica", program: "tablica.prg" },
    { nazwa: "echo", program: "echo.prg", rozkazy: "we_wy.roz", preset: "EK", bityKodu: 4, wejscie: "Ala ma kota" },
    { nazwa: "echo_plik_maszyny", program: "echo.prg", maszyna: "maszyna_ek.mas", bityKodu: 4, rozkazy: "we_wy.roz", wejscie: "Ala ma kota" },
    { nazwa: "przerwanie", program: "przerwanie.prg", rozkazy: "przerwania.roz", preset: "L", bityKodu: 4, przerwania: [[30, 3]] },
    { nazwa: "przerwanie_bez_zgloszenia", program: "przerwanie.prg", rozkazy: "przerwania.roz", preset: "L", bityKodu: 4 },
    { nazwa: "opcje_powtarzane", program: "przerwanie.prg", rozkazy: "przerwania.roz", preset: "L", bityKodu: 4, przerwania: [[30, 3], [40, 3]], maksTaktow: 100000 },
    { nazwa: "punkt_zatrzymania", program: "mnozenie.prg", punkty: ["0 0 1", "7 2 0 @13"] },
    { nazwa: "ustaw_rozkaz", program: "rozkaz_dod.prg", ustaw: ["AK=5", "[20]=7"] },
    { nazwa: "ustaw_flage_i_slowo", program: "mnozenie.prg", preset: "L", maksTaktow: 0, ustaw: ["N=1", "RZ=5", "[31]=-1"] },
    { nazwa: "irq_po_punkcie", program: "mnozenie.prg", preset: "L", punkty: ["0 0 1"], przerwania: [[128, 1]] },
    { nazwa: "adres_8_bitow", program: "mnozenie.prg", bityAdresu: 8, maksTaktow: 10 },
    ...["anna", "bartek", "celina"].map((n) => ({
        nazwa: `oddane_${n}`, program: `oddane/${n}.prg`, maksTaktow: 3000, ustaw: ["[30]=6", "[31]=7"],
    })),
];

function argumentyCli(s) {
    const a = ["--json"];
    if (s.rozkazy) a.push("--instructions", s.rozkazy);
    if (s.preset) a.push("--preset", s.preset);
    if (s.maszyna) a.push("--machine", s.maszyna);
    if (s.bityAdresu) a.push("--address-bits", String(s.bityAdresu));
    if (s.bityKodu) a.push("--code-bits", String(s.bityKodu));
    if (s.maksTaktow !== undefined) a.push("--max-ticks", String(s.maksTaktow));
    if (s.mikroprogram) a.push("--microprogram");
    if (s.wejscie) a.push("--input", s.wejscie);
    for (const [t, n] of s.przerwania ?? []) a.push("--irq", `${t}:${n}`);
    for (const p of s.punkty ?? []) a.push("--break", p);
    for (const u of s.ustaw ?? []) a.push("--set", u);
    return [...a, s.program];
}

function raportCli(s) {
    try {
        return execFileSync(cli, argumentyCli(s), { cwd: katalog, encoding: "utf8" });
    } catch (e) {
        return e.stdout; // a limit or a breakpoint is an exit code other than 0
    }
}

// The runner's order: instructions, widths, machine; then for the program the
// microprogram, the assembly, the reset, the input line, --set and "Program" in slices
// that end just before each scheduled interrupt request.
function raportModulu(s) {
    const sesja = otworzSesje(modul);
    const w = (polecenie) => {
        const o = sesja.wywolaj(polecenie);
        if (!o.ok) throw new Error(`${JSON.stringify(polecenie)}: ${o.blad}`);
        return o;
    };
    try {
        if (s.rozkazy) w({ polecenie: "wczytaj_rozkazy", bajty: bajty(s.rozkazy) });
        w({ polecenie: "szerokosci", bity_adresu: s.bityAdresu ?? 5, bity_kodu: s.bityKodu ?? 3 });
        if (s.preset) w({ polecenie: "preset", nazwa: s.preset });
        if (s.maszyna) w({ polecenie: "wczytaj_maszyne", bajty: bajty(s.maszyna) });
        for (const p of s.punkty ?? []) w({ polecenie: "dodaj_punkt", punkt: p });
        w({ polecenie: "kompiluj_mikroprogram" });
        const { linie } = w({ polecenie: "wczytaj_program", bajty: bajty(s.program) });
        w({ polecenie: "asembluj", linie });
        if (s.wejscie) w({ polecenie: "wejscie", tekst: s.wejscie });
        for (const u of s.ustaw ?? []) w({ polecenie: "ustaw", wartosc: u });
        const limit = s.maksTaktow ?? 10000000, przerwania = s.przerwania ?? [];
        let wykonane = 0, nastepne = 0, trwa = limit > 0;
        while (trwa && wykonane < limit) {
            for (; nastepne < przerwania.length && przerwania[nastepne][0] <= wykonane + 1; ++nastepne)
                w({ polecenie: "przerwanie", numer: przerwania[nastepne][1] });
            let granica = limit;
            if (nastepne < przerwania.length) granica = Math.min(granica, przerwania[nastepne][0] - 1);
            const r = w({ polecenie: "program", takty: granica - wykonane });
            wykonane += r.takty;
            trwa = r.trwa;
        }
        return w({ polecenie: "stan", mikroprogram: !!s.mikroprogram }).raport;
    } finally {
        sesja.zamknij();
    }
}

for (const s of scenariusze) {
    const oczekiwany = JSON.stringify(JSON.parse(raportCli(s)), null, 2);
    const otrzymany = JSON.stringify(raportModulu(s), null, 2);
    if (otrzymany !== oczekiwany)
        porazka(s.nazwa, `raport modułu różni się od raportu symulator-cli:\n${otrzymany}\n--- oczekiwano ---\n${oczekiwany}`);
}

// Windows-1250 stays at the file boundary: bytes in, lines of UTF-8, the same bytes out.
for (const plik of ["echo.prg", "mnozenie.prg", "przerwanie.prg", "przyklad.prg", "tablica.prg"]) {
    const sesja = otworzSesje(modul);
    const wejscie = readFileSync(join(katalog, plik));
    const { linie } = sesja.wywolaj({ polecenie: "wczytaj_program", bajty: doBase64(wejscie) });
    const { bajty: wynik } = sesja.wywolaj({ polecenie: "zapisz_program", linie });
    if (Buffer.compare(Buffer.from(zBase64(wynik)), wejscie) !== 0) porazka(plik, "bajty po zapisie różnią się od wczytanych");
    if (!/[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]/.test(linie.join("\n"))) porazka(plik, "brak polskich liter w wczytanych liniach");
    sesja.zamknij();
}

// A refused command answers in Polish through the module as natively (the module catches).
{
    const sesja = otworzSesje(modul);
    const o = sesja.wywolaj({ polecenie: "szerokosci", bity_adresu: 99, bity_kodu: 3 });
    if (o.ok || o.blad !== 'Pole "bity_adresu" musi być liczbą całkowitą od 5 do 24.')
        porazka("odmowa", JSON.stringify(o));
    sesja.zamknij();
}

if (bledy) process.exit(1);
console.log(`${scenariusze.length} przykładów zgodnych z symulator-cli`);

// The page's only way to the simulator: one session of the WebAssembly module, JSON
// commands in and out (web/modul/README.md lists them), the files' bytes as they are.

import SymulatorModul from "./web/modul/symulator.mjs";
import { otworzSesje, doBase64, zBase64 } from "../modul/sesja.mjs";

export async function zaladujModel() {
  const modul = await SymulatorModul();
  let sesja = otworzSesje(modul);
  // Whether the machine's signals came from a .mas file: then it is kept as a file.
  let zPliku = false;

  const wyslij = (polecenie, dane = {}) => {
    const w = sesja.wywolaj({ polecenie, ...dane });
    if (!w.ok && polecenie !== "zapisz_program" && polecenie !== "wczytaj_rozkazy") console.warn(polecenie, w.blad);
    return w;
  };
  const bajty = (w) => (w.ok ? { bajty: zBase64(w.bajty) } : { blad: w.blad });
  const kompilujMikroprogram = () => wyslij("kompiluj_mikroprogram");

  return {
    // One command of the module's table as it stands, for the panels that speak it.
    wywolaj: (polecenie) => sesja.wywolaj(polecenie),
    // What the page shows after every step; the CPU panel and the schematic ask on their own.
    stan: () => {
      const s = wyslij("stan");
      const a = wyslij("architektura");
      return {
        tryb: s.tryb,
        trwa: s.trwa,
        zatrzymana: s.raport.halted,
        tekst: s.sygnaly,
        preset: a.preset,
        bityAdresu: a.bity_adresu,
        bityKodu: a.bity_kodu,
        maskaAdresu: 2 ** a.bity_adresu - 1,
        elementy: a.elementy,
        komunikaty: wyslij("komunikaty_taktu").komunikaty,
        wyjscie: s.raport.output,
        wejscie: s.wejscie,
        wybrane: s.wybrane,
      };
    },
    cpu: (od, ile) => wyslij("cpu", { od, ile }),
    nowy: () => {
      sesja.zamknij();
      sesja = otworzSesje(modul);
      zPliku = false;
    },
    architektura: () => {
      const a = wyslij("architektura");
      return { preset: a.preset, bityAdresu: a.bity_adresu, bityKodu: a.bity_kodu, sygnaly: a.sygnaly, zPliku };
    },
    // "U" takes the signals named, by default those the machine has now.
    ustawArchitekture: (preset, bityAdresu, bityKodu, sygnaly) => {
      wyslij("szerokosci", { bity_adresu: bityAdresu, bity_kodu: bityKodu });
      if (preset === "U") wyslij("preset", { nazwa: preset, sygnaly: sygnaly ?? wyslij("architektura").sygnaly });
      else wyslij("preset", { nazwa: preset });
      zPliku = false;
      return kompilujMikroprogram();
    },
    wczytajMaszyne: (b) => {
      const w = wyslij("wczytaj_maszyne", { bajty: doBase64(b) });
      if (w.ok) {
        zPliku = true;
        kompilujMikroprogram();
      }
      return w;
    },
    bajtyMaszyny: () => bajty(wyslij("zapisz_maszyne")).bajty,
    wczytajRozkazy: (b) => {
      const w = wyslij("wczytaj_rozkazy", { bajty: doBase64(b) });
      if (w.ok) kompilujMikroprogram();
      return w;
    },
    bajtyRozkazow: () => bajty(wyslij("zapisz_rozkazy")).bajty,
    standardowe: () => {
      wyslij("standardowe_rozkazy");
      return kompilujMikroprogram();
    },
    mnemoniki: () => wyslij("rozkazy").rozkazy.map((r) => r.nazwa.toLowerCase()),
    // The compile list as the window shows it: a heading, the assembler's messages, the time.
    kompilujProgram: (tekst) => {
      const t0 = performance.now();
      const w = wyslij("asembluj", { tekst });
      const ms = Math.round(performance.now() - t0);
      const czas = ms === 0 ? "Czas kompilacji: poniżej 1 ms" : `Czas kompilacji: ${ms} ms`;
      return { komunikaty: ["Kompilacja", ...(w.komunikaty ?? [w.blad]), czas] };
    },
    bajtyProgramu: (tekst) => bajty(wyslij("zapisz_program", { tekst })),
    tekstProgramu: (b) => {
      const w = wyslij("wczytaj_program", { bajty: doBase64(b) });
      return w.ok ? { tekst: w.linie.join("\n") } : { blad: w.blad };
    },
    takt: (reczny) => wyslij(reczny ? "takt_reczny" : "takt"),
    // "Program" or "Rozkaz": each slice starts the command or goes on with it.
    porcja: (polecenie, takty) => {
      const w = wyslij(polecenie, { takty });
      return { takty: w.takty ?? 0, zakonczone: !w.trwa };
    },
    stop: () => wyslij("stop"),
    reset: (konsola) => {
      wyslij("reset");
      if (konsola) wyslij("wyczysc_wyjscie");
    },
    recznie: (wyczysc = false) => {
      wyslij("tryb_reczny");
      if (wyczysc) wyslij("wyczysc_wybrane");
    },
    wybierzSygnal: (sygnal) => wyslij("wybierz_sygnal", { sygnal }),
    przerwanie: (numer) => wyslij("przerwanie", { numer }),
    klawisz: (wejscie) => {
      wyslij("wejscie", { tekst: wejscie });
      wyslij("klawisz");
    },
    wyczyscKonsole: () => wyslij("wyczysc_wyjscie"),
    polecenieRejestru: (slot, co, tekst) => {
      if (co === "zwieksz" || co === "zmniejsz") return wyslij(co, { slot });
      const wartosc = { wyzeruj: 0, ustaw0: 0, ustaw1: 1 }[co] ?? liczbaZTekstu(tekst ?? "");
      return wyslij("wpisz", { slot, wartosc });
    },
    ustawPodstawe: (slot, podstawa) => wyslij("podstawa", { slot, podstawa }),
    // The memory window from `pozycja`, or from 0 when the memory has shrunk below it.
    obraz: (pozycja) => {
      const w = sesja.wywolaj({ polecenie: "obraz", pozycja });
      return (w.ok ? w : wyslij("obraz")).obraz;
    },
    trafienie: (x, y, co) => wyslij("trafienie", { x, y, co }).miejsce ?? {},
  };
}

// "Wpisz wartość": decimal, "$" for hexadecimal, an optional minus; 0 when it does not convert.
export function liczbaZTekstu(t) {
  const m = /^(-?)(\$[0-9a-fA-F]+|[0-9]+)$/.exec(t.trim());
  if (!m) return 0;
  const v = m[2][0] === "$" ? parseInt(m[2].slice(1), 16) : parseInt(m[2], 10);
  const w = m[1] ? -v : v;
  return w >= -2147483648 && w <= 4294967295 ? w : 0;
}

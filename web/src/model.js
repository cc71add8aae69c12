// The page's only way to the simulator: commands to the WebAssembly module, JSON in and
// JSON out, and the bytes of the files as they are.

import ZaladujModul from "./symulator.js";

export async function zaladujModel() {
  const modul = await ZaladujModul();
  const wywolaj = modul.cwrap("polecenie", "string", ["string"]);
  const wyslij = (polecenie, dane = {}) => {
    const w = JSON.parse(wywolaj(JSON.stringify({ polecenie, ...dane })));
    if (w && w.blad && polecenie !== "bajtyProgramu" && polecenie !== "wczytajRozkazy")
      console.warn(polecenie, w.blad);
    return w;
  };
  const bajty = (w) => (w.bajty ? { bajty: new Uint8Array(w.bajty) } : w);
  const zBajtow = (b) => Array.from(b);

  return {
    // One command of the module's table (web/modul/README.md), as a session answers it.
    wywolaj: (tresc) => wyslij("api", { tresc }),
    stan: () => wyslij("stan"),
    pamiec: (od, ile) => wyslij("pamiec", { od, ile }),
    nowy: () => wyslij("nowy"),
    architektura: () => {
      const s = wyslij("stan");
      return { preset: s.preset, bityAdresu: s.bityAdresu, bityKodu: s.bityKodu, zPliku: wyslij("zPliku").zPliku };
    },
    ustawArchitekture: (preset, bityAdresu, bityKodu) => wyslij("architektura", { preset, bityAdresu, bityKodu }),
    wczytajMaszyne: (b) => wyslij("wczytajMaszyne", { bajty: zBajtow(b) }),
    bajtyMaszyny: () => bajty(wyslij("bajtyMaszyny")).bajty,
    wczytajRozkazy: (b) => wyslij("wczytajRozkazy", { bajty: zBajtow(b) }),
    bajtyRozkazow: () => bajty(wyslij("bajtyRozkazow")).bajty,
    standardowe: () => wyslij("standardowe"),
    mnemoniki: () => wyslij("mnemoniki"),
    kompilujProgram: (tekst) => wyslij("kompiluj", { tekst }),
    bajtyProgramu: (tekst) => bajty(wyslij("bajtyProgramu", { tekst })),
    tekstProgramu: (b) => wyslij("tekstProgramu", { bajty: zBajtow(b) }),
    takt: (reczny) => wyslij("takt", { reczny }),
    start: (co) => wyslij("start", { co }).trwa,
    porcja: (takty) => wyslij("porcja", { takty }),
    stop: () => wyslij("stop"),
    reset: (konsola) => wyslij("reset", { konsola }),
    recznie: (wyczysc = false) => wyslij("recznie", { wyczysc }),
    wybierzSygnal: (sygnal) => wyslij("wybierz", { sygnal }),
    przerwanie: (numer) => wyslij("przerwanie", { numer }),
    klawisz: (wejscie) => wyslij("klawisz", { wejscie }),
    wyczyscKonsole: () => wyslij("wyczyscKonsole"),
    polecenieRejestru: (slot, co, tekst) => {
      const dane = { slot, co };
      if (co === "wpisz") dane.wartosc = liczbaZTekstu(tekst);
      return wyslij("rejestr", dane);
    },
    ustawPodstawe: (slot, podstawa) => wyslij("podstawa", { slot, podstawa }),
    obraz: (pierwszyAdres) => wyslij("obraz", { pierwszyAdres }),
    trafienie: (x, y, co) => wyslij("trafienie", { x, y, co }),
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

// A session over a loaded module: one simulator, commands as objects, answers as objects.
// The page and the node tests share it; all the work is in the module.
export function otworzSesje(modul) {
    const sesja = modul._symulator_utworz();
    return {
        // The answer of one command, e.g. wywolaj({polecenie: "takt"}).
        wywolaj(polecenie) {
            const tekst = JSON.stringify(polecenie);
            const rozmiar = modul.lengthBytesUTF8(tekst) + 1;
            const wskaznik = modul._malloc(rozmiar);
            try {
                modul.stringToUTF8(tekst, wskaznik, rozmiar);
                return JSON.parse(modul.UTF8ToString(modul._symulator_wywolaj(sesja, wskaznik)));
            } finally {
                modul._free(wskaznik);
            }
        },
        zamknij() {
            modul._symulator_usun(sesja);
        },
    };
}

// File bytes (a Uint8Array) as the module takes them, and back.
export function doBase64(bajty) {
    let tekst = "";
    for (const b of bajty) tekst += String.fromCharCode(b);
    return btoa(tekst);
}

export function zBase64(tekst) {
    return Uint8Array.from(atob(tekst), (c) => c.charCodeAt(0));
}

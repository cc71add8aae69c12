// Przerwanie: pêtla g³ówna liczy obroty do 10, a obs³uga przerwania 3
// (etykieta int3) zwiêksza flagê i wraca do pêtli.
// Zestaw rozkazów przerwania.roz, maszyna L, 4 bity kodu.
petla:  pob licznik
        dod jeden
        ³ad licznik
        ode dziesiec
        som dalej       // licznik < 10
        stop
dalej:  przyjmij        // czekaj¹ce zg³oszenie: skok do obs³ugi
        sob petla

int3:   pob flaga
        dod jeden
        ³ad flaga
        powrot petla

licznik: rst 0
flaga:  rst 0
jeden:  rst 1
dziesiec: rst 10

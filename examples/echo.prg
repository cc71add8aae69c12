// Echo: przepisuje znaki z linii wejœciowej konsoli na wyjœcie.
// Zestaw rozkazów we_wy.roz, maszyna EK, 4 bity kodu.
petla:  wczyt 1         // urz¹dzenie wejœciowe
        ³ad znak
        gotowe          // AK := G, czyli 1, gdy start zasta³ znak
        ode jeden
        som koniec      // linia by³a pusta
        pob znak
        wypisz 2        // urz¹dzenie wyjœciowe
        sob petla
koniec: stop

znak:   rpa
jeden:  rst 1

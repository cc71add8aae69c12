// AK := [30] * [31] przez wielokrotne dodawanie
        pob 31
        ³ad licz
        pob zero
        ³ad wynik
petla:  pob licz
        ode jeden
        som koniec
        ³ad licz
        pob wynik
        dod 30
        ³ad wynik
        sob petla
koniec: pob wynik
        stop
licz:   rpa
wynik:  rpa
zero:   rst 0
jeden:  rst 1

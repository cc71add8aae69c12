// AK := [30] * [31]
        pob 31
        ³ad licz
        pob 30
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
jeden:  rst 1

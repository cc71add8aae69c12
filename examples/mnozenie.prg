// Mno¿enie przez wielokrotne dodawanie: wynik := a * b
        pob zero
        ³ad wynik
petla:  pob b
        ode jeden       // b - 1 < 0: b by³o zerem, koniec
        som koniec
        ³ad b
        pob wynik
        dod a
        ³ad wynik
        sob petla
koniec: stop

a:      rst 6
b:      rst 7
wynik:  rpa
zero:   rst 0
jeden:  rst 1

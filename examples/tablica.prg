// Suma elementów tablicy. Argument rozkazu "dod tab" roœnie o 1
// w ka¿dym obrocie pêtli, wiêc kolejne obroty czytaj¹ kolejne komórki.
petla:  pob suma
czytaj: dod tab
        ³ad suma
        pob czytaj      // nastêpny element: argument rozkazu + 1
        dod jeden
        ³ad czytaj
        pob licznik
        ode jeden
        ³ad licznik
        som koniec      // licznik < 0: wszystkie elementy dodane
        sob petla
koniec: stop

suma:   rst 0
jeden:  rst 1
licznik: rst 4          // liczba elementów - 1
tab:    rst 3
        rst 1
        rst 4
        rst 1
        rst 5

//program testowy
        pob zero
        ³ad liczba
petla:  pob liczba
        dod jeden
        ³ad liczba
        sob petla  //skok bezwarunkowy
        stop

        org 20
liczba: rpa
zero:   rst 0
jeden:  rst 1
        kon

//program testowy
        pob zero
        ład liczba
petla:  pob liczba
        dod jeden
        ład liczba
        sob petla  //skok bezwarunkowy
        stop

        org 20
liczba: rpa
zero:   rst 0
jeden:  rst 1
        kon

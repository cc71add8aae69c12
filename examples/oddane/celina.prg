// AK := [30] * [31]
        pob 30
        mno 31
        stop

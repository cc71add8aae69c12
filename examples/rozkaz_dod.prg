dod 20
stop

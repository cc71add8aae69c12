# Runs symulator-cli with ARGS (separated by |), checks the exit code against KOD and, when
# WZORZEC is given, standard output against that golden file byte for byte; ZAWIERA is a
# pattern standard output must match; with DO_PLIKU standard output goes to that file.
string(REPLACE "|" ";" argumenty "${ARGS}")
if(DEFINED DO_PLIKU)
  execute_process(COMMAND ${CLI} ${argumenty}
                  WORKING_DIRECTORY ${KATALOG}
                  RESULT_VARIABLE wynik OUTPUT_FILE ${DO_PLIKU} ERROR_VARIABLE bledy)
else()
  execute_process(COMMAND ${CLI} ${argumenty}
                  WORKING_DIRECTORY ${KATALOG}
                  RESULT_VARIABLE wynik OUTPUT_VARIABLE wyjscie ERROR_VARIABLE bledy)
endif()
if(NOT wynik STREQUAL KOD)
  message(FATAL_ERROR "exit code ${wynik}, expected ${KOD}\n${bledy}\n${wyjscie}")
endif()
if(DEFINED BLAD AND NOT bledy MATCHES "${BLAD}")
  message(FATAL_ERROR "standard error does not match '${BLAD}':\n${bledy}")
endif()
if(DEFINED ZAWIERA AND NOT wyjscie MATCHES "${ZAWIERA}")
  message(FATAL_ERROR "standard output does not match '${ZAWIERA}':\n${wyjscie}")
endif()
if(DEFINED WZORZEC)
  file(READ ${WZORZEC} oczekiwane)
  if(NOT wyjscie STREQUAL oczekiwane)
    # What the runner gave goes under the build folder, never beside the golden file.
    get_filename_component(nazwa ${WZORZEC} NAME)
    file(WRITE ${WYNIKI}/${nazwa} "${wyjscie}")
    message(FATAL_ERROR "output differs from ${WZORZEC}; got ${WYNIKI}/${nazwa}")
  endif()
endif()
if(DEFINED PLIK)
  file(READ ${PLIK} zapisany)
  file(READ ${WZORZEC_PLIKU} oczekiwany)
  file(REMOVE ${PLIK})
  if(NOT zapisany STREQUAL oczekiwany)
    message(FATAL_ERROR "${PLIK} differs from ${WZORZEC_PLIKU}:\n${zapisany}")
  endif()
endif()

# Renders the guide's Markdown with the tool found at configure time and wraps the result
# in a page of its own (the tools give only the body).
get_filename_component(nazwa "${NARZEDZIE}" NAME)
if(nazwa STREQUAL "cmark-gfm")
  set(polecenie "${NARZEDZIE}" --unsafe -e table -e autolink "${WEJSCIE}")
elseif(nazwa STREQUAL "pandoc")
  set(polecenie "${NARZEDZIE}" -f gfm -t html "${WEJSCIE}")
else()
  set(polecenie "${NARZEDZIE}" "${WEJSCIE}")
endif()
execute_process(COMMAND ${polecenie} OUTPUT_VARIABLE tresc RESULT_VARIABLE wynik)
if(NOT wynik EQUAL 0)
  message(FATAL_ERROR "${nazwa} nie przetworzył ${WEJSCIE}")
endif()
# Headings get the anchors the table of contents links to (as the Markdown viewers make
# them: lower case, punctuation dropped, blanks as hyphens); pandoc makes its own.
string(REGEX MATCHALL "<h2>[^<]*</h2>" naglowki "${tresc}")
foreach(naglowek IN LISTS naglowki)
  string(REGEX REPLACE "</?h2>" "" kotwica "${naglowek}")
  string(TOLOWER "${kotwica}" kotwica)
  string(REGEX REPLACE "[,.:;!?()]" "" kotwica "${kotwica}")
  string(REPLACE " " "-" kotwica "${kotwica}")
  string(REPLACE "<h2>" "<h2 id=\"${kotwica}\">" zamiana "${naglowek}")
  string(REPLACE "${naglowek}" "${zamiana}" tresc "${tresc}")
endforeach()
# Links between the guide's own Markdown files point at the rendering.
string(REPLACE "podrecznik.md" "podrecznik.html" tresc "${tresc}")
file(WRITE "${WYJSCIE}.tmp" "<!DOCTYPE html>
<html lang=\"pl\">
<head>
<meta charset=\"utf-8\">
<title>Symulator komputera dydaktycznego: podręcznik</title>
<style>
body { font-family: 'Liberation Sans', sans-serif; max-width: 56em; margin: 2em auto; padding: 0 1em; line-height: 1.45; }
code, pre { font-family: 'Liberation Mono', monospace; }
pre { background: #f2f2f2; padding: 0.6em; overflow-x: auto; }
table { border-collapse: collapse; }
td, th { border: 1px solid #bbb; padding: 0.2em 0.5em; vertical-align: top; }
img { max-width: 100%; border: 1px solid #ccc; }
</style>
</head>
<body>
${tresc}</body>
</html>
")
file(RENAME "${WYJSCIE}.tmp" "${WYJSCIE}")

#pragma once
// The picture description as JSON, so that every front end can be compared with the
// window: the primitives in painting order, the places a pointer can hit and where the
// front end's own controls go.

#include <nlohmann/json.hpp>

#include "Schemat.h"

nlohmann::json SchematJson(const TObrazSchematu& obraz);
// One place as it stands in the description's "places".
nlohmann::json MiejsceJson(const TMiejsce& miejsce);
// The same as text, one primitive or place a line, so that two pictures diff line by line.
std::string SchematJsonTekst(const TObrazSchematu& obraz);

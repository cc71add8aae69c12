#pragma once
// The picture description as JSON, so that every front end can be compared with the
// window: the primitives in painting order, the places a pointer can hit and where the
// front end's own controls go.

#include <nlohmann/json.hpp>

#include "Schemat.h"

nlohmann::json SchematJson(const TObrazSchematu& obraz);

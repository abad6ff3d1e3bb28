#pragma once
// Service stations ("station_defs"): every value is a parameter; a station's number is its place
// in the list, from 0.

#include "data/params.h"
#include "game/content/definition_list.h"

namespace kestrelle {

class TStationDef : public TParamsPropertyObject {};

class TStationDefCollection : public TDefinitionList<TStationDef, "stations", "station_def"> {};
using IStationDefCollection = IDefinitionList<TStationDef>;

}  // namespace kestrelle

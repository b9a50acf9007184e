#pragma once
// The loaded skin model as JSON, so skin authors can see what a skin provides.
// Colours are unsigned 32-bit numbers; absent elements are left out.
#include <string>

class TSkinData;

std::string SkinDataToJson(const TSkinData& data);

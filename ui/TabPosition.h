#pragma once
// The side of a tab control that carries its tabs; shared by the class library and the
// skinned tabs' geometry, so one name means one thing on both sides.
enum TTabPosition : int { tpTop = 0, tpBottom = 1, tpLeft = 2, tpRight = 3 };

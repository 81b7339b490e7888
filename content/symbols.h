// Symbol outlines shared by the power-up pods and the head-up panel, each
// within the square [-1, 1] and left-right symmetric.
#pragma once

#include "shapes.h"

namespace content {

contentgen::Outline LetterM();
contentgen::Outline StarSymbol();
contentgen::Outline CrossSymbol();
contentgen::Outline ShipSymbol();
contentgen::Outline ShieldSymbol();

}  // namespace content

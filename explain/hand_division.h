// Internal to the explain library: a long division drawn as by hand, in
// MathML, one digit a cell.
#pragma once

#include <string>
#include <vector>

#include "explain/steps.h"
#include "mathml_writer.h"

namespace quotalis::explain {

// Whether the rows of a division, from its whole part's row on, are short
// enough to draw: a page cannot lay out a grid of thousands of cells
// usefully, nor a number shown by its ends.
bool FitsByHand(const std::vector<const DivisionRow*>& rows);

// The rows drawn, as a table of class quotalis-ldiv (explain/render.h says
// what each class of cell holds), the quotient's period marked as `m` marks
// one. Precondition: FitsByHand(rows).
std::string ByHand(const std::vector<const DivisionRow*>& rows, const Mathml& m);

}  // namespace quotalis::explain

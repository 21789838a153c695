// An exact, slow reference for render(), independent of its digit code: the
// C library prints the exact binary value, the two roundings are done on the
// digit string, and the C library lays out the rounded value.
#pragma once

#include <string>

#include "number_format.h"

// The text render(c, value) must give. Finite values only; "%f" only below 1e9.
std::string reference_render(conversion c, double value);

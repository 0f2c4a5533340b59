#pragma once

#include "platform/text.h"

namespace fernwick {

// The kind code of a value written without quotes: a number when it reads
// back exactly, a boolean for true or false and a null for null (both in any
// case) or for nothing at all; 0 for anything else.
int bare_value_kind(const Text& value);

} // namespace fernwick

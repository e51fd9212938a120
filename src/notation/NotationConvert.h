#pragma once

#include "notation/Notation.h"

#include <vector>

// Rewrites a text's ruby and emphasis from one notation to another.
namespace notation {

struct Loss {
    int line = 0; // from 0
    QString what; // the notation as it was written, and why it could not be carried over
};

struct Conversion {
    QString text;
    std::vector<Loss> losses;
};

// Plain text passes through (a character the target reads as notation is written as text
// there); a ruby the target cannot hold is written anyway, where the writer will see it, and
// reported.
Conversion convert(QStringView text, Target from, Target to);

} // namespace notation

#pragma once

#include <string>

#include "base/session.h"

namespace lumo {

// The frequencies a channel may hold wherever a table is built outside the typing of a
// cell (an edit, an imported file, a write): inside one of the session's bands, the
// limits included. Leaving a cell replaces an out-of-band value by the lower limit
// itself, so the limits have to be acceptable everywhere else.
bool bandsHold(const Session& session, const PreciseFrequency& frequency);

// The bands as a message names them: "440-451 MHz", or "440-451 or 460-470 MHz" when
// the second band differs.
std::string bandsText(const Session& session);

}  // namespace lumo

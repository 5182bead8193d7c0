#pragma once

#include "data/Date.h"
#include "ui/FormConfig.h"

#include <cstdint>

namespace nakva {

// The registration form `RedSaskait` for a new stay chosen on a free night of the room grid: primed as
// every new registration, then arriving on `arrival` for one night, and with the room's row added as
// the occupied-room form adds a chosen room (its list price, one resident) the moment the registration
// is numbered. Both count as the form's opening state: cancelling asks nothing and leaves neither the
// registration nor its room behind.
FormConfig newStayForm(Date arrival, std::int32_t roomId);

} // namespace nakva

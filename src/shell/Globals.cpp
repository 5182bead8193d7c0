#include "shell/Globals.h"

namespace nakva {

Globals& glo() {
    static Globals globals;
    return globals;
}

} // namespace nakva

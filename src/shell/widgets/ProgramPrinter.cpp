#include "shell/widgets/ProgramPrinter.h"

#include <QPrinter>

namespace nakva {

QPrinter& programPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

} // namespace nakva

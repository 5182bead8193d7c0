#pragma once

class QPrinter;

namespace nakva {

// The printer of the program run: chosen in "Printerio nustatymas ..." and used by every printout.
QPrinter& programPrinter();

} // namespace nakva

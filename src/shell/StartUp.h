#pragma once

#include <string>

namespace nakva {

class Context;

// What opening the main window does before the window shows: the working date GLO:EINDT becomes
// today, and IstgPar is opened (created when missing) and its first record read into the shared
// buffer; an empty table receives one blank record, so that it always holds exactly one. The table
// stays open on `context` for the program run.
void prepareProgramRun(Context& context);

// The institution's name IST:ISTAIGA from the shared IstgPar record.
std::string institutionName(Context& context);

} // namespace nakva

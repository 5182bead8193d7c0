#pragma once

#include <string>

namespace nakva {

// What a system error number (errno) means, in Lithuanian, for messages about files and folders:
// ENOSPC "diske nebėra vietos", EACCES "trūksta teisių", ...; an unknown one as "sistemos klaida N".
std::string systemErrorText(int error);

} // namespace nakva

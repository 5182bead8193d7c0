#pragma once

#include <string>

namespace nakva {

// The total payable of an invoice in Lithuanian words, as invoices print it after "Suma žodžiais :":
// 1234.56 → "Vienas tūkstantis du šimtai trisdešimt keturi eurai 56 centai."
//
// Pure: reads no table or setting. The sign is not spoken (-12.30 reads as 12.30). The integer part
// is spoken up to 999 999 999 (the range of the money fields that feed it; a tenth digit is never
// spoken), the cents always as two digits. Euro words follow only when the amount exceeds 0.999.
// The amount passes through a double as the money field converted to a real number.
std::string amountInWords(double amount);

} // namespace nakva

#include "reports/IsafParties.h"

#include "data/Fields.h"
#include "data/Record.h"
#include "reference/CodesInText.h"
#include "reference/CountryCodes.h"

namespace nakva::isaf {

PartyCodes sellerCodes(const Record& institution) {
    const SellerCodes read = readSellerCodes(institution.get(IST::ISTG1));
    return {read.code, read.vatCode, read.vatCode.empty() ? std::string() : "LT"};
}

PartyCodes buyerCodes(const Record& payer) {
    const CodesInText found = findCodes(payer.get(KLI::PAV2));
    PartyCodes codes;
    if (found.codes.size() == 1) {
        codes.code = found.codes.front();
    }
    if (found.vatCodes.size() == 1) {
        codes.vatCode = found.vatCodes.front();
        codes.country = vatCodeCountry(codes.vatCode);
    }
    return codes;
}

std::string countryCode(std::string_view countryName) {
    return std::string(countryCodeOfName(countryName));
}

} // namespace nakva::isaf

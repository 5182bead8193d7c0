#include "reports/ReportCatalog.h"

#include "reports/InvoiceBooks.h"
#include "reports/SpApmZin.h"
#include "reports/SpDidSask.h"
#include "reports/SpEinReg.h"
#include "reports/SpKliSar.h"
#include "reports/SpKlientAdr.h"
#include "reports/SpKmbStat.h"
#include "reports/SpKmbUzimtZin.h"
#include "reports/SpNepKmbSar.h"
#include "reports/SpPaslSar.h"
#include "reports/SpSarIsvykst.h"
#include "reports/SpSiandien.h"
#include "reports/SpPaslZin.h"
#include "reports/SpSaskSuvData.h"
#include "reports/SpStat.h"
#include "reports/SpStatPaj.h"
#include "reports/SpStatUzimt.h"
#include "reports/SpZurnala.h"

#include <array>

namespace nakva {

std::span<const ReportSpec* const> reportCatalog() {
    static const std::array reports{
        &SpPaslSar(),      &SpKliSar(),          &SpStatUzimt(),    &SpKmbUzimtZin(),
        &SpStatPajValst(), &SpStatPajValstDet(), &SpStatPajGrup(),  &SpStatPajGrupDet(),
        &SpDidSask(),      &SpDidSask2(),        &SpDidSaskSum(),   &SpDidSaskSumInt(),
        &SpSaskSuvData(),  &SpNepKmbSar(),       &SpKmbStat(),      &SpZurnala(),
        &SpZurnala2(),     &SpGyventSarasa(),    &SpSarIsvykst(),   &SpEinRegStatistika(),
        &SpEinRegSarasa(), &SpStatValst(),       &SpStatValstDet(), &SpStatGrup(),
        &SpStatGrupDet(),  &SpPaslZin(),         &SpPaslSuvF2(),    &SpPaslKn(),
        &SpApmZin(),       &SpApmZin2(),         &SpKlientKn(),     &SpKlientAdr(),
        &SpSiandien(),
    };
    return reports;
}

const ReportSpec* findReport(std::string_view name) {
    for (const ReportSpec* report : reportCatalog()) {
        if (report->name == name) {
            return report;
        }
    }
    return nullptr;
}

} // namespace nakva

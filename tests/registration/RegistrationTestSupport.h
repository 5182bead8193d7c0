#pragma once

#include "data/StoreTestSupport.h"

#include "data/Fields.h"
#include "data/Table.h"

#include <map>
#include <string>
#include <vector>

namespace nakva::testing {

// A registration for 2024-05-01 to 2024-05-04 (3 nights) stands in the registration's buffer of
// `context`, as the registration form keeps it while a line form is open, and in its file; the price
// list holds the services the cases name.
class RegistrationTest : public StoreTest {
protected:
    Context context{database};
    const Date arrival = dateFromYmd(2024, 5, 1);

    void SetUp() override {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", "7"},
                                     {"SAS:GyvenaNuo", "2024-05-01"},
                                     {"SAS:GyvenaIki", "2024-05-04"},
                                     {"SAS:GYVENAPARU", "3"},
                                     {"SAS:GYVENTOJUSKC", "1"}});
        Table& registration = context.table(TableId::Saskait);
        registration.open();
        registration.record().set(SAS::IrasoNr, 7);
        ASSERT_EQ(registration.getByKey(SAS::IRASONRKEY), StoreStatus::Ok);
    }
    void TearDown() override { context.table(TableId::Saskait).close(); }

    Record& registration() { return context.table(TableId::Saskait).record(); }

    void addService(const std::string& name, const std::string& price, const std::string& vat,
                    const std::string& unit) {
        addRecord(TableId::Paslaug,
                  {{"PAS:Pav", name}, {"PAS:KAINSUPVM", price}, {"PAS:PVMPROC", vat}, {"PAS:MATVNT", unit}});
    }

    // The stored lines of the registration, each as a record.
    std::vector<Record> lines() {
        std::vector<Record> read;
        Table table(context, TableId::Saskeil, false);
        table.open();
        table.setToKeyStart(SEI::INRKEY);
        while (table.next() == StoreStatus::Ok) {
            read.push_back(table.record());
        }
        table.close();
        return read;
    }

    // The stored schedule rows of a line as "day quantity" texts, in schedule order.
    std::vector<std::string> schedule(std::int32_t line) {
        std::vector<std::string> shown;
        Table table(context, TableId::Seilgraf, false);
        table.open();
        table.setToKeyStart(SEIG::EILID_KEY);
        while (table.next() == StoreStatus::Ok) {
            if (table.record().get(SEIG::SEILID) == line) {
                shown.push_back(table.record().text("SEIG:Data") + " " + table.record().text("SEIG:KIEKIS"));
            }
        }
        table.close();
        return shown;
    }

    std::int64_t rowCount(TableId id) {
        Table table(context, id, false);
        table.open();
        std::int64_t count = 0;
        table.recordCount(count);
        table.close();
        return count;
    }
};

} // namespace nakva::testing

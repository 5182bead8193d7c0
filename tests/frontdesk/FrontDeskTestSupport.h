#pragma once

#include "data/StoreTestSupport.h"

#include "data/Date.h"

#include <string>
#include <vector>

namespace nakva::testing {

// A house on day D (2026-12-07): rooms and registrations added by their few fields that matter, dates
// given as days from D.
class FrontDeskTest : public StoreTest {
protected:
    const Date D = dateFromYmd(2026, 12, 7);

    static std::string day(Date date) { return formatDate(date); }

    void addRoom(int id, const std::string& type, const std::string& number, bool inUse = true,
                 const std::string& price = "0") {
        addRecord(TableId::Kamb, {{"KMB:KambarioID", std::to_string(id)},
                                  {"KMB:KambarioTipas", type},
                                  {"KMB:KambarioKorpusas", "A"},
                                  {"KMB:KambarioNr", number},
                                  {"KMB:KambarysNenaudojamas", inUse ? "0" : "1"},
                                  {"KMB:KAMBARIOKAINA", price}});
    }

    // A registration from D + from to D + to, departed or not, in the rooms given.
    void addStay(int number, const std::string& guest, int from, int to, bool departed = false,
                 const std::vector<int>& rooms = {}) {
        addRecord(TableId::Saskait, {{"SAS:IrasoNr", std::to_string(number)},
                                     {"SAS:Gyventojas", guest},
                                     {"SAS:GyvenaNuo", day(D + from)},
                                     {"SAS:GyvenaIki", day(D + to)},
                                     {"SAS:Isvykes", departed ? "1" : "0"},
                                     {"SAS:GYVENTOJUSKC", "1"},
                                     {"SAS:SaskSer", "NKV"},
                                     {"SAS:SaskNr", std::to_string(100 + number)}});
        for (const int room : rooms) {
            addRecord(TableId::SaskKmb, {{"SKMB:IrasoNr", std::to_string(number)},
                                         {"SKMB:KambarioID", std::to_string(room)},
                                         {"SKMB:KambarioGyventojuSkc", "2"}});
        }
    }

    void addCleaning(int entry, int room, int on) {
        addRecord(TableId::KmbVal, {{"KVAL:IrasoID", std::to_string(entry)},
                                    {"KVAL:KambarioID", std::to_string(room)},
                                    {"KVAL:IrasoDt", day(D + on)}});
    }
};

} // namespace nakva::testing

#include "frontdesk/NewStay.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"
#include "registration/Registration.h"
#include "ui/FormEngine.h"

namespace nakva {

namespace {

constexpr int WarningAddFailed = 14;

// The room's row under the registration just numbered, as the occupied-room form saves a chosen room.
void addRoom(FormEngine& form, std::int32_t roomId) {
    Table rows(form.context(), TableId::SaskKmb, false);
    const OpenedTable opened(rows);
    rows.clear();
    Record& row = rows.record();
    row.set(SKMB::IrasoNr, form.record().get(SAS::IrasoNr));
    row.set(SKMB::KambarioID, roomId);
    (void)takeRoomDefaults(form.context(), row);
    if (rows.add() != StoreStatus::Ok) {
        saveErrorCondition();
        standardWarning(WarningAddFailed);
    }
}

} // namespace

FormConfig newStayForm(Date arrival, std::int32_t roomId) {
    FormConfig config = *RedSaskait();
    // The usual priming gives one night from the working date; the night chosen moves it, so the
    // nights and bed-days stay as primed.
    config.hooks.prime = [prime = config.hooks.prime, arrival](FormEngine& form) {
        prime(form);
        form.record().set(SAS::GyvenaNuo, arrival);
        form.record().set(SAS::GyvenaIki, arrival + 1);
    };
    config.hooks.opened = [opened = config.hooks.opened, roomId](FormEngine& form) {
        const bool added = form.request() == Request::Insert && form.record().get(SAS::IrasoNr) != 0;
        if (added) {
            addRoom(form, roomId);
        }
        opened(form);
        if (added) {
            form.keepAsOpened();
        }
    };
    return config;
}

} // namespace nakva

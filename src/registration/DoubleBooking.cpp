#include "registration/DoubleBooking.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/Message.h"
#include "registration/Registration.h"
#include "roomservice/RoomOccupancy.h"
#include "ui/FormEngine.h"

#include <optional>
#include <vector>

namespace nakva {

namespace {

// The room as its door shows it: its number without the blanks of its field; its ID when it has none.
std::string roomNumber(Context& context, std::int32_t roomId) {
    Table rooms(context, TableId::Kamb, false);
    const OpenedTable opened(rooms);
    rooms.record().set(KMB::KambarioID, roomId);
    std::string number;
    if (rooms.getByKey(KMB::IDKEY) == StoreStatus::Ok) {
        number = std::string(trimRight(rooms.record().get(KMB::KambarioNr)));
    }
    return number.empty() ? std::to_string(roomId) : number;
}

// The registration a room row belongs to, with the dates it has now: as the registration form on the
// same context holds them (its edited record stands in the buffer while its child form is open), or as
// stored. Nothing when it is not found.
std::optional<Record> registrationOf(Context& context, std::int32_t number) {
    const Record& shown = context.table(TableId::Saskait).record();
    if (shown.get(SAS::IrasoNr) == number) {
        return shown;
    }
    Table registrations(context, TableId::Saskait, false);
    const OpenedTable opened(registrations);
    registrations.record().set(SAS::IrasoNr, number);
    if (registrations.getByKey(SAS::IRASONRKEY) != StoreStatus::Ok) {
        return std::nullopt;
    }
    return registrations.record();
}

} // namespace

std::string roomTakenQuestion(std::string_view room, const TakenNight& taken) {
    return "Kambarys " + std::string(room) + " " + formatDate(taken.night) +
           " jau užimtas: " + std::string(trimRight(taken.guest)) + ", " + formatDate(taken.arrival) + " – " +
           formatDate(taken.departure) + ". Vis tiek įrašyti?";
}

bool confirmRoomFree(Context& context, std::int32_t roomId, Date arrival, Date departure,
                     std::int32_t registration) {
    const TakenNight taken = takenNight(context, roomId, arrival, departure, registration);
    if (taken.failed) {
        return false;
    }
    if (!taken.found) {
        return true;
    }
    MessageRequest question;
    question.text = roomTakenQuestion(roomNumber(context, roomId), taken);
    question.title = "Kambarys užimtas";
    question.icon = MessageIcon::Exclamation;
    question.buttons = ButtonYes | ButtonNo;
    question.defaultButton = ButtonNo;
    return showMessage(question) == ButtonYes;
}

bool confirmRoomsFree(Context& context, std::int32_t registration, Date arrival, Date departure) {
    std::vector<std::int32_t> rooms;
    if (!forEachRoom(context, registration, [&rooms](const Record& row) {
            rooms.push_back(row.get(SKMB::KambarioID));
            return true;
        })) {
        return false;
    }
    for (const std::int32_t room : rooms) {
        if (!confirmRoomFree(context, room, arrival, departure, registration)) {
            return false;
        }
    }
    return true;
}

bool confirmOccupiedRoom(FormEngine& form) {
    const Record& row = form.record();
    const std::int32_t room = row.get(SKMB::KambarioID);
    if (form.request() != Request::Insert && room == form.openingCopy().get(SKMB::KambarioID)) {
        return true; // the same room: it was asked when it came
    }
    const std::optional<Record> registration = registrationOf(form.context(), row.get(SKMB::IrasoNr));
    if (!registration || registration->get(SAS::Isvykes) != 0) {
        return true; // a departed stay holds no room
    }
    if (confirmRoomFree(form.context(), room, registration->get(SAS::GyvenaNuo),
                        registration->get(SAS::GyvenaIki), row.get(SKMB::IrasoNr))) {
        return true;
    }
    form.focusField(SKMB::KambarioID.index);
    return false;
}

} // namespace nakva

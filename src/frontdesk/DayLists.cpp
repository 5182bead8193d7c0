#include "frontdesk/DayLists.h"

#include "registration/RegistrationLists.h"
#include "shell/Globals.h"

namespace nakva {

namespace {

ListConfig dayList(std::string name, std::string title, std::string order, std::string filter,
                   std::string locator = {}, std::string prompt = {}) {
    ListConfig config;
    config.name = std::move(name);
    config.title = title;
    config.table = TableId::Saskait;
    config.joins = {TableId::Klient};
    config.bind = [](Variables& variables) {
        variables.set(DayVariable, std::int64_t(glo().EINDT));
    };
    config.columns = archiveColumns();
    SortTab tab;
    tab.text = std::move(title);
    tab.order = std::move(order);
    tab.filter = std::move(filter);
    tab.locator = std::move(locator);
    tab.locatorPrompt = std::move(prompt);
    config.tabs = {tab};
    return config;
}

const std::string Day(DayVariable);

} // namespace

ListConfig SarAtvyksta() {
    return dayList("SarAtvyksta", "Atvyksta", "+SAS:GyvenaNuo,+SAS:IrasoNr", "SAS:GyvenaNuo = " + Day);
}

ListConfig SarIsvyksta() {
    return dayList("SarIsvyksta", "Išvyksta", "+SAS:GyvenaIki,+UPPER(SAS:Gyventojas),+SAS:IrasoNr",
                   "SAS:GyvenaIki = " + Day, "SAS:Gyventojas");
}

ListConfig SarGyvena() {
    return dayList("SarGyvena", "Gyvena", "+SAS:Isvykes,+UPPER(SAS:Gyventojas),+SAS:IrasoNr",
                   "SAS:Isvykes = 0 AND SAS:GyvenaNuo <= " + Day, "SAS:Gyventojas", "Rasti pavardę:");
}

} // namespace nakva

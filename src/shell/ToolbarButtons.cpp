#include "shell/ToolbarButtons.h"

namespace nakva {

const std::array<ToolbarButtonDef, ToolbarButtonCount>& toolbarButtons() {
    static constexpr std::array<ToolbarButtonDef, ToolbarButtonCount> buttons{{
        {ToolbarButton::FirstPage, "Pirmas lapas", "first-page"},
        {ToolbarButton::PreviousPage, "Ankstesnis lapas", "previous-page"},
        {ToolbarButton::PreviousRecord, "Ankstesnis įrašas", "previous-record"},
        {ToolbarButton::Locate, "Rasti įrašą", "locate"},
        {ToolbarButton::NextRecord, "Kitas įrašas", "next-record"},
        {ToolbarButton::NextPage, "Kitas lapas", "next-page"},
        {ToolbarButton::LastPage, "Paskutinis lapas", "last-page"},
        {ToolbarButton::Insert, "Įvesti naują įrašą", "insert"},
        {ToolbarButton::Change, "Keisti pasirinktą įrašą", "change"},
        {ToolbarButton::Delete, "Pašalinti paririnktą įrašą", "delete"},
        {ToolbarButton::History, "Kopijuoti/Įstatyti ankstesnio įrašo reikšmę", "history"},
        {ToolbarButton::Select, "Pasirinkti įrašą", "select"},
        {ToolbarButton::Export, "Eksportuoti…", "export"},
        {ToolbarButton::Close, "Uždaryti langą", "close"},
        {ToolbarButton::Help, "Pagalba", "help"},
    }};
    return buttons;
}

} // namespace nakva

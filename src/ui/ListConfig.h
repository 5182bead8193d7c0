#pragma once

#include "data/Dictionary.h"
#include "data/Variables.h"
#include "ui/FormLookUp.h"
#include "ui/Picture.h"
#include "ui/Requests.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nakva {

class Context;

enum class ColumnAlign { Left, Right, Center };

// One column of a list: a field of the list's table or of a joined parent, or a cell computed from
// the record buffers of the row just read (an icon's name, a value looked up elsewhere).
struct ListColumn {
    std::string heading; // empty: none
    std::string field;   // "VAL:Valstybe", "KLI:PAV"
    int width = 80;      // in dialog units, as the lists are described
    ColumnAlign align = ColumnAlign::Left;
    Picture picture;
    std::function<std::string(Context&)> compute; // when set, used instead of the field
    // The name of a picture shown before the cell's text, from the same buffers ("dotfull"); an empty
    // name shows none. The window finds it as the resource ":/icons/<name>.svg", which the layer that
    // names it brings along.
    std::function<std::string(Context&)> icon;

    // A column of a field shown by its picture.
    static ListColumn of(std::string heading, std::string field, int width, ColumnAlign align,
                         Picture picture) {
        ListColumn column;
        column.heading = std::move(heading);
        column.field = std::move(field);
        column.width = width;
        column.align = align;
        column.picture = picture;
        return column;
    }
};

// A value put into a record inserted while a tab is shown: the field receives the variable's value,
// so that the new record passes the tab's filter ("PAS:PaslGrpNr" from "PGRP:IrasoNr").
struct InsertPrime {
    std::string field;
    std::string variable;
};

// A value chosen on a tab and named by its filter: an entry with a look-up button above the rows
// ("Kambario tipas:", "Paslaugų grupė:", "Kambarys:"). Accepted with a value, the value is looked up in
// the other table and taken as stored there; one not found opens the look-up's selection list at it,
// and so do the button and Ctrl+Down. A blank value (empty text, 0) is taken as it is: the tab then
// shows the records without one. Every change reads the list again from the top.
struct TabSelector {
    std::string name;     // names the widgets: "type" gives typeFilter, typeLookUp and typeName
    std::string prompt;   // "Kambario tipas:"
    std::string variable; // the list's variable that the tab's filter names: "LOC:KambarioTipas"
    FormLookUp lookUp;    // {KmbTipai, KambarioTipas, KTIPAS, "SarKambTipai"}
    // Texts shown beside the entry for the present value (the group's name; a room's building, floor
    // and number), read on the list's context; empty: none.
    std::function<std::vector<std::string>(Context&, const Value&)> beside;
    // The value survives from one opening of the list to the next in the program run; otherwise every
    // opening starts blank.
    bool remembered = false;
    // Without a value to start from, the list opens on its next tab instead: a picker opens on
    // something, not on an empty filter ("Pasirinkite kambarį:" before any type was chosen).
    bool skippedWhenBlank = false;
};

// One sort order of the list, shown as a tab. A record saved from the list that its tab's chosen value
// (TabSelector) would hide, because the record holds another one in the field the tab primes, makes the
// tab choose the record's value: the record stays in view.
struct SortTab {
    std::string text;   // the tab's caption
    std::string order;  // "+UPPER(PGRP:GrpPav),+PGRP:IrasoNr"
    std::string filter; // empty: none; may name the list's variables ("SAS:Isvykes = LOC:Isvykes")
    // A component of the order on which the letter locator and the scroll thumb work; empty: none.
    // Components before it keep the current record's values when the list locates.
    std::string locator;
    std::string locatorPrompt; // "Rasti įrašo datą:": an entry field for the locator; empty: none
    std::vector<InsertPrime> primes;
    std::optional<TabSelector> selector; // the value the filter names, chosen on the tab
};

// Everything that makes one list window out of the common one.
struct ListConfig {
    std::string name;  // "BrowseValstyb": the help topic and the window's object name
    std::string title; // "VALSTYBĖS"
    TableId table = TableId::Valstyb;
    // Parents read with every row: every table that the columns, orders and filters name besides
    // the list's own must be listed here, so that the list opens it.
    std::vector<TableId> joins;
    // Tables that computed columns read for every row ({table, second buffer}: the occupancy test's
    // SKMB1 and SAS1), kept open while the list is, so that a row does not open their files again.
    std::vector<std::pair<TableId, bool>> opens;
    // A fixed filter over every tab (a sub-list's link to the record of its form, a range), and the
    // primes that make an inserted record pass it.
    std::string filter;
    std::vector<InsertPrime> primes;
    // Binds the list's own variables when it opens, before the first page is read: the values its
    // filters name (a filter value kept from the last opening).
    std::function<void(Variables&)> bind;
    std::vector<ListColumn> columns;
    std::vector<SortTab> tabs; // at least one; the list opens on the first
    // The tips of the insert, change and delete buttons ("… [Insert]" where a list names the key).
    std::string insertTooltip = "Įvesti naują įrašą";
    std::string changeTooltip = "Keisti pasirinktą įrašą";
    std::string deleteTooltip = "Pašalinti pasirinktą įrašą";
    // The table's record form. Without one the list has no insert, change and delete buttons and no
    // popup menu: a selection-only or view-only list.
    FormCall form;
};

} // namespace nakva

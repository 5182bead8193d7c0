#pragma once

#include "ui/FormConfig.h"
#include "ui/ListConfig.h"

namespace nakva {

// The six simple reference lists reached from the "Žinynai" menu, each with its record form, and the
// selection-only list of payment methods: countries, resident groups, payment methods, cleaners, room
// types and service groups. Only their data: what the common list and form do with it is theirs.
// A list's `form` is left for its window to give (FormWindow opens the form next to the list).

ListConfig BrowseValstyb();
FormConfig UpdateValstyb();

ListConfig SarGrup();
FormConfig RedGrupes();

ListConfig BrowseMokBudai();
ListConfig SelectMokBudai();
FormConfig UpdateMokBudai();

ListConfig BrowseValyt();
FormConfig UpdateValyt();

ListConfig SarKambTipai();
FormConfig RedKambTipai();

ListConfig BrowsePaslGrp();
FormConfig UpdatePaslGrp();

} // namespace nakva

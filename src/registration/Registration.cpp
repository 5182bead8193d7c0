#include "registration/Registration.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/View.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/DoubleBooking.h"
#include "registration/Payments.h"
#include "shell/Globals.h"
#include "ui/FormEngine.h"
#include "ui/SeriesNumber.h"

#include <limits>
#include <span>

namespace nakva {

namespace {

constexpr int WarningRecordRetrieval = 35;
constexpr std::size_t RoomsTextWidth = 80;

// A total into its field; one too large for the field is refused with a message and the field keeps
// its value.
template <typename Field>
void setTotal(Record& record, Field field, const Decimal& value, std::string_view name) {
    if (const SetResult set = record.set(field, value); !set) {
        showFieldMessage(std::string(name) + ": " + set.error);
    }
}

// Nights and bed-days of the record as it stands. False, after its message, when the bed-days do not
// fit their field.
bool computeStay(Record& record, bool nights) {
    if (nights) {
        record.set(SAS::GYVENAPARU,
                   std::int32_t(stayNights(record.get(SAS::GyvenaNuo), record.get(SAS::GyvenaIki))));
    }
    const std::optional<std::int32_t> days =
        bedDays(record.get(SAS::GYVENAPARU), record.get(SAS::GYVENTOJUSKC), record.get(SAS::PAPPATALYNE));
    if (!days) {
        showFieldMessage("Lovadienių: skaičius per didelis.");
        return false;
    }
    record.set(SAS::GYVENALOVADIENIU, *days);
    return true;
}

// The settings record as stored (blank and zero when there is none), read into the shared buffer.
const Record& readSettings(Context& context) {
    Table& settings = context.table(TableId::IstgPar);
    settings.open();
    StoreStatus status = settings.setToKeyStart(IST::RA);
    if (status == StoreStatus::Ok) {
        status = settings.next();
    }
    if (status != StoreStatus::Ok) {
        settings.clear();
    }
    settings.close();
    return settings.record();
}

// A new registration: the working date's stay of one night for one resident paying in cash, the next
// invoice number of the blank series, the settings' VAT rate and invoice end texts.
void primeRegistration(FormEngine& form) {
    Record& record = form.record();
    const Record settings = readSettings(form.context());
    if (record.get(SAS::SaskDt) == NoDate) {
        const Date day = glo().EINDT;
        record.set(SAS::IrasoDt, day);
        record.set(SAS::GyvenaNuo, day);
        record.set(SAS::GyvenaIki, day == NoDate ? NoDate : day + 1);
        record.set(SAS::SaskDt, day);
    }
    record.set(SAS::GYVENTOJUSKC, 1);
    (void)record.set(SAS::MOKEJIMOBUDAS, "GRYNAIS");
    // Computed at once: a new stay shows its night, not 0 until a date is touched.
    (void)computeStay(record, true);
    numberInvoice(form);
    record.set(SAS::SaskDt, today());
    (void)record.set(SAS::PVMPROC, settings.get(IST::PVMPROC));
    (void)record.set(SAS::PAST, settings.get(IST::PAST));
    (void)record.set(SAS::PAST1, settings.get(IST::PAST1));
}

// "Liko mokėti:" from the payments read last and the total with VAT as it now stands.
void showDue(FormEngine& form) {
    const Value* paid = form.variables().find(PaidVariable);
    if (const auto* amount = paid != nullptr ? std::get_if<Decimal>(paid) : nullptr) {
        form.variables().set(DueVariable, form.record().get(SAS::BSUMASUPVM) - *amount);
    }
}

// A current stay whose nights moved (or that became current again) asks about each of its rooms that
// another current stay holds on one of them.
bool stayRoomsFree(FormEngine& form) {
    const Record& record = form.record();
    return record.get(SAS::Isvykes) != 0 ||
           confirmRoomsFree(form.context(), record.get(SAS::IrasoNr), record.get(SAS::GyvenaNuo),
                            record.get(SAS::GyvenaIki));
}

// The computations tied to the fields the user accepts (not run by the final check on save).
bool registrationFieldAccepted(FormEngine& form, int field) {
    Record& record = form.record();
    if (field == SAS::GyvenaNuo.index || field == SAS::GyvenaIki.index) {
        return computeStay(record, true) && stayRoomsFree(form);
    }
    if (field == SAS::Isvykes.index) {
        return stayRoomsFree(form);
    }
    if (field == SAS::GYVENAPARU.index || field == SAS::GYVENTOJUSKC.index ||
        field == SAS::PAPPATALYNE.index) {
        return computeStay(record, false);
    }
    if (field == SAS::PVMSUMA.index) {
        setTotal(record, SAS::BSUMASUPVM, record.get(SAS::BSUMA) + record.get(SAS::PVMSUMA), "Suma su PVM");
        showDue(form);
        return true;
    }
    if (field == SAS::BSUMASUPVM.index) {
        showDue(form);
        return true;
    }
    if (field == SAS::SaskSer.index) {
        numberInvoice(form);
    }
    return true;
}

// The departure date may not come before the arrival: checked when it is accepted and on save.
bool registrationCheck(FormEngine& form, int field) {
    const Record& record = form.record();
    if (field != SAS::GyvenaIki.index || record.get(SAS::GyvenaIki) >= record.get(SAS::GyvenaNuo)) {
        return true;
    }
    MessageRequest request;
    request.text = "Išvykimo data negali būti ankstesnė už atvykimo datą.";
    request.icon = MessageIcon::Exclamation;
    showMessage(request);
    return false;
}

std::string perDay(FormEngine&) {
    return "( per dieną )";
}

FormField field(std::string prompt, int index, int tab, std::string tooltip = {}) {
    FormField made(std::move(prompt), index, std::move(tooltip));
    made.tab = tab;
    return made;
}

FormField count(std::string prompt, int index, int tab, std::string tooltip = {}) {
    FormField made = field(std::move(prompt), index, tab, std::move(tooltip));
    made.minimum = Decimal(0);
    return made;
}

FormField lookUp(std::string prompt, int index, FormLookUp table, bool required) {
    FormField made = field(std::move(prompt), index, DataTab);
    made.lookUp = std::move(table);
    made.required = required;
    return made;
}

ListColumn column(std::string heading, std::string name, int width, ColumnAlign align, Picture picture) {
    return ListColumn::of(std::move(heading), std::move(name), width, align, picture);
}

// A child list of the form: the children of the registration on the form, in their order.
FormChildList childList(std::string name, TableId table, const std::string& link, std::string order,
                        std::vector<ListColumn> columns, std::string form, int tab, int row) {
    FormChildList child;
    child.list.name = std::move(name);
    child.list.table = table;
    child.list.filter = link + " = " + std::string(RegistrationVariable);
    child.list.primes = {{link, std::string(RegistrationVariable)}};
    child.list.columns = std::move(columns);
    SortTab tab0;
    tab0.order = std::move(order);
    child.list.tabs = {tab0};
    child.variable = RegistrationVariable;
    child.parentField = SAS::IrasoNr.index;
    child.form = std::move(form);
    child.tab = tab;
    child.row = row;
    return child;
}

std::string roomBeside(FormEngine& form) {
    Table rooms(form.context(), TableId::Kamb, false);
    rooms.open();
    rooms.record().set(KMB::KambarioID, form.record().get(SKMB::KambarioID));
    std::string text;
    if (form.record().get(SKMB::KambarioID) != 0 && rooms.getByKey(KMB::IDKEY) == StoreStatus::Ok) {
        const Record& room = rooms.record();
        text = "Korp. " + room.get(KMB::KambarioKorpusas) + ", aukšt. " +
               room.text(KMB::KambarioAukstas.index) + ", Nr. " + room.get(KMB::KambarioNr) + ", " +
               room.get(KMB::KambarioTipas);
    }
    rooms.close();
    return text;
}

bool occupiedRoomAccepted(FormEngine& form, int field) {
    if (field == SKMB::KambarioID.index) {
        (void)takeRoomDefaults(form.context(), form.record());
    }
    return true;
}

} // namespace

std::int64_t stayNights(Date arrival, Date departure) {
    if (arrival == NoDate || departure == NoDate || departure < arrival) {
        return 0;
    }
    return std::int64_t(departure) - arrival;
}

std::optional<std::int32_t> bedDays(std::int64_t nights, std::int64_t residents, std::int64_t extraPlaces) {
    const std::int64_t places = residents + extraPlaces;
    const std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    if (nights < 0 || places < 0 || (places != 0 && nights > limit / places)) {
        return std::nullopt;
    }
    return std::int32_t(nights * places);
}

std::string roomsText(const std::vector<RoomLabel>& rooms) {
    std::string text;
    for (const RoomLabel& room : rooms) {
        text += " " + std::string(trimRight(room.building)) + "-" + std::string(trimRight(room.number));
    }
    if (charCount(text) > RoomsTextWidth) {
        text = std::string(trimRight(cutToChars(text, RoomsTextWidth - 3))) + "...";
    }
    return text;
}

bool forEachRoom(Context& context, std::int32_t registration,
                 const std::function<bool(const Record&)>& each) {
    Table rows(context, TableId::SaskKmb, false);
    rows.open();
    rows.record().set(SKMB::IrasoNr, registration);
    StoreStatus status = rows.setToKeyValue(SKMB::INRKMBIDKEY);
    bool going = true;
    while (going && status == StoreStatus::Ok && (status = rows.next()) == StoreStatus::Ok &&
           rows.record().get(SKMB::IrasoNr) == registration) {
        going = each(rows.record());
    }
    rows.close();
    if (status != StoreStatus::Ok && status != StoreStatus::EndOfData) {
        standardWarning(WarningRecordRetrieval, "SaskKmb");
        return false;
    }
    return going;
}

namespace {

// The orders of the form's child lists; the totals read their rows the same way, so they share the
// written queries.
constexpr std::string_view RoomsOrder = "+SKMB:IrasoNr,+SKMB:KambarioID";
constexpr std::string_view LinesOrder = "+SEI:IrasoNr,+SEI:SEILID";
constexpr std::string_view PaymentsOrder = "+MOK:SaskIrasoNr,+MOK:IrasoNr";

// A view of the children of a registration through their link field.
void viewChildren(View& view, std::string_view link, std::string_view order, std::int32_t registration) {
    view.setOrder(std::string(order));
    view.setFilter(std::string(link) + " = " + std::string(RegistrationVariable));
    view.variables().set(RegistrationVariable, registration);
}

} // namespace

RoomTotals roomTotals(Context& context, std::int32_t registration) {
    RoomTotals totals;
    Table rows(context, TableId::SaskKmb, false);
    rows.open();
    Table& rooms = context.table(TableId::Kamb);
    rooms.open();
    {
        View view(rows);
        view.join(TableId::Kamb);
        viewChildren(view, "SKMB:IrasoNr", RoomsOrder, registration);
        std::vector<RoomLabel> labels;
        StoreStatus status = view.open();
        while (status == StoreStatus::Ok && (status = view.next()) == StoreStatus::Ok) {
            const Record& row = rows.record();
            ++totals.rooms;
            totals.residents += row.get(SKMB::KambarioGyventojuSkc);
            totals.price += row.get(SKMB::KambarioKaina);
            // A room gone leaves its buffer cleared: the row counts without text.
            if (rooms.record().get(KMB::KambarioID) == row.get(SKMB::KambarioID)) {
                labels.push_back(
                    {rooms.record().get(KMB::KambarioKorpusas), rooms.record().get(KMB::KambarioNr)});
            }
        }
        if (status == StoreStatus::Failed) {
            if (view.isOpen()) {
                standardWarning(WarningRecordRetrieval, "SaskKmb");
            }
            totals.failed = true;
        }
        totals.text = roomsText(labels);
    }
    rooms.close();
    rows.close();
    return totals;
}

namespace {

// The sums of `fields` over the children of a registration, and their count, in one aggregate read of
// a view like its child list's. False after a failure (shown; `name` names the table).
bool sumChildren(Context& context, TableId table, std::string_view name, std::string_view link,
                 std::string_view order, std::int32_t registration, std::span<const int> fields,
                 std::vector<Decimal>& sums, std::int64_t& count) {
    Table rows(context, table, false);
    const OpenedTable opened(rows);
    View view(rows);
    viewChildren(view, link, order, registration);
    StoreStatus status = view.open(); // a view that cannot open has said so
    if (status == StoreStatus::Ok && (status = view.sum(fields, sums, count)) != StoreStatus::Ok) {
        standardWarning(WarningRecordRetrieval, name);
    }
    return status == StoreStatus::Ok;
}

} // namespace

InvoiceTotals invoiceTotals(Context& context, std::int32_t registration) {
    InvoiceTotals totals;
    static constexpr int fields[] = {SEI::SUMABEPVM.index, SEI::SUMA.index, SEI::PVMSUMA.index,
                                     SEI::PVMPROC.index};
    std::vector<Decimal> sums;
    std::int64_t count = 0;
    if (!sumChildren(context, TableId::Saskeil, "Saskeil", "SEI:IrasoNr", LinesOrder, registration, fields,
                     sums, count)) {
        totals.failed = true;
        return totals;
    }
    totals.withoutVat = sums[0];
    totals.withVat = sums[1];
    totals.vat = sums[2];
    // Over no lines the mean is undefined: the rate stays as it was.
    if (count > 0) {
        totals.meanVat = (sums[3] / Decimal(count)).rounded(2);
    }
    return totals;
}

PaymentsTotal paymentsTotal(Context& context, std::int32_t registration) {
    PaymentsTotal total;
    static constexpr int fields[] = {MOK::MOKSUMA.index};
    std::vector<Decimal> sums;
    std::int64_t count = 0;
    if (sumChildren(context, TableId::Mokej, "Mokej", "MOK:SaskIrasoNr", PaymentsOrder, registration, fields,
                    sums, count)) {
        total.paid = sums[0];
    } else {
        total.failed = true;
    }
    return total;
}

bool takeRoomDefaults(Context& context, Record& row) {
    Table rooms(context, TableId::Kamb, false);
    rooms.open();
    rooms.record().set(KMB::KambarioID, row.get(SKMB::KambarioID));
    const bool found = rooms.getByKey(KMB::IDKEY) == StoreStatus::Ok;
    if (found) {
        (void)row.set(SKMB::KambarioKaina, rooms.record().get(KMB::KAMBARIOKAINA));
        row.set(SKMB::KambarioGyventojuSkc, 1);
    }
    rooms.close();
    return found;
}

std::string payerName(Context& context, std::string_view code) {
    if (trimRight(code).empty()) {
        return {};
    }
    Table payers(context, TableId::Klient, false);
    payers.open();
    (void)payers.record().set(KLI::Kod, std::string(code));
    std::string name;
    if (payers.getByKey(KLI::KODKEY) == StoreStatus::Ok) {
        name = payers.record().get(KLI::PAV);
    }
    payers.close();
    return name;
}

void numberInvoice(FormEngine& form) {
    (void)numberInSeries(form, SAS::SASNRKEY.index);
}

void recomputeRooms(FormEngine& form) {
    Record& record = form.record();
    const RoomTotals rooms = roomTotals(form.context(), record.get(SAS::IrasoNr));
    if (!rooms.failed) {
        form.variables().set(RoomsPriceVariable, rooms.price);
        form.variables().set(RoomsCountVariable, rooms.rooms);
        form.variables().set(RoomsResidentsVariable, rooms.residents);
        (void)record.set(SAS::KAMBARIAI, rooms.text);
    }
}

void recomputeInvoice(FormEngine& form) {
    Record& record = form.record();
    const InvoiceTotals invoice = invoiceTotals(form.context(), record.get(SAS::IrasoNr));
    if (!invoice.failed) {
        setTotal(record, SAS::BSUMA, invoice.withoutVat, "Suma");
        setTotal(record, SAS::BSUMASUPVM, invoice.withVat, "Suma su PVM");
        setTotal(record, SAS::PVMSUMA, invoice.vat, "PVM suma");
        if (invoice.meanVat) {
            setTotal(record, SAS::PVMPROC, *invoice.meanVat, "PVM procentas");
        }
    }
    recomputeBalance(form);
}

void recomputeBalance(FormEngine& form) {
    const PaymentsTotal payments = paymentsTotal(form.context(), form.record().get(SAS::IrasoNr));
    if (!payments.failed) {
        form.variables().set(PaidVariable, payments.paid);
        showDue(form);
    }
}

bool offerPaid(FormEngine& form) {
    Record& record = form.record();
    const Decimal total = record.get(SAS::BSUMASUPVM);
    if (record.get(SAS::APMOKETA) != 0 || total <= Decimal(0)) {
        return true;
    }
    const PaymentsTotal payments = paymentsTotal(form.context(), record.get(SAS::IrasoNr));
    if (payments.failed || payments.paid < total) {
        return true;
    }
    MessageRequest question;
    question.text = "Sumokėta visa sąskaitos suma. Pažymėti „Apmokėta“?";
    question.title = "Apmokėta";
    question.icon = MessageIcon::Information;
    question.buttons = ButtonYes | ButtonNo;
    if (showMessage(question) == ButtonYes) {
        record.set(SAS::APMOKETA, 1);
    }
    return true;
}

namespace {

FormConfig registrationForm() {
    FormConfig config;
    config.name = "RedSaskait";
    config.helpTopic = config.name;
    config.caption = "REGISTRACIJOS ĮRAŠAS";
    config.table = TableId::Saskait;
    config.tabs = {"Registracijos duomenys", "Kambariai", "Sąskaita", "Apmokėjimas", "Pastabos"};
    config.historyKey = 'K';
    config.cancelQuestion = CancelQuestion::SaveChanges;

    // Children point to the number from the moment the form opens.
    FormField number = field("Įrašo Nr.* :", SAS::IrasoNr.index, DataTab);
    number.fixedOnInsert = true;
    number.required = true;
    FormField name = field("Gyventojo pavardė, vardas*:", SAS::Gyventojas.index, DataTab);
    name.required = true;
    FormField arrival = field("Gyvena nuo*:", SAS::GyvenaNuo.index, DataTab);
    arrival.required = true;
    FormField departure = field("iki*:", SAS::GyvenaIki.index, DataTab);
    departure.required = true;
    FormField adults = count("Maitinimas: Suaugusių:", SAS::PUSRYCIUSK.index, DataTab);
    adults.beside = perDay;
    FormField children = count("Vaikų:", SAS::PUSRYCIUVAIK.index, DataTab);
    children.beside = perDay;
    FormField paid = field("Apmokėta", SAS::APMOKETA.index, InvoiceTab);
    paid.control = FormControl::CheckBox;
    FormField payer =
        lookUp("Mokėtojas:", SAS::KliKod.index,
               FormLookUp(TableId::Klient, KLI::Kod.index, KLI::KODKEY.index, "SarKlient"), false);
    payer.tab = InvoiceTab;
    payer.beside = [](FormEngine& form) {
        return payerName(form.context(), form.record().get(SAS::KliKod));
    };
    FormField departed = field("Išvykęs", SAS::Isvykes.index, -1);
    departed.control = FormControl::CheckBox;
    FormField notes = field("Pastabos apie registraciją:", SAS::KOMENTARAI.index, NotesTab);

    config.fields = {
        field("Įrašo įvedimo data:", SAS::IrasoDt.index, DataTab),
        number,
        name,
        field("Gyventojo asmens kodas:", SAS::GYVENTOJOAK.index, DataTab),
        field("Gyventojo adresas:", SAS::GYVENTOJOADRESAS.index, DataTab),
        lookUp("Valstybė*:", SAS::GYVENTOJOVALSTYBE.index,
               FormLookUp(TableId::Valstyb, VAL::Valstybe.index, VAL::Key_Valst.index, "BrowseValstyb"),
               true),
        lookUp("Gyventojų grupė*:", SAS::GyventojoGrupe.index,
               FormLookUp(TableId::Grupes, GRP::Grupe.index, GRP::Key_Grupe.index, "SarGrup"), true),
        count("Gyventojų skaičius:", SAS::GYVENTOJUSKC.index, DataTab,
              "Atvykusių gyventojų skaičius. Naudojamas statistikos ir pajamų ataskaitose."),
        count("Papild. vietų:", SAS::PAPPATALYNE.index, DataTab, "Papildomos patalynės komplektų skaičius"),
        arrival,
        departure,
        count("Gyvena parų:", SAS::GYVENAPARU.index, DataTab),
        count("Lovadienių:", SAS::GYVENALOVADIENIU.index, DataTab),
        adults,
        children,
        field("Sąskaitos data:", SAS::SaskDt.index, InvoiceTab),
        field("Sąskaitos serija, Nr.:", SAS::SaskSer.index, InvoiceTab),
        field("", SAS::SaskNr.index, InvoiceTab),
        paid,
        payer,
        field("Suma:", SAS::BSUMA.index, InvoiceTab),
        field("PVM suma:", SAS::PVMSUMA.index, InvoiceTab),
        field("Suma su PVM:", SAS::BSUMASUPVM.index, InvoiceTab),
        field("Tekstas sąskaitos gale:", SAS::PAST.index, InvoiceTab),
        field("", SAS::PAST1.index, InvoiceTab),
        notes,
        departed,
    };

    config.children = {
        childList("RedSaskaitKambariai", TableId::SaskKmb, "SKMB:IrasoNr", std::string(RoomsOrder),
                  {column("ID", "SKMB:KambarioID", 24, ColumnAlign::Right, Picture::number(6)),
                   column("K", "KMB:KambarioKorpusas", 20, ColumnAlign::Left, Picture::text(5)),
                   column("A", "KMB:KambarioAukstas", 12, ColumnAlign::Right, Picture::number(3, 0, true)),
                   column("Nr", "KMB:KambarioNr", 32, ColumnAlign::Left, Picture::text(8)),
                   column("KmbTipas", "KMB:KambarioTipas", 80, ColumnAlign::Left, Picture::text(40)),
                   column("Gyv", "SKMB:KambarioGyventojuSkc", 16, ColumnAlign::Right, Picture::number(3)),
                   column("Kaina", "SKMB:KambarioKaina", 36, ColumnAlign::Right, Picture::number(10, 2)),
                   column("Pastabos", "SKMB:Pastabos", 100, ColumnAlign::Left, Picture::text(50))},
                  "UpdateSaskKmb", RoomsTab, 0),
        childList("RedSaskaitEilutes", TableId::Saskeil, "SEI:IrasoNr", std::string(LinesOrder),
                  {column("Suteiktos paslaugos", "SEI:PasPav", 120, ColumnAlign::Left, Picture::text(40)),
                   column("Mat.vnt.", "SEI:MATVNT", 32, ColumnAlign::Left, Picture::text(10)),
                   column("Nuo", "SEI:GYVENANUO", 50, ColumnAlign::Left, Picture::date()),
                   column("Iki", "SEI:GYVENAIKI", 50, ColumnAlign::Left, Picture::date()),
                   column("Kaina", "SEI:KAINA", 44, ColumnAlign::Right, Picture::number(13, 4)),
                   column("Kiekis", "SEI:KIEKIS", 40, ColumnAlign::Right, Picture::number(14, 3)),
                   column("%", "SEI:PVMPROC", 20, ColumnAlign::Right, Picture::number(6, 2)),
                   column("Suma", "SEI:SUMA", 44, ColumnAlign::Right, Picture::number(14, 2))},
                  "UpdateSaskeil", InvoiceTab, 5),
        childList("RedSaskaitMokejimai", TableId::Mokej, "MOK:SaskIrasoNr", std::string(PaymentsOrder),
                  {column("ID", "MOK:IrasoNr", 28, ColumnAlign::Right, Picture::number(8)),
                   column("Mokdata", "MOK:MokDt", 40, ColumnAlign::Left, Picture::date()),
                   column("MokNr.", "MOK:MOKNR", 32, ColumnAlign::Right, Picture::number(8)),
                   column("Suma", "MOK:MOKSUMA", 44, ColumnAlign::Right, Picture::number(14, 2)),
                   column("MB", "MOK:MokejimoBudas", 16, ColumnAlign::Right, Picture::number(4)),
                   column("Komentaras", "MOK:KOMENTARAI", 120, ColumnAlign::Left, Picture::text(150))},
                  "RedMokej", PaymentsTab, 0),
    };
    // A room changes the rooms' totals and text, a line the invoice totals; a payment changes neither,
    // so totals typed over on the invoice tab stand while the payment is taken.
    config.children[0].closed = recomputeRooms;
    config.children[1].closed = recomputeInvoice;
    config.children[2].closed = recomputeBalance;
    config.children[0].list.joins = {TableId::Kamb};
    config.workingValues = {
        {"Kaina už parą:", std::string(RoomsPriceVariable), RoomsTab, Picture::number(12, 2)},
        {"Kambarių skaičius:", std::string(RoomsCountVariable), RoomsTab, Picture::number(6)},
        {"Gyventojų skaičius:", std::string(RoomsResidentsVariable), RoomsTab, Picture::number(6)},
        {"Sumokėta:", std::string(PaidVariable), InvoiceTab, Picture::number(14, 2), SAS::BSUMASUPVM.index},
        {"Liko mokėti:", std::string(DueVariable), InvoiceTab, Picture::number(14, 2), SAS::BSUMASUPVM.index},
    };
    config.derived = {SAS::BSUMA.index, SAS::PVMPROC.index, SAS::PVMSUMA.index, SAS::BSUMASUPVM.index,
                      SAS::KAMBARIAI.index};
    config.keyNames = {
        {SAS::IRASONRKEY.index, "Pagal įrašo Nr."},
        {SAS::IDTKEY.index, "Pagal įrašo datą"},
        {SAS::DTSASNRKEY.index, "Pagal datą"},
        {SAS::KLIKODKEY.index, "Pagal klientą"},
        {SAS::SASNRKEY.index, "Pagal numerį"},
        {SAS::APMBUDAKEY.index, "pagal apmokėjimo būdus"},
        {SAS::DTVALSTKEY.index, "pagal valstybes"},
        {SAS::GYVENTKEY.index, "pagal gyventojus"},
        {SAS::VALSTKEY.index, "pagal valstybę"},
        {SAS::ISVYKESKEY.index, "pagal išvykimą"},
        {SAS::ISVYKESPAVKEY.index, "pagal isvykima ir pavarde"},
        {SAS::ISVDATAKEY.index, "pagal išvykimo data"},
        {SAS::DTGRUPKEY.index, "pagal datą ir grupę"},
        {SAS::GRUPKEY.index, "pagal grupes"},
        {SAS::ISVKLIENTGR.index, "pagal išvykimą, klienta, grupę"},
        {SAS::ATVDTKEY.index, "Pagal atvykimo datą"},
    };
    config.hooks.prime = primeRegistration;
    config.hooks.opened = [](FormEngine& form) {
        recomputeRooms(form);
        recomputeInvoice(form);
    };
    config.hooks.accepted = registrationFieldAccepted;
    config.hooks.check = registrationCheck;
    config.hooks.confirm = offerPaid;
    config.titleDetail = [](const FormEngine& form) {
        return form.record().get(SAS::Gyventojas);
    };
    return config;
}

} // namespace

std::shared_ptr<const FormConfig> RedSaskait() {
    // Built once: the front desk opens the form for every registration it shows, and building it
    // costs more than reading the registration.
    static const auto config = std::make_shared<const FormConfig>(registrationForm());
    return config;
}

FormConfig UpdateSaskKmb() {
    FormConfig config;
    config.name = "UpdateSaskKmb";
    config.helpTopic = config.name;
    config.caption = "UŽIMAMO KAMBARIO ĮRAŠAS";
    config.table = TableId::SaskKmb;
    config.insertTitle = "Naujas įrašas";
    config.changeTitle = "Įrašas keičiamas";
    config.viewTitle = "Įrašo peržiūra";
    FormField registration("Įrašo Nr:", SKMB::IrasoNr.index);
    registration.readOnly = true;
    registration.history = false;
    FormField room("Kambarys:", SKMB::KambarioID.index, "Kambario unikalus identifikatorius");
    room.lookUp.emplace(TableId::Kamb, KMB::KambarioID.index, KMB::IDKEY.index, "SelectKamb");
    room.required = true;
    room.beside = roomBeside;
    FormField residents("Kambario gyventojų skaičius:", SKMB::KambarioGyventojuSkc.index,
                        "Faktinis kambario gyventojų skaičius. Naudojamas kambarių užimtumo ataskaitose.");
    residents.minimum = Decimal(0);
    config.fields = {registration,
                     room,
                     {"Kaina už parą:", SKMB::KambarioKaina.index, "Faktinė kambario kaina."},
                     residents,
                     {"Pastabos:", SKMB::Pastabos.index}};
    config.keyNames = {{SKMB::INRKMBIDKEY.index, "pagal įrašo Nr."},
                       {SKMB::KMBIDINRKEY.index, "pagal kambario Nr."}};
    config.hooks.accepted = occupiedRoomAccepted;
    config.hooks.confirm = confirmOccupiedRoom;
    return config;
}

} // namespace nakva

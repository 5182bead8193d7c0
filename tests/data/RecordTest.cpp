#include "data/Record.h"

#include <gtest/gtest.h>

namespace nakva {
namespace {

Decimal dec(const char* text) {
    return *Decimal::parse(text);
}

TEST(Record, StartsAndClearsToBlanksAndZeros) {
    Record rec(TableId::Saskait);
    EXPECT_EQ(rec.fieldCount(), 34);
    EXPECT_EQ(rec.get(SAS::GyvenaNuo), NoDate);
    EXPECT_EQ(rec.get(SAS::Gyventojas), "");
    EXPECT_EQ(rec.get(SAS::Isvykes), 0);
    EXPECT_EQ(rec.get(SAS::BSUMA), 0);

    rec.set(SAS::GyvenaNuo, dateFromYmd(2024, 4, 15));
    rec.set(SAS::Gyventojas, "Jonaitis");
    ASSERT_TRUE(rec.set(SAS::BSUMA, dec("12.5")));
    ASSERT_TRUE(rec.set(SAS::Isvykes, 1));
    rec.clear();
    EXPECT_EQ(rec, Record(TableId::Saskait));
    EXPECT_EQ(rec.text("SAS:GyvenaNuo"), "");
    EXPECT_EQ(rec.text("SAS:BSUMA"), "0.00");
    EXPECT_EQ(rec.text("SAS:Isvykes"), "0");
}

TEST(Record, GroupFieldsHoldNothingOfTheirOwn) {
    Record payer(TableId::Klient);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(payer.value("KLI:REKV1")));
    EXPECT_EQ(payer.text("KLI:REKV1"), "");
    EXPECT_FALSE(payer.setText("KLI:REKV1", "x"));
}

TEST(Record, CopiesCompareEqualUntilAFieldChanges) {
    Record form(TableId::Valstyb);
    form.set(VAL::Valstybe, "Lietuva");
    const Record opened = form;
    EXPECT_EQ(form, opened);

    form.set(VAL::Valstybe, "Lietuva   ");
    EXPECT_EQ(form, opened) << "trailing blanks are not a change";
    form.set(VAL::Valstybe, "LIETUVA");
    EXPECT_NE(form, opened) << "letter case is a change";
    EXPECT_FALSE(form.sameValue(opened, VAL::Valstybe.index));

    Record room(TableId::Kamb);
    const Record otherRoom = room;
    ASSERT_TRUE(room.set(KMB::KAMBARIOKAINA, dec("40")));
    EXPECT_NE(room, otherRoom);
    ASSERT_TRUE(room.set(KMB::KAMBARIOKAINA, dec("0.000")));
    EXPECT_EQ(room, otherRoom) << "decimals compare by value";

    EXPECT_NE(Record(TableId::KmbPatal), Record(TableId::KmbRanks)) << "same layout, other table";
}

struct CutCase {
    const char* typed;
    const char* stored; // SAS:SaskSer is STRING(5)
};

TEST(Record, TextIsCutToTheFieldWidthInCharacters) {
    const CutCase cases[] = {
        {"ABCDEFG", "ABCDE"},
        {"ĄČĘĖĮŠŲŪ", "ĄČĘĖĮ"}, // five letters, ten bytes of UTF-8
        {"AB   ", "AB"},
        {"  AB", "  AB"}, // leading blanks are kept
        {"", ""},
    };
    for (const CutCase& c : cases) {
        Record rec(TableId::Saskait);
        EXPECT_TRUE(rec.set(SAS::SaskSer, c.typed)) << c.typed;
        EXPECT_EQ(rec.get(SAS::SaskSer), c.stored) << c.typed;
    }
}

TEST(Record, CharacterOutsideWindows1257IsRefusedAndTheValueKept) {
    const char* refused[] = {"Ω", "Jonas 😀", "Ωmega", "日本", "A\xC4"};
    for (const char* typed : refused) {
        Record rec(TableId::Saskait);
        rec.set(SAS::Gyventojas, "Petras");
        const SetResult result = rec.set(SAS::Gyventojas, typed);
        EXPECT_FALSE(result.ok()) << typed;
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(rec.get(SAS::Gyventojas), "Petras");
        EXPECT_FALSE(rec.setText("SAS:Gyventojas", typed));
        EXPECT_FALSE(rec.setValue(SAS::Gyventojas.index, std::string(typed)));
        EXPECT_EQ(rec.get(SAS::Gyventojas), "Petras");
    }
    Record rec(TableId::Saskait);
    EXPECT_TRUE(rec.set(SAS::Gyventojas, "Žąsų Ūla „Ąžuolas“ – €5"));
}

struct DecimalCase {
    const char* field;
    const char* given;
    const char* stored; // nullptr: refused, the field keeps "7"
};

TEST(Record, DecimalsAreRoundedToTheFieldPlacesAndOverflowIsRefused) {
    const DecimalCase cases[] = {
        {"SAS:BSUMA", "0.005", "0.01"},
        {"SAS:BSUMA", "-0.005", "-0.01"},
        {"SAS:BSUMA", "8.2644628", "8.26"},
        {"SEI:KAINA", "1.23455", "1.2346"},
        {"SEI:KIEKIS", "2", "2.000"},
        {"KMB:KAMBARIOKAINA", "99999.99", "99999.99"},
        {"KMB:KAMBARIOKAINA", "-99999.99", "-99999.99"},
        {"KMB:KAMBARIOKAINA", "123456.78", nullptr},
        {"KMB:KAMBARIOKAINA", "99999.995", nullptr}, // rounds up to 100000.00
        {"SAS:PVMPROC", "1000", nullptr},
        {"KPAT:KIEKIS", "999999.9994", "999999.999"},
    };
    for (const DecimalCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.given);
        const auto ref = Dictionary::instance().findField(c.field);
        ASSERT_TRUE(ref);
        Record rec(*ref->table);
        ASSERT_TRUE(rec.setValue(ref->field, std::int64_t(7)));
        const SetResult result = rec.setValue(ref->field, dec(c.given));
        EXPECT_EQ(result.ok(), c.stored != nullptr) << result.error;
        EXPECT_EQ(rec.text(ref->field), c.stored ? c.stored : rec.text(ref->field));
        if (!c.stored) {
            EXPECT_EQ(std::get<Decimal>(rec.value(ref->field)), 7);
        }
    }
}

TEST(Record, ByteRefusesValuesOutside0To255) {
    Record rec(TableId::Kamb);
    EXPECT_TRUE(rec.set(KMB::KambarysNenaudojamas, 255));
    EXPECT_FALSE(rec.set(KMB::KambarysNenaudojamas, 256));
    EXPECT_FALSE(rec.set(KMB::KambarysNenaudojamas, -1));
    EXPECT_FALSE(rec.setText("KMB:KambarysNenaudojamas", "300"));
    EXPECT_EQ(rec.get(KMB::KambarysNenaudojamas), 255);
}

struct TextCase {
    const char* field;
    const char* typed;
    const char* shown; // nullptr: refused
};

TEST(Record, SetFromTextAndFormatAsText) {
    const TextCase cases[] = {
        {"SAS:GyvenaNuo", "2024-04-15", "2024-04-15"},
        {"SAS:GyvenaNuo", "20240415", "2024-04-15"},
        {"SAS:GyvenaNuo", "", ""},
        {"SAS:GyvenaNuo", "2023-02-29", nullptr},
        {"SAS:GyvenaNuo", "1800-12-31", nullptr},
        {"SAS:SaskNr", " 42 ", "42"},
        {"SAS:SaskNr", "-7", "-7"},
        {"SAS:SaskNr", "+7", "7"},
        {"SAS:SaskNr", "", "0"},
        {"SAS:SaskNr", "4.5", nullptr},
        {"SAS:SaskNr", "12a", nullptr},
        {"SAS:SaskNr", "2147483647", "2147483647"},
        {"SAS:SaskNr", "2147483648", nullptr},
        {"SAS:SaskNr", "99999999999999999999999", nullptr},
        {"SAS:AVANSAS", "12.5", "12.50"},
        {"SAS:AVANSAS", "12,5", "12.50"},
        {"SAS:AVANSAS", "", "0.00"},
        {"SAS:AVANSAS", "1.2.3", nullptr},
        {"SAS:AVANSAS", "1 000", nullptr},
        {"SAS:ISSIUSTA", "1", "1"},
        {"SAS:KliKod", "UAB „Ąžuolas“", "UAB „Ąžuolas“"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " \"" + c.typed + "\"");
        Record rec(TableId::Saskait);
        const bool isDate = rec.table().fields[rec.table().fieldIndex(c.field)].isDate;
        ASSERT_TRUE(rec.setText(c.field, isDate ? "2000-01-01" : "3"));
        const std::string before = rec.text(c.field);
        const SetResult result = rec.setText(c.field, c.typed);
        EXPECT_EQ(result.ok(), c.shown != nullptr);
        EXPECT_EQ(rec.text(c.field), c.shown ? c.shown : before);
        if (!result.ok()) {
            EXPECT_FALSE(result.error.empty());
        }
    }
}

TEST(Record, GenericValuesByNameInAnyLetterCase) {
    Record rec(TableId::Saskait);
    ASSERT_TRUE(rec.setValue("sas:gyvenanuo", std::int64_t(dateFromYmd(2024, 1, 2))));
    EXPECT_EQ(rec.get(SAS::GyvenaNuo), dateFromYmd(2024, 1, 2));
    EXPECT_EQ(std::get<std::int64_t>(rec.value("SAS1:GYVENANUO")), dateFromYmd(2024, 1, 2));

    EXPECT_FALSE(rec.setValue("SAS:SaskNr", std::string("5"))) << "a text is not a number";
    EXPECT_FALSE(rec.setValue("SAS:Gyventojas", std::int64_t(5))) << "a number is not a text";
    EXPECT_FALSE(rec.setValue("SAS:SaskNr", dec("2.5")));
    EXPECT_TRUE(rec.setValue("SAS:SaskNr", dec("2.0")));
    EXPECT_EQ(rec.get(SAS::SaskNr), 2);
    EXPECT_FALSE(rec.setValue("SAS:SaskNr", std::int64_t(1) << 40));
    EXPECT_EQ(rec.get(SAS::SaskNr), 2);
    EXPECT_TRUE(rec.setValue("SAS:SaskNr", std::monostate()));
    EXPECT_EQ(rec.get(SAS::SaskNr), 0);

    EXPECT_THROW((void)rec.value("SAS:Nera"), std::invalid_argument);
}

TEST(Record, StoredFormsForTheRecordStore) {
    Record line(TableId::Saskeil);
    ASSERT_TRUE(line.set(SEI::KAINA, dec("1.5")));
    EXPECT_EQ(line.storedScaled(SEI::KAINA.index), 15000);
    line.setStoredScaled(SEI::SUMA.index, -1234);
    EXPECT_EQ(line.get(SEI::SUMA), dec("-12.34"));
    line.setStoredText(SEI::PasPav.index, "Nakvynė   ");
    EXPECT_EQ(line.storedText(SEI::PasPav.index), "Nakvynė");
    line.setStoredInteger(SEI::GYVENANUO.index, 81000);
    EXPECT_EQ(line.get(SEI::GYVENANUO), 81000);
}

TEST(Record, HandleOfAnotherTableIsAProgrammingError) {
    Record room(TableId::Kamb);
    EXPECT_THROW((void)room.get(SKMB::KambarioID), std::logic_error);
    EXPECT_NO_THROW((void)room.get(KMB1::KambarioID));
}

} // namespace
} // namespace nakva

#include "data/Dictionary.h"
#include "data/Fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace nakva {
namespace {

const Dictionary& dict() {
    return Dictionary::instance();
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) {
        text += (text.empty() ? "" : ",") + part;
    }
    return text;
}

// ---- Tables -----------------------------------------------------------------------------------------

struct TableRow {
    TableId id;
    const char* name;
    const char* prefix;
    const char* secondPrefix;
    int fieldCount; // group fields included
    const char* recordNumberField;
    const char* identityKey;
};

const TableRow tableRows[] = {
    {TableId::IstgPar, "IstgPar", "IST", "", 20, "", "IST:RA"},
    {TableId::Kamb, "Kamb", "KMB", "KMB1", 9, "KMB:KambarioID", "KMB:IDKEY"},
    {TableId::SaskKmb, "SaskKmb", "SKMB", "SKMB1", 5, "", "SKMB:INRKMBIDKEY"},
    {TableId::Saskait, "Saskait", "SAS", "SAS1", 34, "SAS:IrasoNr", "SAS:IRASONRKEY"},
    {TableId::Grupes, "Grupes", "GRP", "", 1, "", "GRP:Key_Grupe"},
    {TableId::Saskeil, "Saskeil", "SEI", "", 17, "SEI:SEILID", "SEI:ID_KEY"},
    {TableId::Seilgraf, "Seilgraf", "SEIG", "", 6, "SEIG:SEILGID", "SEIG:ID_KEY"},
    {TableId::Mokej, "Mokej", "MOK", "", 9, "MOK:IrasoNr", "MOK:IRASONRKEY"},
    {TableId::PaslGrp, "PaslGrp", "PGRP", "", 2, "PGRP:IrasoNr", "PGRP:IRASONR_KEY"},
    {TableId::KmbTipai, "KmbTipai", "KTIP", "", 1, "", "KTIP:KTIPAS"},
    {TableId::MokBudai, "MokBudai", "MOK1", "", 2, "MOK1:MokBudoID", "MOK1:MOKBUDOIDKEY"},
    {TableId::Valyt, "Valyt", "VALYT", "", 1, "", "VALYT:KEYPAV"},
    {TableId::KmbPatal, "KmbPatal", "KPAT", "", 4, "KPAT:IrasoID", "KPAT:KEY_ID"},
    {TableId::KmbRanks, "KmbRanks", "KRANK", "", 4, "KRANK:IrasoID", "KRANK:KEY_ID"},
    {TableId::Paslaug, "Paslaug", "PAS", "", 8, "", "PAS:PASLKEY"},
    {TableId::Klient, "Klient", "KLI", "", 10, "", "KLI:KODKEY"},
    {TableId::Valstyb, "Valstyb", "VAL", "", 1, "", "VAL:Key_Valst"},
    {TableId::KmbVal, "KmbVal", "KVAL", "", 5, "KVAL:IrasoID", "KVAL:KEY_ID"},
    {TableId::PvmTarif, "PvmTarif", "PVMT", "", 3, "", "PVMT:PROCKEY"},
};

TEST(DictionaryTables, EveryTableInOrderWithItsFilePrefixAndIdentity) {
    ASSERT_EQ(dict().tables().size(), std::size(tableRows));
    for (std::size_t i = 0; i < std::size(tableRows); ++i) {
        const TableRow& row = tableRows[i];
        const TableDef& table = dict().tables()[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(table.id, row.id);
        EXPECT_EQ(&dict().table(row.id), &table);
        EXPECT_EQ(table.name, row.name);
        EXPECT_EQ(table.prefix, row.prefix);
        EXPECT_EQ(table.secondPrefix, row.secondPrefix);
        EXPECT_EQ(table.fileName(), "DATA/" + std::string(row.name) + ".tps");
        EXPECT_EQ(int(table.fields.size()), row.fieldCount);
        const std::string numberField =
            table.recordNumberField < 0 ? "" : std::string(table.fields[table.recordNumberField].name);
        EXPECT_EQ(numberField, row.recordNumberField);
        EXPECT_EQ(table.keys.at(table.identityKey).name, row.identityKey);
    }
}

TEST(DictionaryTables, OnlyTheVatRatesCameAfterTheFirstRelease) {
    for (const TableDef& table : dict().tables()) {
        EXPECT_EQ(table.addedLater, table.id == TableId::PvmTarif) << table.name;
    }
}

TEST(DictionaryTables, MessagesNameSeilgrafTheirOwnWay) {
    EXPECT_EQ(dict().table(TableId::Seilgraf).messageName(), "SEilGraf");
    EXPECT_EQ(dict().table(TableId::Saskait).messageName(), "Saskait");
}

TEST(DictionaryTables, FoundByNameAndPrefixInAnyLetterCase) {
    EXPECT_EQ(dict().findTable("saskait"), &dict().table(TableId::Saskait));
    EXPECT_EQ(dict().findByPrefix("sas1"), &dict().table(TableId::Saskait));
    EXPECT_EQ(dict().findByPrefix("MOK1"), &dict().table(TableId::MokBudai));
    EXPECT_EQ(dict().findByPrefix("SEI1"), nullptr);
    EXPECT_EQ(dict().findTable("Sask"), nullptr);
}

// ---- Fields -----------------------------------------------------------------------------------------

struct FieldRow {
    const char* name;
    FieldType type;
    int size;
    int places;
};

const FieldRow sampleFields[] = {
    {"IST:ISTAIGA", FieldType::String, 50, 0},
    {"IST:PVMPROC", FieldType::Decimal, 5, 2},
    {"IST:PAST1", FieldType::String, 70, 0},
    {"KMB:KambarioNr", FieldType::String, 8, 0},
    {"KMB:KAMBARIOKAINA", FieldType::Decimal, 7, 2},
    {"KMB:KAMBARIOPASTABOS", FieldType::String, 100, 0},
    {"KMB:KambarysNenaudojamas", FieldType::Byte, 0, 0},
    {"SKMB:Pastabos", FieldType::String, 50, 0},
    {"SAS:SaskSer", FieldType::String, 5, 0},
    {"SAS:PVMSUMA", FieldType::Decimal, 9, 2},
    {"SAS:GYVENTOJOAK", FieldType::String, 11, 0},
    {"SAS:Gyventojas", FieldType::String, 35, 0},
    {"SAS:Isvykes", FieldType::Byte, 0, 0},
    {"SAS:KOMENTARAI", FieldType::String, 150, 0},
    {"SEI:KIEKISPERDIENA", FieldType::Decimal, 13, 3},
    {"SEI:KAINA", FieldType::Decimal, 11, 4},
    {"SEI:MATVNT", FieldType::String, 10, 0},
    {"SEIG:SUMA", FieldType::Decimal, 11, 2},
    {"MOK:MOKSER", FieldType::String, 5, 0},
    {"MOK:MokejimoBudas", FieldType::Long, 0, 0},
    {"PGRP:GrpPav", FieldType::String, 30, 0},
    {"KTIP:KambarioTipas", FieldType::String, 40, 0},
    {"MOK1:MOKBUDOPAV", FieldType::String, 50, 0},
    {"KPAT:KIEKIS", FieldType::Decimal, 9, 3},
    {"PAS:KAINSUPVM", FieldType::Decimal, 11, 4},
    {"PAS:PKod", FieldType::String, 20, 0},
    {"KLI:ATS", FieldType::String, 30, 0},
    {"KLI:GAVADR", FieldType::String, 50, 0},
    {"VAL:Valstybe", FieldType::String, 20, 0},
    {"KVAL:ValytPav", FieldType::String, 30, 0},
};

TEST(DictionaryFields, SampleTypesWidthsAndPlaces) {
    for (const FieldRow& row : sampleFields) {
        SCOPED_TRACE(row.name);
        const auto ref = dict().findField(row.name);
        ASSERT_TRUE(ref);
        const FieldDef& field = ref->table->fields[ref->field];
        EXPECT_EQ(field.name, row.name);
        EXPECT_EQ(field.type, row.type);
        if (row.type == FieldType::String || row.type == FieldType::Decimal) {
            EXPECT_EQ(field.size, row.size);
            EXPECT_EQ(field.places, row.places);
        }
    }
}

TEST(DictionaryFields, RecordOrderOfARegistration) {
    const char* expected[] = {"IrasoNr",
                              "IrasoDt",
                              "SaskSer",
                              "SaskNr",
                              "SaskDt",
                              "KliKod",
                              "BSUMA",
                              "PVMPROC",
                              "PVMSUMA",
                              "BSUMASUPVM",
                              "KAMBARIAI",
                              "Gyventojas",
                              "GYVENTOJOAK",
                              "GYVENTOJOADRESAS",
                              "GYVENTOJOVALSTYBE",
                              "GyventojoGrupe",
                              "GYVENTOJOTAUTYBE",
                              "ASMENSDOK",
                              "GYVENTOJUSKC",
                              "GyvenaNuo",
                              "GyvenaIki",
                              "Isvykes",
                              "GYVENAPARU",
                              "GYVENALOVADIENIU",
                              "MOKEJIMOBUDAS",
                              "AVANSAS",
                              "PUSRYCIUSK",
                              "PUSRYCIUVAIK",
                              "PAPPATALYNE",
                              "ISSIUSTA",
                              "APMOKETA",
                              "PAST",
                              "PAST1",
                              "KOMENTARAI"};
    const auto& fields = dict().table(TableId::Saskait).fields;
    ASSERT_EQ(fields.size(), std::size(expected));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].bareName(), expected[i]);
    }
}

TEST(DictionaryFields, ExactlyTheDateFieldsAreMarkedAsDates) {
    const std::set<std::string> expected = {
        "SAS:IrasoDt", "SAS:SaskDt", "SAS:GyvenaNuo", "SAS:GyvenaIki", "SEI:GYVENANUO", "SEI:GYVENAIKI",
        "SEIG:Data",   "MOK:MokDt",  "KPAT:IrasoDt",  "KRANK:IrasoDt", "KVAL:IrasoDt"};
    std::set<std::string> marked;
    for (const TableDef& table : dict().tables()) {
        for (const FieldDef& field : table.fields) {
            if (field.isDate) {
                EXPECT_EQ(field.type, FieldType::Long) << field.name;
                marked.emplace(field.name);
            }
        }
    }
    EXPECT_EQ(marked, expected);
}

TEST(DictionaryFields, GroupsCountTheMembersThatFollow) {
    const auto& institution = dict().table(TableId::IstgPar);
    const int signatures = institution.fieldIndex("IST:PASIR");
    ASSERT_GE(signatures, 0);
    EXPECT_EQ(institution.fields[signatures].type, FieldType::Group);
    EXPECT_EQ(institution.fields[signatures].size, 6);
    EXPECT_EQ(institution.fields[signatures + 1].name, "IST:PAR1");
    EXPECT_EQ(institution.fields[signatures + 6].name, "IST:PAV3");

    const auto& payers = dict().table(TableId::Klient);
    const int particulars = payers.fieldIndex("REKV1");
    ASSERT_EQ(particulars, 1);
    EXPECT_EQ(payers.fields[particulars].type, FieldType::Group);
    EXPECT_EQ(payers.fields[particulars].size, 8);
    EXPECT_EQ(payers.fields[particulars + 1].name, "KLI:PAV");
    EXPECT_EQ(payers.fields[particulars + 8].name, "KLI:GAVADR");
}

TEST(DictionaryFields, NamesResolveInAnyLetterCaseAndThroughSecondBuffers) {
    const auto plain = dict().findField("sas:gyvenanuo");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->table->id, TableId::Saskait);
    EXPECT_EQ(plain->table->fields[plain->field].name, "SAS:GyvenaNuo");
    EXPECT_FALSE(plain->secondBuffer);

    const auto second = dict().findField("SAS1:GyvenaNuo");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->field, plain->field);
    EXPECT_TRUE(second->secondBuffer);

    EXPECT_TRUE(dict().findField("kmb1:KAMBARIOID"));
    EXPECT_FALSE(dict().findField("SEI1:SEILID"));
    EXPECT_FALSE(dict().findField("GyvenaNuo")); // a field in an expression needs its prefix
    EXPECT_FALSE(dict().findField("SAS:Gyvena"));
    EXPECT_FALSE(dict().findField("KMB:IrasoNr")); // a field of another table

    const TableDef& registrations = dict().table(TableId::Saskait);
    EXPECT_EQ(registrations.fieldIndex("GYVENANUO"), plain->field);
    EXPECT_EQ(registrations.fieldIndex("sas1:GyvenaNuo"), plain->field);
    EXPECT_EQ(registrations.fieldIndex("KMB:GyvenaNuo"), -1);
}

// The names are looked up through an index built with the dictionary: every field of every table must
// come back as itself, whatever the letter case and whichever of the table's prefixes names it.
TEST(DictionaryFields, EveryFieldIsFoundAsItselfInAnyCase) {
    const auto lower = [](std::string text) {
        for (char& c : text) {
            c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        }
        return text;
    };
    for (const TableDef& table : dict().tables()) {
        for (int i = 0; i < int(table.fields.size()); ++i) {
            const std::string name(table.fields[std::size_t(i)].name);
            const std::string bare(table.fields[std::size_t(i)].bareName());
            EXPECT_EQ(table.fieldIndex(bare), i) << name;
            EXPECT_EQ(table.fieldIndex(lower(name)), i) << name;
            const auto found = dict().findField(lower(name));
            ASSERT_TRUE(found) << name;
            EXPECT_EQ(found->table, &table) << name;
            EXPECT_EQ(found->field, i) << name;
            if (!table.secondPrefix.empty()) {
                const auto second = dict().findField(lower(std::string(table.secondPrefix)) + ":" + bare);
                ASSERT_TRUE(second) << name;
                EXPECT_EQ(second->field, i) << name;
                EXPECT_TRUE(second->secondBuffer) << name;
            }
        }
        EXPECT_EQ(table.fieldIndex(std::string(table.fields.front().bareName()) + "X"), -1) << table.name;
    }
}

TEST(DictionaryFields, TypedHandlesNameTheDictionaryFields) {
    const auto index = [](const char* name) {
        return dict().findField(name)->field;
    };
    EXPECT_EQ(SAS::GyvenaNuo.index, index("SAS:GyvenaNuo"));
    EXPECT_EQ(SAS1::KOMENTARAI.index, index("SAS:KOMENTARAI"));
    EXPECT_EQ(KLI::GAVADR.index, index("KLI:GAVADR"));
    EXPECT_EQ(SEIG::Data.index, index("SEIG:Data"));
    EXPECT_EQ(SAS::ATVDTKEY.index, dict().table(TableId::Saskait).keyIndex("SAS:ATVDTKEY"));
    static_assert(SAS::table == TableId::Saskait && KMB1::table == TableId::Kamb);
}

// ---- Keys -------------------------------------------------------------------------------------------

struct KeyRow {
    const char* name;
    const char* components;
    bool unique;
    bool caseSensitive;
    bool primary;
};

constexpr bool U = true;  // unique
constexpr bool D = false; // duplicates allowed
constexpr bool P = true;  // marked primary

const KeyRow keyRows[] = {
    {"IST:RA", "IST:ISTAIGA", D, false, false},
    {"KMB:IDKEY", "KMB:KambarioID", U, false, P},
    {"KMB:KORPAUKSTNR", "KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,KMB:KambarioID", U, false,
     false},
    {"KMB:TIPASNRKEY",
     "KMB:KambarioTipas,KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,KMB:KambarioID", U, false,
     false},
    {"SKMB:INRKMBIDKEY", "SKMB:IrasoNr,SKMB:KambarioID", U, false, P},
    {"SKMB:KMBIDINRKEY", "SKMB:KambarioID,SKMB:IrasoNr", U, false, false},
    {"SAS:IRASONRKEY", "SAS:IrasoNr", U, false, P},
    {"SAS:IDTKEY", "SAS:IrasoDt,SAS:IrasoNr", U, false, false},
    {"SAS:DTSASNRKEY", "SAS:SaskDt,SAS:SaskSer,SAS:SaskNr,SAS:IrasoNr", U, false, false},
    {"SAS:KLIKODKEY", "SAS:KliKod,SAS:SaskDt,SAS:IrasoNr", U, false, false},
    {"SAS:SASNRKEY", "SAS:SaskSer,SAS:SaskNr,SAS:IrasoNr", U, false, false},
    {"SAS:APMBUDAKEY", "SAS:SaskDt,SAS:MOKEJIMOBUDAS,SAS:IrasoNr", U, false, false},
    {"SAS:DTVALSTKEY", "SAS:IrasoDt,SAS:GYVENTOJOVALSTYBE,SAS:IrasoNr", U, false, false},
    {"SAS:GYVENTKEY", "SAS:Gyventojas,SAS:IrasoNr", U, false, false},
    {"SAS:VALSTKEY", "SAS:GYVENTOJOVALSTYBE,SAS:IrasoNr", U, false, false},
    {"SAS:ISVYKESKEY", "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr", U, false, false},
    {"SAS:ISVYKESPAVKEY", "SAS:Isvykes,SAS:Gyventojas,SAS:IrasoNr", U, false, false},
    {"SAS:ISVDATAKEY", "SAS:GyvenaIki,SAS:Gyventojas,SAS:IrasoNr", U, false, false},
    {"SAS:DTGRUPKEY", "SAS:IrasoDt,SAS:GyventojoGrupe,SAS:IrasoNr", U, false, false},
    {"SAS:GRUPKEY", "SAS:GyventojoGrupe,SAS:IrasoNr", U, false, false},
    {"SAS:ISVKLIENTGR", "SAS:GyvenaIki,SAS:KliKod,SAS:GyventojoGrupe,SAS:IrasoNr", U, false, false},
    {"SAS:ATVDTKEY", "SAS:GyvenaNuo,SAS:IrasoNr", U, false, false},
    {"GRP:Key_Grupe", "GRP:Grupe", U, false, P},
    {"SEI:ID_KEY", "SEI:SEILID", U, false, false},
    {"SEI:INRKEY", "SEI:IrasoNr,SEI:SEILID", U, false, false},
    {"SEI:PASLKEY", "SEI:PasPav,SEI:IrasoNr,SEI:SEILID", U, false, false},
    {"SEIG:ID_KEY", "SEIG:SEILGID", U, false, false},
    {"SEIG:DT_KEY", "SEIG:Data,SEIG:SEILGID", U, false, false},
    {"SEIG:EILID_KEY", "SEIG:SEILID,SEIG:Data,SEIG:SEILGID", U, false, false},
    {"MOK:IRASONRKEY", "MOK:IrasoNr", U, false, P},
    {"MOK:IDTKEY", "MOK:MokDt,MOK:IrasoNr", U, false, false},
    {"MOK:SASKIDMOKIDKEY", "MOK:SaskIrasoNr,MOK:IrasoNr", U, false, false},
    {"MOK:DTMOKNRKEY", "MOK:MokDt,MOK:MOKSER,MOK:MOKNR,MOK:IrasoNr", U, false, false},
    {"MOK:KLIKODKEY", "MOK:MokKod,MOK:MokDt,MOK:IrasoNr", U, false, false},
    {"MOK:MOKSERNRKEY", "MOK:MOKSER,MOK:MOKNR,MOK:IrasoNr", U, false, false},
    {"MOK:MOKDTAPMBUDAKEY", "MOK:MokDt,MOK:MokejimoBudas,MOK:IrasoNr", U, false, false},
    {"MOK:APMBUDAMOKDTKEY", "MOK:MokejimoBudas,MOK:MokDt,MOK:IrasoNr", U, false, false},
    {"PGRP:IRASONR_KEY", "PGRP:IrasoNr", U, false, P},
    {"PGRP:PASLPAV_KEY", "PGRP:GrpPav,PGRP:IrasoNr", U, false, false},
    {"KTIP:KTIPAS", "KTIP:KambarioTipas", U, false, P},
    {"MOK1:MOKBUDOIDKEY", "MOK1:MokBudoID", U, false, P},
    {"VALYT:KEYPAV", "VALYT:ValytPav", U, false, P},
    {"KPAT:KEY_ID", "KPAT:IrasoID", U, false, P},
    {"KPAT:KEY_DT", "KPAT:IrasoDt,KPAT:KambarioID,KPAT:IrasoID", U, false, false},
    {"KPAT:KEY_KMBDT", "KPAT:KambarioID,KPAT:IrasoDt,KPAT:IrasoID", U, false, false},
    {"KRANK:KEY_ID", "KRANK:IrasoID", U, false, P},
    {"KRANK:KEY_DT", "KRANK:IrasoDt,KRANK:KambarioID,KRANK:IrasoID", U, false, false},
    {"KRANK:KEY_KMBDT", "KRANK:KambarioID,KRANK:IrasoDt,KRANK:IrasoID", U, false, false},
    {"PAS:PASLKEY", "PAS:Pav", U, true, false},
    {"PAS:PKODKEY", "PAS:PKod", D, false, false},
    {"PAS:PASLGRP_KEY", "PAS:PaslGrpNr,PAS:Pav", U, false, false},
    {"KLI:KODKEY", "KLI:Kod", U, false, P},
    {"VAL:Key_Valst", "VAL:Valstybe", U, false, P},
    {"KVAL:KEY_ID", "KVAL:IrasoID", U, false, P},
    {"KVAL:KEY_DTKMBID", "KVAL:IrasoDt,KVAL:KambarioID,KVAL:IrasoID", U, false, false},
    {"KVAL:KEY_KMBDT", "KVAL:KambarioID,KVAL:IrasoDt,KVAL:IrasoID", U, false, false},
    {"KVAL:KEY_VALDT", "KVAL:ValytPav,KVAL:IrasoDt,KVAL:IrasoID", U, false, false},
    {"PVMT:PROCKEY", "PVMT:PVMPROC", U, false, P},
};

TEST(DictionaryKeys, EveryKeyWithItsComponentsInOrderAndItsFlags) {
    std::vector<std::string> dictionaryKeys;
    for (const TableDef& table : dict().tables()) {
        for (const KeyDef& key : table.keys) {
            dictionaryKeys.emplace_back(key.name);
        }
    }
    std::vector<std::string> expectedKeys;
    for (const KeyRow& row : keyRows) {
        expectedKeys.emplace_back(row.name);
    }
    EXPECT_EQ(dictionaryKeys, expectedKeys); // no key missing, none extra, in key order

    for (const KeyRow& row : keyRows) {
        SCOPED_TRACE(row.name);
        const std::string_view name = row.name;
        const TableDef* table = dict().findByPrefix(name.substr(0, name.find(':')));
        ASSERT_NE(table, nullptr);
        const int index = table->keyIndex(row.name);
        ASSERT_GE(index, 0);
        const KeyDef& key = table->keys[index];
        std::vector<std::string> components;
        for (int field : key.components) {
            components.emplace_back(table->fields.at(field).name);
        }
        EXPECT_EQ(joined(components), row.components);
        EXPECT_EQ(key.unique, row.unique);
        EXPECT_EQ(key.caseSensitive, row.caseSensitive);
        EXPECT_EQ(key.primary, row.primary);
    }
}

TEST(DictionaryKeys, FoundWithOrWithoutPrefixInAnyLetterCase) {
    const TableDef& registrations = dict().table(TableId::Saskait);
    const int key = registrations.keyIndex("SAS:GYVENTKEY");
    EXPECT_EQ(registrations.keyIndex("gyventkey"), key);
    EXPECT_EQ(registrations.keyIndex("sas1:GyventKey"), key);
    EXPECT_EQ(registrations.keyIndex("KMB:GYVENTKEY"), -1);
    EXPECT_EQ(registrations.keyIndex("SAS:NERAKEY"), -1);
}

// ---- Relations --------------------------------------------------------------------------------------

struct RelationRow {
    const char* parentField;
    const char* childField;
    DeleteRule onDelete;
};

const RelationRow relationRows[] = {
    {"SAS:IrasoNr", "SKMB:IrasoNr", DeleteRule::Cascade},
    {"SAS:IrasoNr", "SEI:IrasoNr", DeleteRule::Cascade},
    {"SAS:IrasoNr", "MOK:SaskIrasoNr", DeleteRule::Cascade},
    {"SEI:SEILID", "SEIG:SEILID", DeleteRule::Cascade},
    {"KMB:KambarioID", "SKMB:KambarioID", DeleteRule::Refuse},
    {"KMB:KambarioID", "KVAL:KambarioID", DeleteRule::Refuse},
    {"KMB:KambarioID", "KRANK:KambarioID", DeleteRule::Refuse},
    {"KMB:KambarioID", "KPAT:KambarioID", DeleteRule::Refuse},
    {"KTIP:KambarioTipas", "KMB:KambarioTipas", DeleteRule::Refuse},
    {"VAL:Valstybe", "SAS:GYVENTOJOVALSTYBE", DeleteRule::Refuse},
    {"GRP:Grupe", "SAS:GyventojoGrupe", DeleteRule::Refuse},
    {"KLI:Kod", "SAS:KliKod", DeleteRule::Refuse},
    {"KLI:Kod", "MOK:MokKod", DeleteRule::Refuse},
    {"MOK1:MokBudoID", "MOK:MokejimoBudas", DeleteRule::Refuse},
    {"PGRP:IrasoNr", "PAS:PaslGrpNr", DeleteRule::Refuse},
    {"PAS:Pav", "SEI:PasPav", DeleteRule::Refuse},
    {"VALYT:ValytPav", "KVAL:ValytPav", DeleteRule::Refuse},
};

std::string fieldName(TableId table, int field) {
    return std::string(dict().table(table).fields.at(field).name);
}

TEST(DictionaryRelations, EveryRelationWithItsLinkingFieldsAndDeleteRule) {
    ASSERT_EQ(dict().relations().size(), std::size(relationRows));
    for (const RelationRow& row : relationRows) {
        SCOPED_TRACE(row.childField);
        const auto parent = dict().findField(row.parentField);
        const auto child = dict().findField(row.childField);
        ASSERT_TRUE(parent && child);
        const auto found = std::ranges::find_if(dict().relations(), [&](const RelationDef& r) {
            return r.parent == parent->table->id && r.child == child->table->id &&
                   r.parentField == parent->field && r.childField == child->field;
        });
        ASSERT_NE(found, dict().relations().end());
        EXPECT_EQ(found->onDelete, row.onDelete);
    }
}

// "Child (linking field, key)" per child, in the order given.
std::string describe(const std::vector<const RelationDef*>& children) {
    std::vector<std::string> parts;
    for (const RelationDef* relation : children) {
        const TableDef& child = dict().table(relation->child);
        parts.push_back(std::string(child.name) + " " + fieldName(relation->child, relation->childField) +
                        " " + std::string(child.keys.at(relation->childKey).name));
    }
    return joined(parts);
}

struct OrderRow {
    TableId parent;
    const char* forDelete;
    const char* forChange;
};

const OrderRow orderRows[] = {
    {TableId::Valstyb, "Saskait SAS:GYVENTOJOVALSTYBE SAS:VALSTKEY", nullptr},
    {TableId::Valyt, "KmbVal KVAL:ValytPav KVAL:KEY_VALDT", nullptr},
    {TableId::Saskeil, "Seilgraf SEIG:SEILID SEIG:EILID_KEY", nullptr},
    {TableId::Saskait,
     "Mokej MOK:SaskIrasoNr MOK:SASKIDMOKIDKEY,Saskeil SEI:IrasoNr SEI:INRKEY,"
     "SaskKmb SKMB:IrasoNr SKMB:INRKMBIDKEY",
     "SaskKmb SKMB:IrasoNr SKMB:INRKMBIDKEY,Saskeil SEI:IrasoNr SEI:INRKEY,"
     "Mokej MOK:SaskIrasoNr MOK:SASKIDMOKIDKEY"},
    {TableId::PaslGrp, "Paslaug PAS:PaslGrpNr PAS:PASLGRP_KEY", nullptr},
    {TableId::Paslaug, "Saskeil SEI:PasPav SEI:PASLKEY", nullptr},
    {TableId::MokBudai, "Mokej MOK:MokejimoBudas MOK:APMBUDAMOKDTKEY", nullptr},
    {TableId::KmbTipai, "Kamb KMB:KambarioTipas KMB:TIPASNRKEY", nullptr},
    {TableId::Klient, "Mokej MOK:MokKod MOK:KLIKODKEY,Saskait SAS:KliKod SAS:KLIKODKEY",
     "Saskait SAS:KliKod SAS:KLIKODKEY,Mokej MOK:MokKod MOK:KLIKODKEY"},
    {TableId::Kamb,
     "KmbPatal KPAT:KambarioID KPAT:KEY_KMBDT,KmbRanks KRANK:KambarioID KRANK:KEY_KMBDT,"
     "KmbVal KVAL:KambarioID KVAL:KEY_KMBDT,SaskKmb SKMB:KambarioID SKMB:KMBIDINRKEY",
     "SaskKmb SKMB:KambarioID SKMB:KMBIDINRKEY,KmbVal KVAL:KambarioID KVAL:KEY_KMBDT,"
     "KmbRanks KRANK:KambarioID KRANK:KEY_KMBDT,KmbPatal KPAT:KambarioID KPAT:KEY_KMBDT"},
    {TableId::Grupes, "Saskait SAS:GyventojoGrupe SAS:GRUPKEY", nullptr},
    {TableId::SaskKmb, "", nullptr},
    {TableId::Mokej, "", nullptr},
    {TableId::KmbVal, "", nullptr},
    {TableId::KmbRanks, "", nullptr},
    {TableId::KmbPatal, "", nullptr},
    {TableId::Seilgraf, "", nullptr},
    {TableId::IstgPar, "", nullptr},
};

TEST(DictionaryRelations, ChildrenInTheOrderOfDeleteAndOfChange) {
    for (const OrderRow& row : orderRows) {
        SCOPED_TRACE(dict().table(row.parent).name);
        EXPECT_EQ(describe(dict().childrenForDelete(row.parent)), row.forDelete);
        // A single child is walked in the same order by both.
        EXPECT_EQ(describe(dict().childrenForChange(row.parent)),
                  row.forChange ? row.forChange : row.forDelete);
    }
}

TEST(DictionaryRelations, ParentsOfAChild) {
    std::set<TableId> parents;
    for (const RelationDef* relation : dict().parentsOf(TableId::Saskait)) {
        parents.insert(relation->parent);
    }
    EXPECT_EQ(parents, (std::set{TableId::Valstyb, TableId::Grupes, TableId::Klient}));
    EXPECT_TRUE(dict().parentsOf(TableId::IstgPar).empty());
}

TEST(DictionaryRelations, TransactionCoversTheTableItsChildrenAndTheirs) {
    using enum TableId;
    const auto sorted = [](std::vector<TableId> tables) {
        std::ranges::sort(tables);
        return tables;
    };
    EXPECT_EQ(dict().transactionTables(Saskait).front(), Saskait);
    EXPECT_EQ(sorted(dict().transactionTables(Saskait)),
              sorted({Saskait, Mokej, Saskeil, SaskKmb, Seilgraf}));
    EXPECT_EQ(sorted(dict().transactionTables(Valstyb)), sorted({Valstyb, Saskait, Mokej, Saskeil, SaskKmb}));
    EXPECT_EQ(sorted(dict().transactionTables(KmbTipai)),
              sorted({KmbTipai, Kamb, KmbPatal, KmbRanks, KmbVal, SaskKmb}));
    EXPECT_EQ(dict().transactionTables(IstgPar), std::vector{IstgPar});
}

} // namespace
} // namespace nakva

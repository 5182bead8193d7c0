#include "data/TableFormat.h"

#include "data/SqliteConnection.h"
#include "data/StoreError.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace nakva::TableFormat {

namespace {

constexpr std::string_view MetaTable = "nakva_meta";

std::string typeText(const FieldDef& field) {
    switch (field.type) {
    case FieldType::Long:
        return "LONG";
    case FieldType::Byte:
        return "BYTE";
    case FieldType::String:
        return "STRING(" + std::to_string(field.size) + ")";
    case FieldType::Decimal:
        return "DECIMAL(" + std::to_string(field.size) + "," + std::to_string(field.places) + ")";
    case FieldType::Group:
        return "GROUP(" + std::to_string(field.size) + ")";
    }
    return {};
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string createTableSql(const TableDef& table) {
    std::string sql = "CREATE TABLE " + quoteName(table.name) + "(" + quoteName(RowidColumn) +
                      " INTEGER PRIMARY KEY AUTOINCREMENT";
    for (const FieldDef& field : table.fields) {
        if (field.type == FieldType::Group) {
            continue;
        }
        sql += ',';
        sql += columnName(field);
        sql += field.type == FieldType::String ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0";
    }
    sql += ',';
    sql += quoteName(VersionColumn);
    sql += " INTEGER NOT NULL DEFAULT 1)";
    return sql;
}

std::string collationMark() {
    return "LT " + std::to_string(CollationVersion);
}

// The meta table's rows, or an empty map when the file has none.
std::map<std::string, std::string> readMeta(SqliteConnection& connection) {
    std::map<std::string, std::string> meta;
    SqliteStatement& select = connection.prepare("SELECT name, value FROM main." + quoteName(MetaTable));
    StatementReset reset(select);
    while (select.step()) {
        meta.emplace(select.text(0), select.text(1));
    }
    return meta;
}

bool columnsMatch(SqliteConnection& connection, const TableDef& table) {
    std::vector<std::pair<std::string, std::string>> expected{{std::string(RowidColumn), "INTEGER"}};
    for (const FieldDef& field : table.fields) {
        if (field.type != FieldType::Group) {
            expected.emplace_back(field.bareName(), field.type == FieldType::String ? "TEXT" : "INTEGER");
        }
    }
    expected.emplace_back(VersionColumn, "INTEGER");

    SqliteStatement info(connection.handle(), "SELECT name, type FROM pragma_table_info(?1, 'main')");
    info.bind(1, table.name);
    StatementReset reset(info);
    std::size_t i = 0;
    while (info.step()) {
        if (i >= expected.size() || !equalNoCase(info.text(0), expected[i].first) ||
            !equalNoCase(info.text(1), expected[i].second)) {
            return false;
        }
        ++i;
    }
    return i == expected.size();
}

void writeMeta(SqliteConnection& connection, std::string_view name, const std::string& value) {
    SqliteStatement& insert = connection.prepare("INSERT OR REPLACE INTO main." + quoteName(MetaTable) +
                                                 "(name, value) VALUES(?1, ?2)");
    insert.bind(1, name);
    insert.bind(2, value);
    insert.execute();
}

// Runs `work` inside a write transaction on the main file; anything failing rolls it all back.
template <typename Work> void inWriteTransaction(SqliteConnection& connection, Work work) {
    connection.execute("BEGIN IMMEDIATE");
    try {
        work();
        connection.execute("COMMIT");
    } catch (...) {
        if (connection.inTransaction()) {
            connection.execute("ROLLBACK");
        }
        throw;
    }
}

} // namespace

std::string layoutText(const TableDef& table) {
    std::string text(table.name);
    for (const FieldDef& field : table.fields) {
        text += "|";
        text += field.bareName();
        text += ' ';
        text += typeText(field);
    }
    return text;
}

std::string columnName(const FieldDef& field) {
    return quoteName(field.bareName());
}

std::string indexSql(const TableDef& table, int key) {
    const KeyDef& def = table.keys.at(std::size_t(key));
    std::string sql = def.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    sql += quoteName(def.name) + " ON " + quoteName(table.name) + "(";
    for (std::size_t i = 0; i < def.components.size(); ++i) {
        const FieldDef& field = table.fields.at(std::size_t(def.components[i]));
        if (i > 0) {
            sql += ',';
        }
        sql += columnName(field);
        if (field.type == FieldType::String) {
            sql += def.caseSensitive ? " COLLATE LT_CASE" : " COLLATE LT_NOCASE";
        }
    }
    if (!def.unique) {
        sql += ',';
        sql += quoteName(RowidColumn);
    }
    return sql + ")";
}

State inspect(SqliteConnection& connection, const TableDef& table) {
    // The first read of the file: SQLite rolls back a transaction left unfinished by a crashed writer.
    bool hasTable = false;
    bool hasMeta = false;
    bool hasOther = false;
    std::map<std::string, std::string> indexes;
    {
        SqliteStatement& schema =
            connection.prepare("SELECT type, name, tbl_name, sql FROM main.sqlite_master");
        StatementReset reset(schema);
        while (schema.step()) {
            const std::string_view type = schema.text(0);
            const std::string_view name = schema.text(1);
            if (type == "table") {
                if (equalNoCase(name, table.name)) {
                    hasTable = true;
                } else if (equalNoCase(name, MetaTable)) {
                    hasMeta = true;
                } else if (name != "sqlite_sequence") {
                    hasOther = true;
                }
            } else if (type == "index" && equalNoCase(schema.text(2), table.name) && !schema.isNull(3)) {
                indexes.emplace(name, schema.text(3));
            }
        }
    }
    if (!hasTable && !hasMeta && !hasOther) {
        return State::Empty;
    }
    if (!hasTable || !hasMeta) {
        return State::LayoutDiffers;
    }
    const std::map<std::string, std::string> meta = readMeta(connection);
    const auto layout = meta.find("layout");
    if (layout == meta.end() || layout->second != layoutText(table) || !columnsMatch(connection, table)) {
        return State::LayoutDiffers;
    }
    const auto collation = meta.find("collation");
    if (collation == meta.end() || collation->second != collationMark()) {
        return State::KeysDamaged;
    }
    for (int key = 0; key < int(table.keys.size()); ++key) {
        const auto index = indexes.find(std::string(table.keys[std::size_t(key)].name));
        if (index == indexes.end() || index->second != indexSql(table, key)) {
            return State::KeysDamaged;
        }
    }
    return State::Ready;
}

std::int64_t readyStamp(SqliteConnection& connection) {
    // Both read in one moment of the file, its lock taken once; every statement prepared once.
    const bool own = !connection.inTransaction();
    if (own) {
        connection.prepare("BEGIN").execute();
    }
    std::int64_t stamp = -1;
    try {
        SqliteStatement& version = connection.prepare("PRAGMA main.schema_version");
        SqliteStatement& collation = connection.prepare("SELECT value FROM main." + quoteName(MetaTable) +
                                                        " WHERE name = 'collation'");
        StatementReset versionReset(version);
        StatementReset collationReset(collation);
        if (version.step() && collation.step() && collation.text(0) == collationMark()) {
            stamp = version.integer(0);
        }
    } catch (const StoreFailure&) {
        if (own) {
            connection.prepare("COMMIT").execute();
        }
        throw;
    }
    if (own) {
        connection.prepare("COMMIT").execute();
    }
    return stamp;
}

void useRollbackJournal(SqliteConnection& connection) {
    connection.execute("PRAGMA main.journal_mode=DELETE; PRAGMA main.synchronous=FULL");
}

void create(SqliteConnection& connection, const TableDef& table) {
    useRollbackJournal(connection);
    inWriteTransaction(connection, [&] {
        if (inspect(connection, table) != State::Empty) {
            return;
        }
        connection.execute("CREATE TABLE main." + quoteName(MetaTable) +
                           "(name TEXT PRIMARY KEY, value TEXT NOT NULL)");
        writeMeta(connection, "format", std::to_string(FormatVersion));
        writeMeta(connection, "table", std::string(table.name));
        writeMeta(connection, "layout", layoutText(table));
        writeMeta(connection, "collation", collationMark());
        connection.execute(createTableSql(table));
        for (int key = 0; key < int(table.keys.size()); ++key) {
            connection.execute(indexSql(table, key));
        }
    });
}

void rebuildKeys(SqliteConnection& connection, const TableDef& table) {
    inWriteTransaction(connection, [&] {
        std::vector<std::string> drop;
        {
            SqliteStatement& indexes = connection.prepare(
                "SELECT name FROM main.sqlite_master WHERE type = 'index' AND sql IS NOT NULL AND "
                "tbl_name = ?1 COLLATE NOCASE");
            indexes.bind(1, table.name);
            StatementReset reset(indexes);
            while (indexes.step()) {
                const std::string_view name = indexes.text(0);
                if (std::ranges::any_of(table.keys,
                                        [&](const KeyDef& key) { return equalNoCase(key.name, name); })) {
                    drop.emplace_back(name);
                }
            }
        }
        for (const std::string& name : drop) {
            connection.execute("DROP INDEX main." + quoteName(name));
        }
        for (int key = 0; key < int(table.keys.size()); ++key) {
            connection.execute(indexSql(table, key));
        }
        writeMeta(connection, "collation", collationMark());
    });
}

IntegrityReport checkIntegrity(SqliteConnection& connection) {
    IntegrityReport report;
    SqliteStatement check(connection.handle(), "PRAGMA main.integrity_check");
    StatementReset reset(check);
    std::vector<std::string> keys; // named by SQLite's lines, each once
    int otherDamage = 0;
    while (check.step()) {
        const std::string problem(check.text(0));
        if (problem == "ok") {
            continue;
        }
        // SQLite names a key that misses a record or holds a stray entry in these words.
        const auto index = problem.find(" index ");
        const bool aboutKey =
            index != std::string::npos && (problem.find("missing from index") != std::string::npos ||
                                           problem.find("entries in index") != std::string::npos ||
                                           problem.find("non-unique entry in index") != std::string::npos);
        if (aboutKey) {
            report.keysDamaged = true;
            const std::string key = problem.substr(index + 7);
            if (std::ranges::find(keys, key) == keys.end()) {
                keys.push_back(key);
            }
        } else {
            report.fileDamaged = true;
            ++otherDamage;
        }
    }
    // Told in the program's words, not SQLite's.
    if (otherDamage > 0) {
        report.problems.push_back("Sugadinti failo duomenys (rasta klaidų: " + std::to_string(otherDamage) +
                                  "). Atkurkite failą iš atsarginės kopijos.");
    }
    for (const std::string& key : keys) {
        report.problems.push_back("Raktas " + key + " neatitinka įrašų.");
    }
    return report;
}

} // namespace nakva::TableFormat

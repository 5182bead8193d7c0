#include "data/LithuanianFunctions.h"

#include "data/Collation.h"

// Inside the loadable extension SQLite's calls go through the routines the loading program hands
// over, never through a library linked in.
#ifdef NAKVA_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

#include <string>
#include <string_view>

namespace nakva {

namespace {

std::string_view viewOf(int length, const void* bytes) {
    return {static_cast<const char*>(bytes), std::size_t(length)};
}

int compareNoCaseCallback(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareNoCase(viewOf(lengthA, a), viewOf(lengthB, b));
}

int compareCaseCallback(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return compareCase(viewOf(lengthA, a), viewOf(lengthB, b));
}

void upperFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const std::string upperCased = upper(viewOf(sqlite3_value_bytes(arguments[0]), bytes));
    sqlite3_result_text(context, upperCased.data(), int(upperCased.size()), SQLITE_TRANSIENT);
}

} // namespace

int registerLithuanianFunctions(sqlite3* db) {
    int rc =
        sqlite3_create_collation_v2(db, "LT_NOCASE", SQLITE_UTF8, nullptr, compareNoCaseCallback, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_collation_v2(db, "LT_CASE", SQLITE_UTF8, nullptr, compareCaseCallback, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_create_function_v2(db, "LT_UPPER", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                        upperFunction, nullptr, nullptr, nullptr);
    }
    return rc;
}

} // namespace nakva

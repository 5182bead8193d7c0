// nakva-sqlite: a loadable extension for the sqlite3 tool and other SQLite programs, so that they read
// and change the table files with the program's own collations and LT_UPPER:
//     sqlite3 -cmd '.load /usr/lib/nakva/nakva-sqlite' DATA/Saskait.tps
#include "data/LithuanianFunctions.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// SQLite finds the entry point by the file's name: nakva-sqlite.so → sqlite3_nakvasqlite_init.
extern "C" __attribute__((visibility("default"))) int
sqlite3_nakvasqlite_init(sqlite3* db, char** error, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    const int rc = nakva::registerLithuanianFunctions(db);
    if (rc != SQLITE_OK && error != nullptr) {
        *error = sqlite3_mprintf("nakva-sqlite: %s", sqlite3_errstr(rc));
    }
    return rc;
}

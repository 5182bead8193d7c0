#include "StoreTestSupport.h"

#include "data/SqliteConnection.h"

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace nakva::testing {

namespace {

std::vector<char*> argv(const std::vector<std::string>& arguments, std::string& program) {
    program = NAKVA_STORE_HELPER;
    std::vector<char*> result{program.data()};
    for (const std::string& argument : arguments) {
        result.push_back(const_cast<char*>(argument.c_str()));
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nakva-store-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp");
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool fileHeld(const std::filesystem::path& file, bool toCommit) {
    SqliteConnection connection(file, SqliteConnection::Mode::Existing);
    connection.setBusyTimeout(0);
    try {
        connection.execute(toCommit ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE");
    } catch (const StoreFailure&) {
        return true;
    }
    connection.execute("ROLLBACK");
    return false;
}

int runHelper(const std::vector<std::string>& arguments) {
    std::string program;
    std::vector<char*> args = argv(arguments, program);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program.c_str(), args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int startHelperUntilReady(const std::vector<std::string>& arguments) {
    std::string program;
    std::vector<char*> args = argv(arguments, program);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        throw std::runtime_error("pipe");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execv(program.c_str(), args.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') {
    }
    close(pipeEnds[0]);
    return pid;
}

void killHelper(int pid) {
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

int waitHelper(int pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void StoreTest::addRecord(TableId id, const std::vector<std::pair<std::string, std::string>>& fields) {
    Context other(database);
    Table& table = other.table(id);
    table.open();
    table.clear();
    for (const auto& [field, text] : fields) {
        ASSERT_TRUE(table.record().setText(field, text).ok()) << field;
    }
    ASSERT_EQ(table.add(), StoreStatus::Ok);
    table.close();
}

std::vector<std::string> StoreTest::storedColumn(TableId id, std::string_view field) {
    return storedColumnOf(database, id, field);
}

std::vector<std::string> storedColumnOf(Database& database, TableId id, std::string_view field) {
    Context other(database);
    Table& table = other.table(id);
    table.open();
    std::vector<std::string> values;
    table.setToKeyStart(table.def().identityKey);
    while (table.next() == StoreStatus::Ok) {
        values.push_back(table.record().text(field));
    }
    table.close();
    return values;
}

} // namespace nakva::testing

#include "reports/FileSave.h"
#include "reports/AsOrdinaryUser.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace nakva {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

class FileSaveTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("nakva-save-" + std::to_string(::getpid()) + "-" +
                                               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all);
        fs::remove_all(folder_);
    }
    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

TEST_F(FileSaveTest, WritesAndReplacesWholeFiles) {
    const fs::path target = folder_ / "Be pavadinimo.pdf";
    ASSERT_TRUE(writeFileAtomically(target, bytesOf("pirmas")));
    EXPECT_EQ(contentOf(target), "pirmas");
    ASSERT_TRUE(writeFileAtomically(target, bytesOf("antras")));
    EXPECT_EQ(contentOf(target), "antras");
    EXPECT_EQ(filesInFolder(), 1u); // no temporary file left behind
}

TEST_F(FileSaveTest, ReadOnlyFolderIsRefusedAndLeavesNothing) {
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    SaveResult result;
    {
        AsOrdinaryUser user;
        result = writeFileAtomically(folder_ / "lapas.wmf", bytesOf("x"));
    }
    EXPECT_EQ(result.fault, SaveFault::FolderNotWritable);
    EXPECT_EQ(filesInFolder(), 0u);
    EXPECT_EQ(saveFailureText(folder_ / "lapas.wmf", result),
              "Failo „" + (folder_ / "lapas.wmf").string() + "“ išsaugoti nepavyko: aplanko „" +
                  folder_.string() + "“ nėra arba į jį rašyti negalima.");
}

TEST_F(FileSaveTest, MissingFolderIsRefused) {
    EXPECT_EQ(writeFileAtomically(folder_ / "nėra" / "a.pdf", bytesOf("x")).fault,
              SaveFault::FolderNotWritable);
}

// A write that fails half-way (here: the file size limit, as a full disk would) keeps the old file.
TEST_F(FileSaveTest, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
    const fs::path target = folder_ / "ataskaita.pdf";
    ASSERT_TRUE(writeFileAtomically(target, bytesOf("senas")));

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult result = writeFileAtomically(target, std::vector<std::uint8_t>(5000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result.fault, SaveFault::DiskFull);
    EXPECT_EQ(result.systemError, EFBIG);
    EXPECT_EQ(contentOf(target), "senas");
    EXPECT_EQ(filesInFolder(), 1u);
    EXPECT_EQ(saveFailureText(target, result),
              "Failo „" + target.string() + "“ išsaugoti nepavyko: diske nepakanka vietos.");
}

TEST_F(FileSaveTest, CopiesBytesAndReportsAnUnreadableSource) {
    const fs::path page = folder_ / "page1";
    std::ofstream(page, std::ios::binary) << std::string("\0\1\2WMF", 6);
    ASSERT_TRUE(copyFileAtomically(page, folder_ / "Be pavadinimo.wmf"));
    EXPECT_EQ(contentOf(folder_ / "Be pavadinimo.wmf"), std::string("\0\1\2WMF", 6));

    const SaveResult missing = copyFileAtomically(folder_ / "page2", folder_ / "kita.wmf");
    EXPECT_EQ(missing.fault, SaveFault::SourceUnreadable);
    EXPECT_FALSE(fs::exists(folder_ / "kita.wmf"));
    EXPECT_EQ(saveFailureText(folder_ / "kita.wmf", missing),
              "Failo „" + (folder_ / "kita.wmf").string() +
                  "“ išsaugoti nepavyko: nepavyko perskaityti ataskaitos lapo failo „" +
                  (folder_ / "page2").string() + "“.");
}

TEST(FileSaveFaultTest, SystemErrorsMapToFaults) {
    const std::pair<int, SaveFault> cases[] = {
        {EACCES, SaveFault::FolderNotWritable}, {EROFS, SaveFault::FolderNotWritable},
        {ENOENT, SaveFault::FolderNotWritable}, {ENOSPC, SaveFault::DiskFull},
        {EDQUOT, SaveFault::DiskFull},          {EIO, SaveFault::Other},
    };
    for (const auto& [error, fault] : cases) {
        EXPECT_EQ(faultOfSystemError(error), fault) << error;
    }
    EXPECT_EQ(saveFailureText("/a/b.pdf", {SaveFault::Other, EIO, {}}),
              "Failo „/a/b.pdf“ išsaugoti nepavyko (sistemos klaida 5).");
}

} // namespace
} // namespace nakva

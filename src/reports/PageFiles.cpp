#include "reports/PageFiles.h"

#include "reports/PageCanvas.h"
#include "reports/WmfWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace nakva {

namespace {

// A new folder of a name nobody else has; empty and the reason in `fault` when it cannot be made.
std::filesystem::path freshFolder(const std::filesystem::path& parent, SaveResult& fault) {
    std::error_code error;
    const std::filesystem::path base = parent.empty() ? std::filesystem::temp_directory_path(error) : parent;
    std::string pattern = (base / "nakva-report-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        fault = {faultOfSystemError(errno), errno, base.string()};
        return {};
    }
    return pattern;
}

} // namespace

PageFiles::PageFiles(std::string reportName, const std::filesystem::path& parent)
    : reportName_(std::move(reportName)), folder_(freshFolder(parent, folderFault_)) {}

PageFiles::~PageFiles() {
    if (!released_ && !folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void PageFiles::discard() {
    for (const auto& page : pages_) {
        std::error_code ignored;
        std::filesystem::remove(page, ignored);
    }
    pages_.clear();
}

SaveResult PageFiles::add(const PageCanvas& page) {
    if (folder_.empty()) {
        return folderFault_;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%04d", written_ + 1);
    const std::filesystem::path path = folder_ / (reportName_ + number);
    SaveResult result = writeFileAtomically(path, writeWmf(page), Durability::Scratch);
    if (result) {
        ++written_;
        pages_.push_back(path);
    } else if (result.detail.empty()) {
        result.detail = path.string();
    }
    return result;
}

} // namespace nakva

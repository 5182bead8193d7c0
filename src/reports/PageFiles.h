#pragma once

#include "reports/FileSave.h"

#include <filesystem>
#include <string>
#include <vector>

namespace nakva {

class PageCanvas;

// The page files of one report run: each finished page written as a metafile into a scratch folder of
// the run's own, named after the report and the page number without an extension ("SpPaslSar0001"),
// as the preview, the printer and the PDF export take them. The folder and whatever is left in it go
// when the run is over (the object is destroyed); release() keeps them.
class PageFiles {
public:
    // A fresh folder below `parent` (the system's temporary folder when empty).
    explicit PageFiles(std::string reportName, const std::filesystem::path& parent = {});
    ~PageFiles();
    PageFiles(const PageFiles&) = delete;
    PageFiles& operator=(const PageFiles&) = delete;

    // Writes the page as the next file. A failure (folder gone, disk full) writes nothing under the
    // page's name and says why.
    SaveResult add(const PageCanvas& page);

    const std::filesystem::path& folder() const { return folder_; }
    const std::vector<std::filesystem::path>& pages() const { return pages_; }
    std::vector<std::filesystem::path> takePages() { return std::move(pages_); }
    // Removes the files written so far and forgets them.
    void discard();
    // The folder and its files stay when this object goes.
    void release() { released_ = true; }

private:
    std::string reportName_;
    SaveResult folderFault_; // why the folder could not be made
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> pages_;
    int written_ = 0;
    bool released_ = false;
};

} // namespace nakva

#include "ui/ListExport.h"

#include "data/Dictionary.h"
#include "data/SpreadsheetText.h"
#include "data/Text.h"
#include "data/View.h"
#include "messages/Message.h"
#include "ui/ListEngine.h"

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace nakva {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view LineEnd = "\r\n";

// "-12.50" → "-12,50"; anything that is not a plain decimal number stays as it is.
std::string withDecimalComma(const std::string& cell) {
    const std::size_t point = cell.find('.');
    if (point == std::string::npos || point == 0 || point + 1 == cell.size()) {
        return cell;
    }
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const bool digit = cell[i] >= '0' && cell[i] <= '9';
        if (!(digit || i == point || (i == 0 && cell[i] == '-'))) {
            return cell;
        }
    }
    std::string shown = cell;
    shown[point] = ',';
    return shown;
}

std::string quoted(const std::string& field) {
    if (field.find_first_of(";\"\r\n") == std::string::npos) {
        return field;
    }
    std::string text = "\"";
    for (char c : field) {
        text += c;
        if (c == '"') {
            text += '"';
        }
    }
    return text + "\"";
}

// A column shows numbers when its picture is a number's, or when it shows a decimal field as it is.
bool showsNumbers(const ListColumn& column) {
    if (column.picture.kind() == Picture::Kind::Number) {
        return true;
    }
    if (column.picture.kind() != Picture::Kind::Plain || column.compute) {
        return false;
    }
    const auto field = Dictionary::instance().findField(column.field);
    return field && field->table->fields[std::size_t(field->field)].type == FieldType::Decimal;
}

} // namespace

ListExport::ListExport(ListEngine& list, fs::path target)
    : list_(list), target_(std::move(target)),
      partial_(target_.parent_path() / ("." + target_.filename().string() + ".dalis")) {}

ListExport::~ListExport() {
    if (state_ == State::Running) {
        stop(State::Cancelled);
    }
}

std::string ListExport::line(const std::vector<std::string>& fields, const std::vector<bool>& numeric) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // Blanks that only align the column on screen are left out.
        std::string_view shown = trimRight(fields[i]);
        shown.remove_prefix(std::min(shown.find_first_not_of(' '), shown.size()));
        const std::string field(shown);
        text += (i == 0 ? "" : ";") +
                quoted(spreadsheetText(i < numeric.size() && numeric[i] ? withDecimalComma(field) : field));
    }
    return text;
}

bool ListExport::start() {
    if (state_ != State::Ready) {
        return false;
    }
    rows_ = list_.readAllRows();
    if (!rows_) {
        state_ = State::Failed; // the view has shown why
        return false;
    }
    state_ = State::Running;
    if (rows_->count(total_) != StoreStatus::Ok) {
        total_ = 0;
    }
    if (rows_->setToStart() != StoreStatus::Ok) {
        fail("nepavyko perskaityti sąrašo įrašų");
        return false;
    }
    file_.open(partial_, std::ios::binary | std::ios::trunc);
    std::vector<std::string> headings;
    bool headed = false;
    for (const ListColumn& column : list_.config().columns) {
        headings.push_back(column.heading);
        headed = headed || !column.heading.empty();
        numeric_.push_back(showsNumbers(column));
    }
    file_ << ByteOrderMark;
    if (headed) { // a list without headings shows none
        file_ << line(headings, {}) << LineEnd;
    }
    if (!file_) {
        fail("nepavyko sukurti failo");
        return false;
    }
    return true;
}

bool ListExport::step(int rows) {
    if (state_ != State::Running) {
        return false;
    }
    for (int i = 0; i < rows; ++i) {
        const StoreStatus status = rows_->next();
        if (status == StoreStatus::EndOfData) {
            finish();
            return false;
        }
        if (status != StoreStatus::Ok) {
            fail("nepavyko perskaityti sąrašo įrašų");
            return false;
        }
        file_ << line(list_.bufferCells(), numeric_) << LineEnd;
        ++done_;
    }
    if (!file_) {
        fail("nepavyko įrašyti į failą");
        return false;
    }
    total_ = std::max(total_, done_);
    return true;
}

void ListExport::cancel() {
    if (state_ == State::Running) {
        stop(State::Cancelled);
    }
}

void ListExport::finish() {
    file_.flush();
    file_.close();
    bool written = !file_.fail();
    // Through to the disk before the name changes, so that the name never stands on half a file.
    if (written) {
        const int descriptor = ::open(partial_.c_str(), O_RDONLY | O_CLOEXEC);
        written = descriptor >= 0 && ::fsync(descriptor) == 0;
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
    std::error_code error;
    if (written) {
        fs::rename(partial_, target_, error);
    }
    if (!written || error) {
        fail("nepavyko įrašyti į failą");
        return;
    }
    total_ = done_;
    rows_.reset();
    list_.endReadingAllRows();
    state_ = State::Done;
}

void ListExport::stop(State state) {
    file_.close();
    std::error_code ignored;
    fs::remove(partial_, ignored);
    rows_.reset();
    list_.endReadingAllRows();
    state_ = state;
}

void ListExport::fail(const std::string& reason) {
    stop(State::Failed);
    MessageRequest request;
    request.title = "Eksportavimas";
    request.text = "Sąrašas neeksportuotas į failą " + target_.string() + ": " + reason + ".";
    request.icon = MessageIcon::Exclamation;
    showMessage(request);
}

} // namespace nakva

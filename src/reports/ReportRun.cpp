#include "reports/ReportRun.h"

#include "data/Context.h"
#include "data/Table.h"
#include "data/View.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "reports/ReportParameters.h"

#include <algorithm>

namespace nakva {

ReportRun::ReportRun(const ReportSpec& definition, Context& context, const std::filesystem::path& pageFolder)
    : definition_(definition), context_(context), scope_(context), layout_(definition.layout(scope_)),
      files_(std::make_unique<PageFiles>(std::string(definition.name), pageFolder)) {
    composer_ = std::make_unique<PageComposer>(
        layout_.page, definition.style == RunStyle::Process ? PageNumbering::Layout : PageNumbering::Report,
        [this](const PageCanvas& page) { return takePage(page); });
    scope_.totals().setLevels(static_cast<int>(layout_.groups.size()));
}

ReportRun::~ReportRun() {
    closeTables();
}

void ReportRun::setSubject(const Record& record) {
    subject_ = record;
}

void ReportRun::start(const Globals& globals) {
    scope_.setGlobals(globals);
    bindReportParameters(variables_, globals);
    if (const auto& subject = definition_.subject) {
        if (!subject_) {
            subject_ = context_.table(subject->table).record();
            subjectFromBuffer_ = true;
        }
        for (const std::string_view field : subject->fields) {
            variables_.set(std::string(subject->prefix) + std::string(field), subject_->value(field));
        }
        scope_.setSubject(&*subject_);
    }

    std::vector<TableId> tables{definition_.table};
    tables.insert(tables.end(), definition_.joins.begin(), definition_.joins.end());
    tables.insert(tables.end(), definition_.related.begin(), definition_.related.end());
    for (const TableId table : tables) {
        if (std::find(opened_.begin(), opened_.end(), table) == opened_.end()) {
            context_.table(table).open();
            opened_.push_back(table);
        }
    }
    Table& primary = context_.table(definition_.table);

    view_ = std::make_unique<View>(primary, &variables_);
    view_->readEachRecordOnce(); // others write between the steps: a moved record is printed once
    for (const TableId parent : definition_.joins) {
        view_->join(parent);
    }
    view_->setOrder(std::string(definition_.order));
    view_->setFilter(std::string(definition_.filter));
    state_ = State::Running;
    // A view that cannot be opened has said so (warning 36) and reads nothing: the run then ends
    // with nothing selected.
    if (view_->open() == StoreStatus::Ok && view_->count(selecting_) != StoreStatus::Ok) {
        selecting_ = 0; // the percentage then jumps to 100 at the first record
    }
}

bool ReportRun::advance(int records) {
    if (state_ != State::Running) {
        return false;
    }
    view_->setPageSize(std::min(records, 256)); // longer steps read on in growing batches
    const StoreStatus restart = saved_.empty() ? view_->setToStart() : view_->setToPosition(saved_, false);
    if (restart != StoreStatus::Ok) {
        return readFailed();
    }
    for (int done = 0; done < records; ++done) {
        const StoreStatus status = view_->next();
        if (status == StoreStatus::EndOfData) {
            finishRun();
            return false;
        }
        if (status != StoreStatus::Ok) {
            return readFailed();
        }
        ++read_;
        if (!printRecord()) {
            state_ = State::Failed;
            closeTables();
            return false;
        }
    }
    saved_ = view_->position();
    return true;
}

bool ReportRun::readFailed() {
    saveErrorCondition();
    standardWarning(26, context_.table(definition_.table).def().name);
    state_ = State::Failed;
    closeTables();
    return false;
}

bool ReportRun::printRecord() {
    if (layout_.onRecord && !layout_.onRecord()) {
        return true;
    }
    const std::size_t levels = layout_.groups.size();
    std::vector<std::string> keys(levels);
    std::size_t broken = levels;
    for (std::size_t level = 0; level < levels; ++level) {
        keys[level] = layout_.groups[level].key();
        if (broken == levels && (selected_ == 0 || keys[level] != keys_[level])) {
            broken = level;
        }
    }
    if (selected_ > 0 && broken < levels) {
        // The footers see their group's last record: the record just read waits aside meanwhile.
        std::vector<Record> current;
        for (const TableId table : opened_) {
            current.push_back(context_.table(table).record());
        }
        for (std::size_t i = 0; i < opened_.size(); ++i) {
            context_.table(opened_[i]).record() = last_[i];
        }
        const bool written = printFooters(broken);
        for (std::size_t i = 0; i < opened_.size(); ++i) {
            context_.table(opened_[i]).record() = std::move(current[i]);
        }
        if (!written) {
            return false;
        }
    }
    if (selected_ == 0 && !composer_->print(layout_.reportHeader)) {
        return false;
    }
    keys_.resize(levels);
    for (std::size_t level = broken; level < levels; ++level) {
        scope_.totals().startGroup(int(level));
        keys_[level] = std::move(keys[level]);
        if (!composer_->print(layout_.groups[level].header, {0, {}, int(level), keys_[level]})) {
            return false;
        }
    }
    ++selected_;
    if (layout_.accumulate) {
        layout_.accumulate(scope_.totals());
    }
    scope_.totals().count();
    if (!composer_->print(layout_.detail)) {
        return false;
    }
    keepLastRecord();
    return true;
}

bool ReportRun::printFooters(std::size_t from) {
    for (std::size_t level = layout_.groups.size(); level-- > from;) {
        if (!composer_->print(layout_.groups[level].footer, {0, {}, int(level), keys_[level]})) {
            return false;
        }
    }
    return true;
}

void ReportRun::keepLastRecord() {
    last_.resize(opened_.size(), Record(definition_.table));
    for (std::size_t i = 0; i < opened_.size(); ++i) {
        last_[i] = context_.table(opened_[i]).record();
    }
}

void ReportRun::finishRun() {
    bool written = true;
    if (selected_ == 0 && !definition_.nothingSelected.empty()) {
        MessageRequest message;
        message.text = std::string(definition_.nothingSelected);
        message.icon = MessageIcon::Exclamation;
        showMessage(message);
    }
    if (selected_ > 0) {
        for (std::size_t i = 0; i < opened_.size(); ++i) {
            context_.table(opened_[i]).record() = last_[i];
        }
        written = printFooters(0);
        if (written && layout_.onEnd) {
            written = layout_.onEnd(*composer_);
        }
        written = written && composer_->print(layout_.reportFooter);
    }
    written = written && composer_->finish();
    state_ = written ? State::Done : State::Failed;
    closeTables();
}

void ReportRun::cancel() {
    if (ended()) {
        return;
    }
    const bool keep = definition_.style == RunStyle::Report && composer_->finish();
    state_ = State::Cancelled;
    if (!keep) {
        files_->discard();
    }
    closeTables();
}

SaveResult ReportRun::takePage(const PageCanvas& page) {
    if (observer_) {
        observer_(page);
    }
    SaveResult result = files_->add(page);
    if (!result) {
        MessageRequest message;
        message.text = saveFailureText(result.detail, result);
        message.icon = MessageIcon::Exclamation;
        showMessage(message);
    }
    return result;
}

void ReportRun::closeTables() {
    if (view_) {
        view_->close();
        view_.reset();
    }
    for (auto table = opened_.rbegin(); table != opened_.rend(); ++table) {
        context_.table(*table).close();
    }
    opened_.clear();
    // The caller's buffer holds its current record again, as its list expects.
    if (subjectFromBuffer_) {
        context_.table(definition_.subject->table).record() = *subject_;
        subjectFromBuffer_ = false;
    }
}

std::string_view ReportRun::progressCaption() const {
    return definition_.style == RunStyle::Process ? "Formuojama ataskaita" : "Formuoju ataskaitą...";
}

int ReportRun::percent() const {
    if (selecting_ <= 0) {
        return read_ > 0 ? 100 : 0;
    }
    return static_cast<int>(std::min<std::int64_t>(100, read_ * 100 / selecting_));
}

std::string ReportRun::progressText() const {
    if (definition_.style == RunStyle::Process) {
        return std::to_string(percent()) + "% atlikta";
    }
    return read_ == 0 ? "0% " : std::to_string(percent()) + "%";
}

const std::vector<std::filesystem::path>& ReportRun::pages() const {
    static const std::vector<std::filesystem::path> none;
    return files_ ? files_->pages() : none;
}

bool ReportRun::showsPreview() const {
    switch (state_) {
    case State::Done:
        return definition_.style == RunStyle::Report || selected_ > 0;
    case State::Cancelled:
        return definition_.style == RunStyle::Report;
    default:
        return false;
    }
}

} // namespace nakva

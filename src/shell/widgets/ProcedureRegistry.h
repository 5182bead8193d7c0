#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// Makes the window of a procedure started from the menu. The window holds its own procedure context
// (record buffers, open counters), so each start is independent of the others.
using ProcedureFactory = std::function<QWidget*()>;

// The procedures the menu can start, by name. Every layer adds its own at start-up; a name the menu
// uses but nobody added shows warning 6 "Procedūra neapibrėžta".
class ProcedureRegistry {
public:
    void add(std::string name, ProcedureFactory factory);
    bool contains(std::string_view name) const;
    // A new window of the procedure, nullptr when the procedure is not defined.
    QWidget* create(std::string_view name) const;
    // Every procedure added, by name.
    std::vector<std::string> names() const;

private:
    std::map<std::string, ProcedureFactory, std::less<>> factories_;
};

} // namespace nakva

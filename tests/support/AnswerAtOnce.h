#pragma once

#include "ui/FormEngine.h"
#include "ui/ListEngine.h"
#include "ui/Requests.h"

#include <functional>
#include <optional>
#include <string_view>

namespace nakva::testing {

// A record form replaced by a function that answers at once, as the engines' tests script it.
inline FormCall formAnsweringAtOnce(std::function<FormResult(Context&, Request)> form) {
    return [form = std::move(form)](Context& context, Request request, FormDone done) {
        done(form(context, request));
    };
}

// A selection list replaced by a function that answers at once.
inline SelectCall listAnsweringAtOnce(std::function<Response(Context&)> list) {
    return [list = std::move(list)](Context& context, SelectDone done) {
        done(list(context));
    };
}

// A form's look-up list replaced by a function that answers at once.
inline FormEngine::SelectList
pickerAnsweringAtOnce(std::function<Response(const FormLookUp&, Context&)> list) {
    return [list = std::move(list)](const FormLookUp& lookUp, Context& context, SelectDone done) {
        done(list(lookUp, context));
    };
}

// A tab selector's entry accepted (or, without a text, its look-up) with a list answering at once:
// whether a value was taken.
inline bool selectorTaken(ListEngine& list, std::optional<std::string_view> typed, const SelectCall& choose) {
    std::optional<bool> taken;
    const auto answered = [&taken](bool answer) {
        taken = answer;
    };
    if (typed) {
        list.acceptSelector(*typed, choose, answered);
    } else {
        list.chooseSelector(choose, answered);
    }
    return taken.value_or(false);
}

} // namespace nakva::testing

#pragma once

#include "reports/PageCanvas.h"

#include <functional>
#include <string>
#include <string_view>

namespace nakva {

// Where a band is printed: the page it lands on and, for a group's header or footer, the group.
struct BandContext {
    int page = 0;                 // from 1
    std::string_view pageCaption; // "Lapas 3", or "Lapas: 3" in a report that places its own bands
    int level = -1;               // the group's level (0 the outermost); -1 outside groups
    std::string_view groupKey;    // the key of the group being headed or closed
};

// A band of a report layout: a strip of the page, as high as `height` (or as `measure` says for the
// present record, when its text wraps), drawn at band coordinates: the canvas's origin stands at the
// band's top left corner when `draw` runs. A band without a drawing is absent.
struct Band {
    int height = 0;
    std::function<int()> measure;
    std::function<void(PageCanvas&, const BandContext&)> draw;

    int heightNow() const { return measure ? measure() : height; }
    explicit operator bool() const { return static_cast<bool>(draw); }
};

// One band of two, the second under the first: a report's closing totals and then its signatures.
inline Band stacked(Band first, Band second) {
    Band band;
    band.measure = [first, second] {
        return first.heightNow() + second.heightNow();
    };
    band.draw = [first, second](PageCanvas& canvas, const BandContext& context) {
        const Point origin = canvas.origin();
        first.draw(canvas, context);
        canvas.setOrigin({origin.x, origin.y + first.heightNow()});
        second.draw(canvas, context);
        canvas.setOrigin(origin);
    };
    return band;
}

// A group of consecutive records with the same key (the view's order keeps them together): its
// header before the group's first record, its footer after its last one.
struct GroupBreak {
    std::function<std::string()> key; // from the record buffers of the record just read
    Band header;
    Band footer;
};

} // namespace nakva

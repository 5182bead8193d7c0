#pragma once

class QObject;

namespace nakva {

// Called first in the destructor of a widget that handles its children's signals or events: the
// children go after the widget's own members, and a field losing the focus on its way out (its
// editing-finished signal) would reach a widget that is no longer there. Disconnects every signal of
// the widget's descendants from it and removes it as their event filter.
void detachChildren(QObject* owner);

} // namespace nakva

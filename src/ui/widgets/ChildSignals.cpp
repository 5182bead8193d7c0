#include "ui/widgets/ChildSignals.h"

#include <QObject>

namespace nakva {

void detachChildren(QObject* owner) {
    for (QObject* child : owner->findChildren<QObject*>()) {
        child->removeEventFilter(owner);
        QObject::disconnect(child, nullptr, owner, nullptr);
    }
}

} // namespace nakva

#pragma once

#include "messages/MessageLayout.h"

#include <QIcon>
#include <QPixmap>

namespace nakva {

// The pictures of the message window, drawn by the program itself.
QPixmap messageIconPixmap(MessageIcon icon, int size, qreal devicePixelRatio = 1.0);
QIcon buttonIcon(ButtonIconKind kind); // a null icon for ButtonIconKind::None

} // namespace nakva

#pragma once

#include <QDialog>

class QSpinBox;

namespace nakva {

// The several-pages window "Rodyti ekrane keletą lapų:": pages across ("Horizontaliai") and down
// ("Vertikaliai"), each 1 to 10; "Vykdyti" accepts.
class PagesShownDialog : public QDialog {
    Q_OBJECT
public:
    PagesShownDialog(int across, int down, QWidget* parent = nullptr);

    int across() const;
    int down() const;

private:
    QSpinBox* acrossBox_ = nullptr;
    QSpinBox* downBox_ = nullptr;
};

} // namespace nakva

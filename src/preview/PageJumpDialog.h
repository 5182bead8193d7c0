#pragma once

#include <QDialog>

class QSpinBox;

namespace nakva {

// The jump window "Atversti lapą (iš viso lapų: N)": the page to make current, 1 to N, starting at the
// current page. "Vykdyti" accepts, "Nutraukti" keeps the current page.
class PageJumpDialog : public QDialog {
    Q_OBJECT
public:
    PageJumpDialog(const QString& title, int current, int total, QWidget* parent = nullptr);

    int page() const;

private:
    QSpinBox* pageBox_ = nullptr;
};

} // namespace nakva

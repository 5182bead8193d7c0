#pragma once

#include <QWidget>

#include <memory>

namespace nakva {

class Context;

// "Ataskaitos → i.SAF išrašytų sąskaitų registras": asks for the period (the period dialog, proposing
// last month while this program run has chosen none), then for the file (proposing
// "iSAF_<įmonės kodas>_<yyyy-mm>.xml"), makes the register and says what came of it: the file and its
// invoices, or every problem that stopped it. A window of no face of its own: it closes when done.
class IsafWindow : public QWidget {
    Q_OBJECT
public:
    explicit IsafWindow(std::unique_ptr<Context> context, QWidget* parent = nullptr);
    ~IsafWindow() override;

private:
    void begin();
    void run();
    void over();
    QWidget* frame();

    std::unique_ptr<Context> context_;
};

} // namespace nakva

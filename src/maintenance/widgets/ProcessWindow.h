#pragma once

#include "maintenance/BatchProcess.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTimer;

namespace nakva {

class Context;

// The progress window of a batch process: its title, the process's text, the progress text and
// "Nutraukti". Driven from a timer, 25 records an event cycle, so the program keeps answering while
// it works; no event loop of its own. It starts when first shown, tells the end through `onEnd`
// (the process's closing message), emits finished() and then goes (deleteLater).
class ProcessWindow : public QWidget {
    Q_OBJECT
public:
    // `context` (may be null) is the procedure context the process works on, kept as long as it.
    ProcessWindow(const QString& title, std::unique_ptr<Context> context,
                  std::unique_ptr<BatchProcess> process, QWidget* parent = nullptr);
    ~ProcessWindow() override;

    void setOnEnd(std::function<void(const BatchRun&)> onEnd) { onEnd_ = std::move(onEnd); }
    const BatchRun& run() const { return run_; }

signals:
    void finished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void begin();
    void tick();
    void end();
    void showProgress();

    std::unique_ptr<Context> context_;
    std::unique_ptr<BatchProcess> process_;
    BatchRun run_;
    std::function<void(const BatchRun&)> onEnd_;
    QLabel* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer_ = nullptr;
    bool begun_ = false;
};

} // namespace nakva

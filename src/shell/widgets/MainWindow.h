#pragma once

#include "ui/ToolbarClient.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <string>
#include <string_view>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace nakva {

struct MenuEntry;
class ProcedureRegistry;

// The program's frame: a multiple-document window with the menu tree, the toolbar that acts on the
// active child window, and the status line. Every procedure started from the menu opens in a child
// window of its own; several can be open at once.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // institutionName gives IST:ISTAIGA for the About window when it opens.
    MainWindow(const ProcedureRegistry& procedures, std::function<std::string()> institutionName,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens a new child window of the procedure; a procedure nobody built shows warning 6.
    // Returns the child window, nullptr when none opened.
    QMdiSubWindow* startProcedure(std::string_view name);

    QMdiArea* mdiArea() const { return mdi_; }
    QAction* toolbarAction(ToolbarButton button) const { return toolbarActions_[static_cast<int>(button)]; }

    void showAbout();
    void setupPrinter();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addMenuEntries(QWidget* menu, const std::vector<MenuEntry>& entries);
    void listWindows(QMenu* menu);
    void runMenuEntry(const MenuEntry& entry);
    void buildToolbar();
    void childActivated();
    void arrangeIcons();
    void updateToolbar();
    void toolbarPressed(ToolbarButton button);
    ToolbarClient* activeClient() const;

    const ProcedureRegistry& procedures_;
    std::function<std::string()> institutionName_;
    QMdiArea* mdi_ = nullptr;
    std::array<QAction*, ToolbarButtonCount> toolbarActions_{};
    QToolBar* toolbar_ = nullptr;
    QList<QAction*> windowEntries_; // the open windows' entries of "Langai", made as it opens
    QPointer<QMdiSubWindow> activeChild_;
};

} // namespace nakva

#pragma once
// The main window: header labels, the table grid on the left, the curve panel on the
// right, menus and toolbar. It shows the state of MainWindow and forwards events.

#include <QMainWindow>
#include <array>
#include <memory>

#include "data/model.h"
#include "mainwin/main_window.h"

class QLabel;
class QMenu;
class QScrollBar;
class QSplitter;

namespace pyx {

class QtDialogs;
class QtModalWindows;
class QtCommandBar;
class QtTextGrid;

class MainWindowWidget : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindowWidget(QWidget* parent = nullptr);
    ~MainWindowWidget() override;

    // Runs the start-up of the logic: settings, the last file, the empty curve.
    void start();
    // Opens a file the user named outside the open dialog (command line, drop).
    void openFile(const std::string& path);

    MainWindow& logic() { return *logic_; }
    QtTextGrid* gridWidget() const { return gridView_; }
    QWidget* curveSurface() const { return surface_; }
    QScrollBar* scaleBar() const { return hscroll1_; }
    QScrollBar* stageBar() const { return hscroll2_; }
    QMenu* recentMenu() const { return recentMenu_; }
    QLabel* marksLabel() const { return marks_; }
    QtCommandBar* commandBar() const { return barView_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showTexts();
    void showCurveKind();
    void fitGridWidth();
    void showRefusalAtCell(const QString& reason);
    void buildRecentMenu();
    void showRecentFiles();

    // What the window shows; the destructor deletes the child widgets before these go.
    std::unique_ptr<TestData> data_;
    std::unique_ptr<QtDialogs> dialogs_;
    std::unique_ptr<MainWindow> logic_;
    std::unique_ptr<QtModalWindows> windows_;
    QtCommandBar* barView_ = nullptr;
    QtTextGrid* gridView_ = nullptr;
    std::array<QLabel*, 4> labels_{};
    QLabel* label18_ = nullptr;
    QLabel* marks_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* surface_ = nullptr;
    QScrollBar* hscroll1_ = nullptr;
    QScrollBar* hscroll2_ = nullptr;
    bool closing_ = false;
};

} // namespace pyx

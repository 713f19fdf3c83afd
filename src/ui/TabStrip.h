#pragma once
// Tab strip: a row of tabs over a framed panel. The pages are separate widgets that the window
// lays over the panel and shows or hides on TabClick.
#include <QWidget>

class QTabBar;

namespace telmo {

class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    void AddTab(const QString& caption);
    int TabCount() const;
    QString TabCaption(int index) const; // index from 1
    int SelectedIndex() const;           // from 1; 0 when there are no tabs
    // Selects a tab without raising TabClick (the window's own start-up choice).
    void SetSelectedIndex(int index);
    // Height of the tab row in pixels.
    int TabRowHeight() const;
    QTabBar* Bar() const { return bar_; }

signals:
    // The user selected the tab with this index (counting from 1).
    void TabClick(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
    bool selecting_ = false;
};

} // namespace telmo

#include "ui/TabStrip.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace telmo {

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setUsesScrollButtons(false);
    connect(bar_, &QTabBar::currentChanged, this, [this](int i) {
        if (!selecting_ && i >= 0) TabClick(i + 1);
    });
}

void TabStrip::AddTab(const QString& caption) {
    selecting_ = true;
    bar_->addTab(caption);
    selecting_ = false;
    bar_->resize(bar_->sizeHint());
    update();
}

int TabStrip::TabCount() const {
    return bar_->count();
}

QString TabStrip::TabCaption(int index) const {
    return bar_->tabText(index - 1);
}

int TabStrip::SelectedIndex() const {
    return bar_->currentIndex() + 1;
}

void TabStrip::SetSelectedIndex(int index) {
    selecting_ = true;
    bar_->setCurrentIndex(index - 1);
    selecting_ = false;
}

int TabStrip::TabRowHeight() const {
    return bar_->sizeHint().height();
}

void TabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, TabRowHeight() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->sizeHint();
    frame.tabBarRect = QRect(QPoint(0, 0), bar_->sizeHint());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabStrip::resizeEvent(QResizeEvent*) {
    bar_->resize(bar_->sizeHint());
}

} // namespace telmo

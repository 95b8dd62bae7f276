#include "StatusBar.h"

#include <QLabel>
#include <QPainter>

#include "qt/QtFont.h"

namespace {
// One panel of text under a separating line at the top, sunken when the panel has a bevel.
class TkStatusPanel : public QLabel {
 public:
  explicit TkStatusPanel(const TStatusBar* Bar) : FBar(Bar) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setContentsMargins(4, 2, 4, 0);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent* Event) override {
    QLabel::paintEvent(Event);
    QPainter painter(this);
    const QColor dark = ToQColor(clGray), light = ToQColor(clWhite);
    painter.setPen(dark);
    painter.drawLine(0, 0, width() - 1, 0);
    if (!FBar->PanelBevel) return;
    const QRect r(0, 2, width(), height() - 2);
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(light);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
  }

 private:
  const TStatusBar* FBar;
};

}  // namespace

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 185;
  FHeight = 19;
}

QWidget* TStatusBar::CreateWidget() {
  auto* panel = new TkStatusPanel(this);
  panel->setText(QString::fromStdString(FText));
  SetPaletteColor(*panel, QPalette::Window, FColor);
  return panel;
}

void TStatusBar::ColorChanged() {
  if (FWidget != nullptr) SetPaletteColor(*FWidget, QPalette::Window, FColor);
  Invalidate();
}

void TStatusBar::SetPanelText(const std::string& Value) {
  FText = Value;
  if (FWidget != nullptr) static_cast<QLabel*>(FWidget)->setText(QString::fromStdString(Value));
}

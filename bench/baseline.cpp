// The reference for the start-up figures: a bare Qt Widgets program that does the
// least a window like ours must do. One maximised window with a File and a Help menu
// shows the card picture, then the program reports its time and memory and ends.
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include "StartupProbe.h"

namespace {
// Paints the picture centred on white.
class CardView : public QWidget {
 public:
  explicit CardView(QImage Card) : FCard(std::move(Card)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage((width() - FCard.width()) / 2, (height() - FCard.height()) / 2, FCard);
  }

 private:
  QImage FCard;
};

// The card picture, or a generated one of the same size when the file cannot be read.
QImage LoadCard() {
  QImage card(QStringLiteral(SRX_CARD_BMP));
  if (card.isNull() || card.size() != QSize(600, 362)) {
    card = QImage(600, 362, QImage::Format_RGB32);
    for (int y = 0; y < card.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(card.scanLine(y));
      for (int x = 0; x < card.width(); ++x) row[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
  }
  return card;
}
}  // namespace

int main(int argc, char** argv) {
  const bench::Clock::time_point start = bench::Clock::now();
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Setup"));
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Exit"), &app, &QCoreApplication::quit);
  QMenu* help = window.menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(QStringLiteral("H&ow to use this program"));
  auto* view = new CardView(LoadCard());
  window.setCentralWidget(view);
  bench::FirstPaintWatch watch("baseline", start, &window, view);
  window.showMaximized();
  return app.exec();
}

// The start-up baseline: the least a Qt Widgets program does before its first paint, in a window
// of the size of Kelvra's main window. Exits with status 0 once that paint is done.
#include <QApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class MinimalWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    if (painted_)
      return;
    painted_ = true;
    // Queued, so that the paint reaches the screen before the program leaves.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  MinimalWindow window;
  window.setWindowTitle("Kelvra");
  window.resize(855, 538);
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("Banc de puissance OBD-II", &window));
  window.show();
  return application.exec();
}

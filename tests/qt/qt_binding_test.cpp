#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "common/errors.h"
#include "form/button_controls.h"
#include "form/image.h"
#include "form/list_controls.h"
#include "form/manual_services.h"
#include "form/page_controls.h"
#include "form/text_controls.h"
#include "qt/display_list_painter.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_timer_service.h"
#include "qt/window_view.h"

using namespace kelvra;

class QtBindingTest : public QObject {
  Q_OBJECT

 private slots:
  void typingIntoAnEditUpdatesTheControlAndLogicUpdatesTheWidget() {
    form::ManualServices env;
    form::Window window(env.services, "Form1", "Test", 300, 200);
    auto& edit = window.Add<form::Edit>("edRstart", nullptr, "1000");
    edit.SetBounds(10, 10, 100, 22);
    QStringList seen;
    edit.onChange = [&](form::Control& c) { seen << QString::fromStdString(c.Text()); };
    qt::WindowView view(window);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    auto* line = qobject_cast<QLineEdit*>(view.WidgetFor("edRstart"));
    QVERIFY(line != nullptr);
    QCOMPARE(line->text(), QStringLiteral("1000"));
    line->selectAll();
    QTest::keyClicks(line, "2,5");
    QCOMPARE(QString::fromStdString(edit.Text()), QStringLiteral("2,5"));
    QCOMPARE(seen, (QStringList{"2", "2,", "2,5"}));

    edit.SetText("1500");
    QCOMPARE(line->text(), QStringLiteral("1500"));
    QCOMPARE(seen.size(), 4);  // the logic's change raised the event once, the widget added none
  }

  void anErrorInAClickIsShownAndTheWindowGoesOn() {
    form::ManualServices env;
    form::Window window(env.services, "Form1", "Test", 300, 200);
    auto& button = window.Add<form::Button>("btWrpm", nullptr, "Lancer");
    button.SetBounds(10, 10, 80, 25);
    auto& label = window.Add<form::Label>("lbRpm", nullptr, "0");
    button.onClick = [&](form::Control&) {
      label.SetText("started");
      throw ConversionError("'abc' is not a valid floating point value");
    };
    qt::WindowView view(window);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QTest::mouseClick(view.WidgetFor("btWrpm"), Qt::LeftButton);
    QCOMPARE(env.dialogs.errors.size(), size_t{1});
    QCOMPARE(QString::fromStdString(env.dialogs.errors[0]),
             QStringLiteral("'abc' is not a valid floating point value"));
    QCOMPARE(qobject_cast<QLabel*>(view.WidgetFor("lbRpm"))->text(), QStringLiteral("started"));
  }

  void checkBoxesAndCheckListsFollowTheControl() {
    form::ManualServices env;
    form::Window window(env.services, "Form1", "Test", 300, 200);
    auto& box = window.Add<form::CheckBox>("cbLog", nullptr, "Sauvegarder log");
    box.SetBounds(10, 10, 150, 20);
    auto& pids = window.Add<form::CheckListBox>("clbPid");
    pids.SetBounds(10, 40, 200, 100);
    pids.AddItem("Régime moteur");
    pids.AddItem("Vitesse");
    pids.SetItemEnabled(1, false);
    qt::WindowView view(window);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QTest::mouseClick(view.WidgetFor("cbLog"), Qt::LeftButton);
    QVERIFY(box.Checked());
    box.SetChecked(false);
    QVERIFY(!qobject_cast<QCheckBox*>(view.WidgetFor("cbLog"))->isChecked());

    auto* list = qobject_cast<QListWidget*>(view.WidgetFor("clbPid"));
    QCOMPARE(list->item(0)->text(), QStringLiteral("Régime moteur"));
    list->item(0)->setCheckState(Qt::Checked);  // as the user's tick does
    QVERIFY(pids.Checked(0));
    list->item(1)->setCheckState(Qt::Checked);  // a disabled item refuses
    QVERIFY(!pids.Checked(1));
    QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
  }

  void imagesPaintTheirDisplayList() {
    form::ManualServices env;
    form::Window window(env.services, "Form1", "Test", 300, 200);
    auto& image = window.Add<form::Image>("img1", nullptr, 60, 40);
    qt::WindowView view(window);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto& canvas = image.GetCanvas();
    canvas.SetBrushColor(form::kRed);
    canvas.SetPenColor(form::kBlue);
    canvas.Rectangle(10, 10, 30, 30);
    canvas.SetPenColor(form::kBlack);
    canvas.MoveTo(0, 35);
    canvas.LineTo(59, 35);
    QImage shot = view.WidgetFor("img1")->grab().toImage();
    QCOMPARE(shot.pixelColor(20, 20), QColor(Qt::red));
    QCOMPARE(shot.pixelColor(10, 20), QColor(Qt::blue));
    QCOMPARE(shot.pixelColor(40, 35), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(40, 20), QColor(Qt::white));

    image.Blank();
    shot = view.WidgetFor("img1")->grab().toImage();
    QCOMPARE(shot.pixelColor(20, 20), QColor(Qt::white));
  }

  void floodFillStopsAtTheBorderColour() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < 20; ++i)
      image.setPixel(10, i, qRgb(0, 0, 0));
    qt::FloodFill(image, 2, 2, form::kBlack, form::FillStyle::Border, QColor(Qt::green));
    QCOMPARE(image.pixelColor(0, 19), QColor(Qt::green));
    QCOMPARE(image.pixelColor(10, 5), QColor(Qt::black));
    QCOMPARE(image.pixelColor(15, 5), QColor(Qt::white));
  }

  void fileFiltersBecomeQtNameFilters() {
    QCOMPARE(qt::ConvertFileFilter("Fichier texte (*.txt)|*.txt|Tous les fichiers (*.*)|*.*"),
             (QStringList{"Fichier texte (*.txt)", "Tous les fichiers (*.*)"}));
    QCOMPARE(qt::ConvertFileFilter("Export|*.csv;*.txt"), (QStringList{"Export (*.csv *.txt)"}));
    QCOMPARE(qt::ConvertFileFilter("broken"), QStringList{});
  }

  void qtTimersFireAndStop() {
    qt::QtTimerService timers;
    int fired = 0;
    form::TimerId id = 0;
    id = timers.Schedule(5, [&] {
      if (++fired == 3)
        timers.Cancel(id);  // cancelled from its own tick
    });
    QTRY_COMPARE(fired, 3);
    QTest::qWait(30);
    QCOMPARE(fired, 3);
  }
};

QTEST_MAIN(QtBindingTest)
#include "qt_binding_test.moc"

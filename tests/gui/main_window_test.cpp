#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include "app/calvor.h"
#include "tests/core/frame_builder.h"
#include "tests/gui/gui_test_support.h"

namespace calvor {
namespace {

using test::WithTemp;

class MainWindow : public testing::Test {
 protected:
  MainWindow() {
    main.show();
    QApplication::processEvents();  // the frame is known once shown
  }

  QStringList ShownLog() const {
    QStringList rows;
    const QAbstractItemModel* m = main.LogView->model();
    for (int r = 0; r < m->rowCount(); ++r)
      rows << m->index(r, 0).data().toString() + " " + m->index(r, 1).data().toString();
    return rows;
  }
  void Feed(int t) { main.ComDataPacket1Packet(WithTemp(t)); }
  // The box's text, once the display has caught up with its value.
  QString Shown(NumberBox box) {
    NumberEdit* edit = main.Readouts.numbers[size_t(box)];
    const QString value = main.Readouts.Value(box) ? QString::number(*main.Readouts.Value(box)) : QString();
    (void)QTest::qWaitFor([&] { return edit->text() == value; }, 500);
    return edit->text();
  }
  void Batch(int peak) {
    Feed(peak);
    Feed(100);
  }

  test::RecordedBoxes boxes;
  TMain main;
};

TEST_F(MainWindow, StartState) {
  EXPECT_EQ(main.windowTitle(), "Ap온도계");
  EXPECT_EQ(main.OuterWidth(), TMain::CompactWidth);
  EXPECT_FALSE(main.Panel1->isVisible());
  EXPECT_EQ(main.StatusPanel0->width(), 157);
  EXPECT_EQ(main.StatusPanel1->text(), "");
  EXPECT_TRUE(main.Batch.Armed);
  EXPECT_FALSE(main.Batch.InBatch);
  for (size_t i = 0; i < NumberBoxCount; ++i) {
    EXPECT_EQ(main.Readouts.Value(static_cast<NumberBox>(i)), 0);
    EXPECT_EQ(main.Readouts.numbers[i]->text(), "0");
  }
  for (size_t i = 0; i < StateBoxCount; ++i) EXPECT_EQ(main.Readouts.ItemIndex(static_cast<StateBox>(i)), -1);
  EXPECT_EQ(main.LogView->model()->rowCount(), 0);
  EXPECT_EQ(main.LogView->emptyText(), ".");
  // And it is painted: an empty table is otherwise one flat colour.
  const QImage empty = main.LogView->viewport()->grab().toImage();
  bool marked = false;
  for (int y = 0; y < empty.height() && !marked; ++y)
    for (int x = 0; x < empty.width() && !marked; ++x) marked = empty.pixel(x, y) != empty.pixel(0, 0);
  EXPECT_TRUE(marked);
  EXPECT_FALSE(main.MAvgGroup->isEnabled());
  EXPECT_FALSE(main.Readouts.numbers[size_t(NumberBox::PV)]->isReadOnly());
  EXPECT_FALSE(main.Readouts.numbers[size_t(NumberBox::Avg)]->isReadOnly());
  EXPECT_TRUE(main.Readouts.numbers[size_t(NumberBox::Span_adj)]->isReadOnly());
  EXPECT_FALSE(main.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(main.minimumSize(), main.maximumSize());
}

TEST_F(MainWindow, CaptionsAndMenusHaveNoAccessKeys) {
  QStringList menu;
  for (QAction* a : main.menuBar()->actions()) menu << a->text();
  EXPECT_EQ(menu, (QStringList{" 시작 ", " 중지 ", " 설정 ", " 종료 "}));
  for (QAction* a : main.menuBar()->actions()) EXPECT_EQ(a->menu(), nullptr);
  QStringList context;
  for (QAction* a : main.LogView->actions()) context << a->text();
  EXPECT_EQ(context, (QStringList{"Printer", "Excel", "-----", "Span ADJ"}));

  QStringList groups;
  for (QGroupBox* g : main.findChildren<QGroupBox*>()) groups << g->title();
  EXPECT_EQ(groups, (QStringList{"현  재(℃)", "Bat 평균(℃)", "기기AVG ℃", "IR Span ", "Pick ℃", "Display ℃",
                                 "일반보정", "통신상태", "기기사용", "센서종류", "게이트상태"}));
  const QAbstractItemModel* m = main.LogView->model();
  EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Time");
  EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "온도(℃)");
  EXPECT_EQ(main.LogView->columnWidth(0), 65);
  EXPECT_EQ(main.LogView->columnWidth(1), 62);
  EXPECT_EQ(main.TestBtn->text(), "Test");
  EXPECT_EQ(main.CloseBtn->text(), "닫기");
  // Nothing in the window got an automatic mnemonic.
  for (QAction* a : main.findChildren<QAction*>()) EXPECT_FALSE(a->text().contains('&')) << a->text().toStdString();
}

TEST_F(MainWindow, SpanAdjAndCloseSwitchModes) {
  main.SpanADJ1->trigger();
  EXPECT_EQ(main.OuterWidth(), TMain::ExpandedWidth);
  EXPECT_TRUE(main.Panel1->isVisible());
  EXPECT_EQ(main.StatusPanel0->width(), 230);
  QTest::mouseClick(main.CloseBtn, Qt::LeftButton);
  EXPECT_EQ(main.OuterWidth(), TMain::CompactWidth);
  EXPECT_FALSE(main.Panel1->isVisible());
  EXPECT_EQ(main.StatusPanel0->width(), 157);
}

TEST_F(MainWindow, PacketsReachReadoutsAndLogInDisplayOrder) {
  test::FrameFields f;
  f.current = "125", f.device_avg = "120", f.sensor = "3", f.gate = "X";
  main.ComDataPacket1Packet(test::StatusFrame(f));
  EXPECT_EQ(Shown(NumberBox::PV), "125");
  EXPECT_EQ(Shown(NumberBox::MAvg), "120");
  EXPECT_EQ(main.Readouts.states[size_t(StateBox::Sensor_chk)]->currentText(), "RTD");
  EXPECT_EQ(main.Readouts.states[size_t(StateBox::Gate_Chk)]->currentText(), "X");

  // Rows put in with times out of order show newest time text first.
  main.BatchLog->AppendRow("23:50", 150);
  Batch(140);  // logged now, somewhere in the day
  main.BatchLog->AppendRow("00:10", 95);
  const QStringList shown = ShownLog();
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown.first(), "23:50 150");
  EXPECT_EQ(shown.last(), "00:10 095");
  // Two rows at that batch end, one typed in by hand: the average halves
  // with what the box held (0).
  EXPECT_EQ(Shown(NumberBox::Avg), "70");

  // Equal time texts keep the order they were logged in.
  main.BatchLog->AppendRow("12:00", 1);
  main.BatchLog->AppendRow("12:00", 2);
  const QStringList withEqual = ShownLog();
  EXPECT_EQ(withEqual.indexOf("12:00 001") + 1, withEqual.indexOf("12:00 002"));

  // A burst of rows is painted together, and painting comes back at once.
  EXPECT_TRUE(QTest::qWaitFor([&] { return main.LogView->updatesEnabled(); }, 200));

  // The operator may turn the order round from the header; the temperature
  // column does not sort.
  main.LogView->horizontalHeader()->sectionClicked(1);
  EXPECT_EQ(ShownLog().first(), "23:50 150");
  main.LogView->horizontalHeader()->sectionClicked(0);
  EXPECT_EQ(ShownLog().first(), "00:10 095");
  EXPECT_EQ(ShownLog().size(), 5);
}

TEST_F(MainWindow, OperatorEditsCountInTheNextAverage) {
  Batch(150);
  Batch(160);
  ASSERT_EQ(main.BatchLog->RowCount(), 2u);
  EXPECT_EQ(main.Readouts.Value(NumberBox::Avg), 155);
  LogTable* view = main.LogView;
  LogNavigator* nav = main.Navigator;

  // Delete both rows: the next batch end starts the average afresh.
  QTest::mouseClick(nav->button("First"), Qt::LeftButton);
  QTest::mouseClick(nav->button("Delete"), Qt::LeftButton);
  QTest::mouseClick(nav->button("First"), Qt::LeftButton);
  QTest::mouseClick(nav->button("Delete"), Qt::LeftButton);
  EXPECT_EQ(main.BatchLog->RowCount(), 0u);
  Batch(140);
  EXPECT_EQ(main.Readouts.Value(NumberBox::Avg), 140);

  // Insert, type, post: a real row. The next batch averages with the box.
  QTest::mouseClick(nav->button("Insert"), Qt::LeftButton);
  ASSERT_EQ(main.BatchLog->RowCount(), 2u);
  ASSERT_NE(view->openEditor(), nullptr);
  QTest::keyClicks(view->openEditor(), "07:30");
  QTest::mouseClick(nav->button("Post"), Qt::LeftButton);
  EXPECT_EQ(ShownLog().contains("07:30 0"), true) << ShownLog().join(",").toStdString();
  main.Readouts.SetValue(NumberBox::Avg, 100);
  Batch(150);
  EXPECT_EQ(main.BatchLog->RowCount(), 3u);
  EXPECT_EQ(main.Readouts.Value(NumberBox::Avg), 125);

  // Insert then Cancel leaves nothing behind; Edit then Cancel changes nothing.
  QTest::mouseClick(nav->button("Insert"), Qt::LeftButton);
  QTest::mouseClick(nav->button("Cancel"), Qt::LeftButton);
  EXPECT_EQ(main.BatchLog->RowCount(), 3u);
  QTest::mouseClick(nav->button("First"), Qt::LeftButton);
  const QString before = ShownLog().join(",");
  QTest::mouseClick(nav->button("Edit"), Qt::LeftButton);
  ASSERT_NE(view->openEditor(), nullptr);
  QTest::keyClicks(view->openEditor(), "9");
  QTest::mouseClick(nav->button("Cancel"), Qt::LeftButton);
  EXPECT_EQ(ShownLog().join(","), before);
  EXPECT_FALSE(nav->button("Next page")->isEnabled());

  // A typed temperature shows zero-filled.
  view->model()->setData(view->model()->index(0, 1), "95");
  EXPECT_TRUE(ShownLog().join(",").contains(" 095"));
}

TEST_F(MainWindow, EmptiedAverageDoesNotRepeatRows) {
  Batch(150);
  main.Readouts.numbers[size_t(NumberBox::Avg)]->setText("");
  Batch(170);
  Feed(100);
  Feed(100);
  EXPECT_EQ(main.BatchLog->RowCount(), 2u);
  EXPECT_EQ(main.Readouts.Value(NumberBox::Avg), 170);
}

TEST(ErrorBox, TextGetsAFullStopWhenItsLastCharacterSortsAfterIt) {
  struct Case {
    const char* message;
    const char* shown;
  };
  for (const Case& c : {Case{"Can't create the export output file", "Can't create the export output file."},
                        Case{"Done.", "Done."}, Case{"", ""}, Case{"path /tmp/x/", "path /tmp/x/."},
                        Case{"what?", "what?."}, Case{"end!", "end!"}, Case{"a-", "a-"}, Case{"통신", "통신."}}) {
    EXPECT_EQ(ErrorBoxText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown)) << c.message;
  }
}

TEST(ErrorBox, FailureEscapingACommandReachesTheBox) {
  test::RecordedBoxes boxes;
  RunGuarded([] { throw std::runtime_error("Unable to write to /x"); });
  // A failure escaping an event handler lands in the same box.
  struct Thrower : QObject {
    bool event(QEvent*) override { throw std::runtime_error("boom"); }
  } thrower;
  QEvent event(QEvent::User);
  QCoreApplication::sendEvent(&thrower, &event);
  EXPECT_EQ(boxes.errors, (QStringList{"Unable to write to /x.", "boom."}));
}

}  // namespace
}  // namespace calvor

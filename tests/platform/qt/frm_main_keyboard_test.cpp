// The window under the keyboard and the mouse: tab order, the access key of Exit, keys
// that must do nothing, the option pair, and what the Form reads back.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "control_states.h"
#include "platform/qt/frm_main.h"

using brask::ControlId;

namespace {

// The window on screen and active, as the executable shows it.
struct ShownWindow {
  brask::FrmMain window;
  ShownWindow() {
    window.showCentred();
    if (!QTest::qWaitForWindowActive(&window)) qFatal("the window does not become active");
  }
  QWidget* operator[](ControlId id) const { return window.control(id); }
};

QString focusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QStringLiteral("none");
}

// The focus after each of count presses of key, starting from start.
QStringList focusWalk(QWidget* start, int count, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  start->setFocus(Qt::OtherFocusReason);
  QStringList visited;
  for (int i = 0; i < count; ++i) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    visited << focusName();
  }
  return visited;
}

const QStringList kForward{"chkSystem",   "chkCritical", "chkError",  "chkInformation",
                           "chkWarning",  "optNumber",   "txtNumber", "txtDayFrom",
                           "txtMthFrom",  "txtYrFrom",   "txtDayTo",  "txtMthTo",
                           "txtYrTo",     "cmdRun",      "cmdExit",   "chkApplication"};

}  // namespace

class FrmMainKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void tabVisitsTheControlsInTabIndexOrderAndWraps() {
    ShownWindow shown;
    QCOMPARE(focusName(), QStringLiteral("chkApplication"));
    QCOMPARE(focusWalk(shown[ControlId::chkApplication], 16, Qt::Key_Tab, Qt::NoModifier), kForward);
  }

  void shiftTabWalksBack() {
    ShownWindow shown;
    QStringList backward;
    for (auto it = kForward.crbegin() + 1; it != kForward.crend(); ++it) backward << *it;
    backward << QStringLiteral("chkApplication");
    QCOMPARE(focusWalk(shown[ControlId::chkApplication], 16, Qt::Key_Backtab, Qt::ShiftModifier),
             backward);
  }

  // The option pair is one tab stop, the option last chosen with the mouse or the arrows.
  void tabStopOfTheOptionPairFollowsTheChoice() {
    ShownWindow shown;
    QTest::mouseClick(shown[ControlId::optDate], Qt::LeftButton, {}, QPoint(6, 12));
    QVERIFY(shown.window.optionSelected(ControlId::optDate));
    QCOMPARE(focusWalk(shown[ControlId::chkWarning], 3, Qt::Key_Tab, Qt::NoModifier),
             (QStringList{"txtNumber", "optDate", "txtDayFrom"}));
    QCOMPARE(focusWalk(shown[ControlId::txtDayFrom], 3, Qt::Key_Backtab, Qt::ShiftModifier),
             (QStringList{"optDate", "txtNumber", "chkWarning"}));
    shown[ControlId::optDate]->setFocus();
    QTest::keyClick(shown[ControlId::optDate], Qt::Key_Up);
    QVERIFY(shown.window.optionSelected(ControlId::optNumber));
    QCOMPARE(focusWalk(shown[ControlId::chkWarning], 3, Qt::Key_Tab, Qt::NoModifier),
             (QStringList{"optNumber", "txtNumber", "txtDayFrom"}));
  }

  void altXPressesExitFromAnyState_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("dateMode");
    QTest::addColumn<int>("focus");
    QTest::newRow("fresh window") << QString() << false << int(ControlId::chkApplication);
    QTest::newRow("typing the number") << "7" << false << int(ControlId::txtNumber);
    QTest::newRow("date mode, on Run") << "x" << true << int(ControlId::cmdRun);
  }

  void altXPressesExitFromAnyState() {
    QFETCH(QString, typed);
    QFETCH(bool, dateMode);
    QFETCH(int, focus);
    ShownWindow shown;
    if (dateMode) QTest::mouseClick(shown[ControlId::optDate], Qt::LeftButton, {}, QPoint(6, 12));
    QTest::keyClicks(shown[ControlId::txtNumber], typed);
    shown[ControlId(focus)]->setFocus();
    QSignalSpy runs(&shown.window, &brask::FrmMain::runPressed);
    QSignalSpy exits(&shown.window, &brask::FrmMain::exitPressed);
    // cmdExit_Click is unloadAndEnd; the application's loop runs as in the program.
    connect(&shown.window, &brask::FrmMain::exitPressed, &shown.window, &brask::FrmMain::unloadAndEnd);
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier); });
    QTimer deadline;
    deadline.callOnTimeout([] { QCoreApplication::exit(1); });
    deadline.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!shown.window.isVisible());
    QCOMPARE(exits.count(), 1);
    QCOMPARE(runs.count(), 0);
  }

  void enterAndEscapePressNothing_data() {
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    for (ControlId id : {ControlId::chkApplication, ControlId::optNumber, ControlId::txtNumber,
                         ControlId::txtYrTo, ControlId::cmdRun, ControlId::cmdExit}) {
      const QString name = brask::FrmMain().control(id)->objectName();
      QTest::newRow(qPrintable(name + " Return")) << int(id) << int(Qt::Key_Return);
      QTest::newRow(qPrintable(name + " Enter")) << int(id) << int(Qt::Key_Enter);
      QTest::newRow(qPrintable(name + " Escape")) << int(id) << int(Qt::Key_Escape);
    }
  }

  void enterAndEscapePressNothing() {
    QFETCH(int, focus);
    QFETCH(int, key);
    ShownWindow shown;
    QTest::keyClicks(shown[ControlId::txtNumber], QStringLiteral("5"));
    shown[ControlId(focus)]->setFocus();
    const QStringList before = controlStates(shown.window);
    QSignalSpy runs(&shown.window, &brask::FrmMain::runPressed);
    QSignalSpy exits(&shown.window, &brask::FrmMain::exitPressed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QTest::qWait(50);
    QCOMPARE(runs.count(), 0);
    QCOMPARE(exits.count(), 0);
    QVERIFY(shown.window.isVisible());
    QCOMPARE(controlStates(shown.window), before);
  }

  void spacePressesTheFocusedButton() {
    ShownWindow shown;
    QSignalSpy runs(&shown.window, &brask::FrmMain::runPressed);
    QSignalSpy exits(&shown.window, &brask::FrmMain::exitPressed);
    shown[ControlId::cmdRun]->setFocus();
    QTest::keyClick(shown[ControlId::cmdRun], Qt::Key_Space);
    QCOMPARE(runs.count(), 1);
    QTest::mouseClick(shown[ControlId::cmdExit], Qt::LeftButton);
    QCOMPARE(exits.count(), 1);
    QCOMPARE(runs.count(), 1);
  }

  // After every step one option at most is selected, and once one was, one stays.
  void optionPairNeverReturnsToNeither() {
    ShownWindow shown;
    auto* number = qobject_cast<QRadioButton*>(shown[ControlId::optNumber]);
    auto* date = qobject_cast<QRadioButton*>(shown[ControlId::optDate]);
    const auto selected = [&] {
      return QStringLiteral("%1%2").arg(shown.window.optionSelected(ControlId::optNumber) ? "N" : "-",
                                        shown.window.optionSelected(ControlId::optDate) ? "D" : "-");
    };
    QCOMPARE(selected(), QStringLiteral("--"));
    const struct {
      const char* step;
      std::function<void()> act;
      const char* expected;
    } steps[] = {
        {"click Number", [&] { QTest::mouseClick(number, Qt::LeftButton, {}, QPoint(6, 12)); }, "N-"},
        {"click Number again", [&] { QTest::mouseClick(number, Qt::LeftButton, {}, QPoint(6, 12)); }, "N-"},
        {"Space on Number", [&] { QTest::keyClick(number, Qt::Key_Space); }, "N-"},
        {"click Date", [&] { QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(6, 12)); }, "-D"},
        {"click Date again", [&] { QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(6, 12)); }, "-D"},
        {"arrow up to Number", [&] { QTest::keyClick(date, Qt::Key_Up); }, "N-"},
        {"arrow down to Date", [&] { QTest::keyClick(number, Qt::Key_Down); }, "-D"},
        {"the program tries to clear Date", [&] { date->setChecked(false); }, "-D"},
    };
    for (const auto& step : steps) {
      step.act();
      QVERIFY2(selected() == QLatin1String(step.expected),
               qPrintable(QStringLiteral("%1: %2, expected %3").arg(step.step, selected(), step.expected)));
    }
  }

  void optionsLeaveTheFieldsAlone() {
    ShownWindow shown;
    QTest::keyClicks(shown[ControlId::txtNumber], QStringLiteral("12"));
    QTest::keyClicks(shown[ControlId::txtDayFrom], QStringLiteral("3"));
    QTest::mouseClick(shown[ControlId::optDate], Qt::LeftButton, {}, QPoint(6, 12));
    QTest::mouseClick(shown[ControlId::optNumber], Qt::LeftButton, {}, QPoint(6, 12));
    QCOMPARE(shown.window.text(ControlId::txtNumber), std::wstring(L"12"));
    QCOMPARE(shown.window.text(ControlId::txtDayFrom), std::wstring(L"3"));
    for (ControlId id : {ControlId::txtNumber, ControlId::txtDayFrom, ControlId::txtYrTo}) {
      QVERIFY(shown[id]->isEnabled());
      QVERIFY(!qobject_cast<QLineEdit*>(shown[id])->isReadOnly());
    }
  }

  void checkBoxStatesAsTheLogicCountsThem() {
    ShownWindow shown;
    auto* system = qobject_cast<QCheckBox*>(shown[ControlId::chkSystem]);
    QCOMPARE(shown.window.checkState(ControlId::chkSystem), 0);
    QTest::keyClick(system, Qt::Key_Space);
    QCOMPARE(shown.window.checkState(ControlId::chkSystem), 1);
    QTest::mouseClick(system, Qt::LeftButton, {}, QPoint(6, 12));
    QCOMPARE(shown.window.checkState(ControlId::chkSystem), 0);
    system->setCheckState(Qt::PartiallyChecked);
    QCOMPARE(shown.window.checkState(ControlId::chkSystem), 2);
    QCOMPARE(shown.window.checkState(ControlId::chkApplication), 0);
  }

  void everyCombinationOfTheCheckBoxes() {
    ShownWindow shown;
    const ControlId boxes[] = {ControlId::chkApplication, ControlId::chkSystem, ControlId::chkCritical,
                               ControlId::chkError,       ControlId::chkInformation, ControlId::chkWarning};
    for (int mask = 0; mask < 64; ++mask) {
      for (int i = 0; i < 6; ++i) {
        if (shown.window.checkState(boxes[i]) != ((mask >> i) & 1)) QTest::keyClick(shown[boxes[i]], Qt::Key_Space);
      }
      for (int i = 0; i < 6; ++i) QCOMPARE(shown.window.checkState(boxes[i]), (mask >> i) & 1);
    }
  }

  void textReadsWhatWasTyped() {
    ShownWindow shown;
    QTest::keyClicks(shown[ControlId::txtDayFrom], QStringLiteral(" 05 "));
    QTest::keyClicks(shown[ControlId::txtYrTo], QStringLiteral("2009x"));
    QCOMPARE(shown.window.text(ControlId::txtDayFrom), std::wstring(L" 05 "));
    QCOMPARE(shown.window.text(ControlId::txtYrTo), std::wstring(L"2009x"));
    QCOMPARE(shown.window.text(ControlId::txtMthTo), std::wstring());
  }

  void readingAControlAsAnotherKindIsRefused() {
    brask::FrmMain window;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, window.checkState(ControlId::txtNumber));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, window.optionSelected(ControlId::chkSystem));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, window.text(ControlId::lblNumber));
  }
};

QTEST_MAIN(FrmMainKeyboardTest)
#include "frm_main_keyboard_test.moc"

// Run and Exit through the window with the real handlers: MainForm over the window, its
// message boxes and in-memory stand-ins for the rest of the platform.
#include <functional>
#include <optional>

#include <QCheckBox>
#include <QCursor>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/main_form.h"
#include "control_states.h"
#include "fakes/fakes.h"
#include "modal_answerer.h"
#include "platform/qt/frm_main.h"
#include "platform/qt/message_boxes.h"

using brask::ControlId;

namespace {

// The executable's wiring, with the fakes in place of the Linux platform.
struct Program {
  brask::fakes::FakePlatform fakes;
  brask::FrmMain window;
  brask::MessageBoxes dialogs{window};
  brask::Platform platform{window,        dialogs,        fakes.events,    fakes.locale,
                           fakes.version, fakes.clock,    fakes.process,   fakes.files,
                           fakes.computers, fakes.threads};
  brask::MainForm form{platform};
  // Runs as Run is pressed, just before the run.
  std::function<void()> beforeRun;

  Program() {
    QObject::connect(&window, &brask::FrmMain::runPressed, [this] {
      if (beforeRun) beforeRun();
      form.cmdRun_Click();
    });
    QObject::connect(&window, &brask::FrmMain::exitPressed, [this] { form.cmdExit_Click(); });
    form.Form_Load();
    window.showCentred();
    if (!QTest::qWaitForWindowActive(&window)) qFatal("the window does not become active");
  }

  QWidget* operator[](ControlId id) const { return window.control(id); }

  void tick(ControlId box) { QTest::mouseClick(window.control(box), Qt::LeftButton, {}, QPoint(6, 12)); }
  void type(ControlId field, const QString& text) { QTest::keyClicks(window.control(field), text); }

  // Presses Run and runs the program's event loop: 0 when the program ended it, 2 when
  // the test stopped it after a message, 1 at the deadline.
  int pressRun() {
    QTimer::singleShot(0, [this] { QTest::mouseClick(window.control(ControlId::cmdRun), Qt::LeftButton); });
    QTimer deadline;
    deadline.callOnTimeout([] { QCoreApplication::exit(1); });
    deadline.start(10000);
    return QApplication::exec();
  }
};

}  // namespace

// Desktop themes whose dialog buttons carry pictures.
class PicturedButtonsStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

class FrmMainRunTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setStyle(new PicturedButtonsStyle); }

  // A message box of the validation or the run leaves every control as the user left it.
  void aMessageLeavesEveryControlAsItWas_data() {
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");
    QTest::newRow("fresh window")
        << QStringList{} << "You must select at least one log to query or you won't get any results!"
        << "Please check your selections";
    QTest::newRow("no option") << QStringList{"chkSystem", "chkError", "txtNumber=5", "txtDayFrom=1"}
                               << "You must select either 'Number of events' or 'Date of events'.  Your choice."
                               << "Please check your selections";
    QTest::newRow("not a number") << QStringList{"chkApplication", "chkWarning", "optNumber", "txtNumber=abc"}
                                  << "The number of events must be a number (1 to 20)."
                                  << "Please check your selections";
    QTest::newRow("bad day") << QStringList{"chkSystem", "chkCritical", "optDate", "txtNumber=7", "txtDayFrom=32"}
                             << "The 'From:' day is invalid." << "Please check your dates";
    QTest::newRow("unsupported language")
        << QStringList{"chkSystem", "chkError", "optNumber", "txtNumber=5", "language=Spanish"}
        << "BRASK has not been coded for your language (Spanish)" << "Please contact the author.";
  }

  void aMessageLeavesEveryControlAsItWas() {
    QFETCH(QStringList, setup);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    Program program;
    for (const QString& step : setup) {
      const QString name = step.section('=', 0, 0);
      const QString value = step.section('=', 1);
      if (name == "language") {
        program.fakes.locale.info[{program.fakes.locale.lcid, brask::lctype::kEnglishLanguage}] =
            value.toStdString();
      } else if (auto* field = program.window.findChild<QLineEdit*>(name)) {
        QTest::keyClicks(field, value);
      } else {
        QTest::mouseClick(program.window.findChild<QWidget*>(name), Qt::LeftButton, {}, QPoint(6, 12));
      }
    }
    // The focus aside: pressing Run with the mouse gives it the focus, as on Windows.
    const auto controls = [&] { return controlStates(program.window).mid(0, 15); };
    const QStringList before = controls();
    QCOMPARE(before.size(), 15);
    ModalAnswerer answerer(controls);
    answerer.afterAnswer = [] { QCoreApplication::exit(2); };

    QCOMPARE(program.pressRun(), 2);

    QCOMPARE(answerer.seen.size(), 1);
    const SeenBox& box = answerer.seen.front();
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, prompt);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QStringList{"OK"});
    QVERIFY2(!box.buttonPictures, "the box shows no picture, on OK neither");
    QVERIFY(box.modal);
    QVERIFY2(!box.waitCursor, "the wait cursor shows over the box");
    QCOMPARE(box.behind, before);
    QCOMPARE(controls(), before);
    QCOMPARE(program.window.focusWidget(), program[ControlId::cmdRun]);
    QVERIFY(program.window.isVisible());
    QVERIFY(program.fakes.files.replaced.empty());
    QVERIFY(program.fakes.process.started.empty());
  }

  void aCompleteRunWritesTheReportOpensItAndEnds() {
    Program program;
    program.fakes.events.logs[L"'System'"] = {
        {{L"Type", std::wstring(L"Error")}, {L"TimeWritten", std::wstring(L"20090810210223.000000+060")},
         {L"Category", std::int64_t{3}}, {L"EventCode", std::int64_t{7}},
         {L"SourceName", std::wstring(L"disk")}, {L"Message", std::wstring(L"Bad block")}}};
    program.tick(ControlId::chkSystem);
    program.tick(ControlId::chkError);
    program.tick(ControlId::optNumber);
    program.type(ControlId::txtNumber, QStringLiteral("5"));
    ModalAnswerer answerer([] { return QStringList(); });

    QCOMPARE(program.pressRun(), 0);  // the run ended the program's loop

    QVERIFY(answerer.seen.isEmpty());
    QVERIFY(!program.window.isVisible());
    QCOMPARE(program.fakes.process.started, std::vector<std::wstring>{L"notepad C:\\BRASK.txt"});
    const std::wstring report = program.fakes.files.files[L"C:\\BRASK.txt"];
    QVERIFY2(report.find(L"'System' Log - Error Type") != std::wstring::npos, qPrintable(QString::fromStdWString(report)));
    QVERIFY(report.find(L"Event: 7 Source: disk\r\nBad block\r\n") != std::wstring::npos);
  }

  void aRunTimeErrorShowsItsBoxAndEnds() {
    Program program;
    program.fakes.process.failStart = brask::RunTimeError(L"Starting the viewer", 53, L"File not found");
    program.tick(ControlId::chkApplication);
    program.tick(ControlId::chkInformation);
    program.tick(ControlId::optNumber);
    program.type(ControlId::txtNumber, QStringLiteral("1"));
    ModalAnswerer answerer([] { return QStringList(); });

    QCOMPARE(program.pressRun(), 0);

    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.front().title, QStringLiteral("BRASK"));
    QCOMPARE(answerer.seen.front().text,
             QString::fromStdWString(brask::runTimeErrorText(*program.fakes.process.failStart)));
    QCOMPARE(answerer.seen.front().icon, QMessageBox::NoIcon);
    QCOMPARE(answerer.seen.front().buttons, QStringList{"OK"});
    QVERIFY(!answerer.seen.front().buttonPictures);
    QVERIFY2(!answerer.seen.front().waitCursor, "the wait cursor shows over the box");
    QVERIFY(!program.window.isVisible());
  }

  // The wait cursor shows while the run works, until a box shows or the run is over.
  void theWaitCursorShowsWhileARunWorks() {
    Program program;
    std::optional<Qt::CursorShape> during;
    program.beforeRun = [&] {
      if (const QCursor* cursor = QGuiApplication::overrideCursor()) during = cursor->shape();
    };
    ModalAnswerer answerer([] { return QStringList(); });
    answerer.afterAnswer = [] { QCoreApplication::exit(2); };

    QCOMPARE(program.pressRun(), 2);  // a fresh form: the log message

    QCOMPARE(during, std::optional(Qt::WaitCursor));
    QCOMPARE(answerer.seen.size(), 1);
    QVERIFY(!answerer.seen.front().waitCursor);
    QVERIFY2(QGuiApplication::overrideCursor() == nullptr, "the wait cursor stays after the run");
  }

  // The Close button of the title bar closes the only window, which ends the program.
  void closingTheWindowEndsAsExitDoes() {
    Program program;
    program.tick(ControlId::chkSystem);
    QTimer::singleShot(0, [&] { program.window.close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(program.fakes.files.replaced.empty());
  }

  // Exit ends the program itself, not only by closing what may be its last window.
  void exitEndsWithoutWriting() {
    Program program;
    program.tick(ControlId::chkSystem);
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, [&] { QTest::mouseClick(program[ControlId::cmdExit], Qt::LeftButton); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    const int ended = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(ended, 0);
    QVERIFY(!program.window.isVisible());
    QVERIFY(program.fakes.files.replaced.empty());
  }
};

QTEST_MAIN(FrmMainRunTest)
#include "frm_main_run_test.moc"

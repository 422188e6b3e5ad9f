// The window as it opens: frame, controls, positions, fonts, colours, tooltips, alignment.
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include "app/pixel_layout.h"
#include "platform/qt/frm_main.h"

using brask::ControlId;
using brask::ControlKind;

namespace {

const brask::ControlSpec& specNamed(const QString& name) {
  for (const brask::ControlSpec& row : brask::controlTable()) {
    if (QString::fromWCharArray(row.name) == name) return row;
  }
  throw std::invalid_argument(name.toStdString());
}

}  // namespace

class FrmMainLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void frame() {
    brask::FrmMain window;
    QCOMPARE(window.objectName(), QStringLiteral("frmMain"));
    QCOMPARE(window.windowTitle(), QStringLiteral("BRASK - Zelvo's Event Viewer"));
    QCOMPARE(window.size(), QSize(296, 289));
    QCOMPARE(window.minimumSize(), QSize(296, 289));
    QCOMPARE(window.maximumSize(), QSize(296, 289));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  }

  void icon() {
    brask::FrmMain window;
    const QImage image = window.windowIcon().pixmap(32, 32).toImage();
    QCOMPARE(image.size(), QSize(32, 32));
    QVERIFY2(image.hasAlphaChannel(), "the icon has a transparency mask");
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) (qAlpha(image.pixel(x, y)) == 0 ? transparent : opaque)++;
    }
    QVERIFY2(transparent > 0 && opaque > 0, qPrintable(QStringLiteral("%1 transparent, %2 opaque")
                                                           .arg(transparent).arg(opaque)));
  }

  void showsCentredWithFocusOnTheFirstControl() {
    brask::FrmMain window;
    window.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect screen = window.screen()->availableGeometry();
    const QPoint offCentre = window.frameGeometry().center() - screen.center();
    QVERIFY2(offCentre.manhattanLength() <= 1,
             qPrintable(QStringLiteral("window %1 px right, %2 px down of the screen's centre")
                            .arg(offCentre.x()).arg(offCentre.y())));
    QTRY_COMPARE(QApplication::focusWidget(), window.control(ControlId::chkApplication));
  }

  void initialState() {
    brask::FrmMain window;
    int checks = 0, options = 0, texts = 0;
    for (const brask::ControlSpec& row : brask::controlTable()) {
      QWidget* widget = window.control(row.id);
      switch (row.kind) {
        case ControlKind::CheckBox:
          QCOMPARE(qobject_cast<QCheckBox*>(widget)->checkState(), Qt::Unchecked);
          QCOMPARE(window.checkState(row.id), 0);
          ++checks;
          break;
        case ControlKind::OptionButton:
          QVERIFY(!window.optionSelected(row.id));
          ++options;
          break;
        case ControlKind::TextBox:
          QCOMPARE(window.text(row.id), std::wstring());
          ++texts;
          break;
        default:
          break;
      }
    }
    QCOMPARE(checks, 6);
    QCOMPARE(options, 2);
    QCOMPARE(texts, 7);
  }

  // Window coordinates in pixels: the table's twips / 15, a contained control placed from
  // its group box's outer corner.
  void geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected");
    const struct {
      const char* name;
      int x, y, width, height;
    } rows[] = {
        {"lblTitle1", 56, 8, 65, 33},        {"lblTitle2", 120, 8, 137, 41},
        {"fraLog", 8, 40, 113, 113},         {"fraType", 128, 40, 113, 113},
        {"cmdRun", 248, 48, 41, 33},         {"cmdExit", 248, 104, 41, 33},
        {"fraEvents", 8, 152, 281, 121},     {"Label1", 8, 272, 57, 17},
        {"lblLanguages", 232, 272, 57, 17},  {"chkApplication", 16, 56, 73, 25},
        {"chkSystem", 16, 80, 73, 25},       {"chkCritical", 136, 57, 97, 17},
        {"chkError", 136, 77, 73, 25},       {"chkInformation", 136, 99, 81, 25},
        {"chkWarning", 136, 120, 65, 25},    {"optNumber", 16, 168, 113, 25},
        {"txtNumber", 144, 172, 41, 19},     {"lblNumber", 192, 174, 49, 17},
        {"optDate", 16, 200, 97, 25},        {"lblFrom", 115, 205, 33, 17},
        {"txtDayFrom", 144, 202, 25, 19},    {"txtMthFrom", 176, 202, 25, 19},
        {"txtYrFrom", 208, 202, 33, 19},     {"lblDay", 144, 224, 17, 17},
        {"lblMonth", 176, 224, 25, 17},      {"lblYear", 208, 224, 33, 17},
        {"lblTo", 120, 240, 17, 17},         {"txtDayTo", 144, 240, 25, 19},
        {"txtMthTo", 176, 240, 25, 19},      {"txtYrTo", 208, 240, 33, 19},
    };
    for (const auto& row : rows) {
      QTest::newRow(row.name) << QString::fromLatin1(row.name)
                              << QRect(row.x, row.y, row.width, row.height);
    }
    QCOMPARE(std::size(rows), brask::controlTable().size());
  }

  void geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    brask::FrmMain window;
    const brask::ControlSpec& row = specNamed(name);
    QWidget* widget = window.control(row.id);
    QCOMPARE(widget->objectName(), name);
    const QWidget* expectedParent =
        row.container ? window.control(*row.container) : static_cast<QWidget*>(&window);
    QCOMPARE(widget->parentWidget(), expectedParent);
    QCOMPARE(QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size()).topLeft(),
             expected.topLeft());
    QCOMPARE(widget->height(), expected.height());
    // A caption that does not fit in the substitute face grows its box to the right. The
    // buttons' short captions fit; their style's minimum width does not count.
    const bool grows = row.caption && row.kind != ControlKind::PushButton;
    const int fitting = grows ? widget->sizeHint().width() : 0;
    QCOMPARE(widget->width(), std::max(expected.width(), fitting));
    QVERIFY2(widget->isVisibleTo(&window), qPrintable(name));
  }

  // Where a caption grew its box in the substitute face, the box still lies inside its
  // container and clear of the next control to its right.
  void grownBoxesStayInside() {
    brask::FrmMain window;
    for (const brask::ControlSpec& row : brask::controlTable()) {
      QWidget* widget = window.control(row.id);
      const QRect inParent = widget->geometry();
      QVERIFY2(widget->parentWidget()->rect().contains(inParent),
               qPrintable(widget->objectName() + " leaves its container"));
      for (const brask::ControlSpec& other : brask::controlTable()) {
        QWidget* neighbour = window.control(other.id);
        if (neighbour == widget || neighbour->parentWidget() != widget->parentWidget()) continue;
        const QRect table(brask::twipsToPixels(row.left), brask::twipsToPixels(row.top),
                          brask::twipsToPixels(row.width), brask::twipsToPixels(row.height));
        if (table.intersects(neighbour->geometry())) continue;  // overlapping by design
        QVERIFY2(!inParent.intersects(neighbour->geometry()),
                 qPrintable(widget->objectName() + " grew over " + neighbour->objectName()));
      }
    }
  }

  void kindsAndCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    for (const brask::ControlSpec& row : brask::controlTable()) {
      static const char* const classes[] = {"QLabel",       "QGroupBox", "QLineEdit",
                                            "QRadioButton", "QCheckBox", "QPushButton"};
      const QString name = QString::fromWCharArray(row.name);
      QTest::newRow(qPrintable(name))
          << name << QString::fromLatin1(classes[static_cast<int>(row.kind)])
          << (row.caption ? QString::fromWCharArray(row.caption) : QString());
    }
  }

  void kindsAndCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    brask::FrmMain window;
    QWidget* widget = window.control(specNamed(name).id);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), caption);
    if (auto* box = qobject_cast<QGroupBox*>(widget)) QCOMPARE(box->title(), caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), caption);
    const bool focusable = className != "QLabel" && className != "QGroupBox";
    QCOMPARE(widget->focusPolicy() != Qt::NoFocus, focusable);
  }

  void labelsLieBeneathTheOtherControls() {
    brask::FrmMain window;
    for (QWidget* parent : {static_cast<QWidget*>(&window), window.control(ControlId::fraEvents)}) {
      bool otherSeen = false;
      // children() runs from the bottom of the stack to its top.
      for (QObject* child : parent->children()) {
        if (!child->isWidgetType()) continue;
        const bool label = qobject_cast<QLabel*>(child) != nullptr;
        QVERIFY2(!(label && otherSeen), qPrintable(child->objectName() + " is above a control"));
        otherSeen = otherSeen || !label;
      }
    }
    // Where lblFrom reaches into txtDayFrom the text box covers it.
    const QPoint overlap = window.control(ControlId::txtDayFrom)->geometry().topLeft() + QPoint(1, 5);
    QCOMPARE(window.control(ControlId::fraEvents)->childAt(overlap),
             window.control(ControlId::txtDayFrom));
  }

  void fonts() {
    brask::FrmMain window;
    for (ControlId id : {ControlId::lblTitle1, ControlId::lblTitle2}) {
      const QFont font = window.control(id)->font();
      QCOMPARE(font.pointSizeF(), 13.5);
      QCOMPARE(font.weight(), QFont::Bold);
      QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
      QCOMPARE(font.families().value(0), QStringLiteral("MS Sans Serif"));
      const QFontInfo used(font);
      QVERIFY2(used.family() == "MS Sans Serif" || used.family() == "Liberation Sans",
               qPrintable(used.family() + " stands in for MS Sans Serif"));
      QCOMPARE(used.bold(), true);
    }
    const QFont dialog = window.control(ControlId::chkCritical)->font();
    QCOMPARE(dialog.pointSizeF(), 8.0);
    QCOMPARE(dialog.weight(), QFont::Normal);
  }

  void titleColours() {
    brask::FrmMain window;
    QCOMPARE(window.control(ControlId::lblTitle1)->palette().color(QPalette::WindowText),
             QColor(128, 0, 128));
    QCOMPARE(window.control(ControlId::lblTitle2)->palette().color(QPalette::WindowText),
             window.palette().color(QPalette::WindowText));
  }

  void tooltips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    for (const brask::ControlSpec& row : brask::controlTable()) {
      QTest::newRow(qPrintable(QString::fromWCharArray(row.name)))
          << QString::fromWCharArray(row.name)
          << (row.tooltip ? QString::fromWCharArray(row.tooltip) : QString());
    }
  }

  void tooltips() {
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    brask::FrmMain window;
    QCOMPARE(window.control(specNamed(name).id)->toolTip(), tooltip);
  }

  // Resting the pointer on the label shows its tooltip.
  void tooltipShows_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("Label1") << int(ControlId::Label1) << "Coded for Windows XP onwards";
    QTest::newRow("lblLanguages") << int(ControlId::lblLanguages)
                                  << "Dutch, English, French, German, Italian";
  }

  void tooltipShows() {
    QFETCH(int, control);
    QFETCH(QString, tooltip);
    brask::FrmMain window;
    window.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget* label = window.control(ControlId(control));
    const QPoint at(5, 5);
    QHelpEvent rest(QEvent::ToolTip, at, label->mapToGlobal(at));
    QApplication::sendEvent(label, &rest);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), tooltip);
    QToolTip::hideText();
  }

  void textAlignment_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("horizontal");
    QTest::newRow("txtNumber") << "txtNumber" << int(Qt::AlignLeft);
    for (const char* name : {"txtDayFrom", "txtMthFrom", "txtYrFrom", "txtDayTo", "txtMthTo", "txtYrTo"}) {
      QTest::newRow(name) << name << int(Qt::AlignHCenter);
    }
    QTest::newRow("lblDay") << "lblDay" << int(Qt::AlignRight);
    QTest::newRow("lblMonth") << "lblMonth" << int(Qt::AlignHCenter);
    QTest::newRow("lblYear") << "lblYear" << int(Qt::AlignHCenter);
    QTest::newRow("lblFrom") << "lblFrom" << int(Qt::AlignLeft);
  }

  void textAlignment() {
    QFETCH(QString, name);
    QFETCH(int, horizontal);
    brask::FrmMain window;
    QWidget* widget = window.control(specNamed(name).id);
    Qt::Alignment alignment;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) alignment = edit->alignment();
    if (auto* label = qobject_cast<QLabel*>(widget)) alignment = label->alignment();
    QCOMPARE(int(alignment & Qt::AlignHorizontal_Mask), horizontal);
  }

  void textBoxesTakeAnyTextAsTyped() {
    brask::FrmMain window;
    const QString longText(40000, QLatin1Char('9'));
    auto* number = qobject_cast<QLineEdit*>(window.control(ControlId::txtNumber));
    number->setText(longText);
    QCOMPARE(window.text(ControlId::txtNumber).size(), std::size_t(40000));
    number->setText(QStringLiteral("  2.5\tx "));
    QCOMPARE(window.text(ControlId::txtNumber), std::wstring(L"  2.5\tx "));
    QVERIFY(number->validator() == nullptr);
    QVERIFY(number->inputMask().isEmpty());
  }

  void noDefaultButton() {
    brask::FrmMain window;
    for (ControlId id : {ControlId::cmdRun, ControlId::cmdExit}) {
      auto* button = qobject_cast<QPushButton*>(window.control(id));
      QVERIFY(!button->autoDefault());
      QVERIFY(!button->isDefault());
    }
  }
};

QTEST_MAIN(FrmMainLayoutTest)
#include "frm_main_layout_test.moc"

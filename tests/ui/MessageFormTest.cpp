// The message dialog: default and cancel buttons, results, titles, icons and wrapping.

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "search/ui/MessageForm.h"
#include "ui/support/UiTestSupport.h"

namespace {

using B = TMessageButton;

// Runs the dialog and presses the key once it shows; returns its result.
int AnswerWithKey(const TMessageButtons& buttons, Qt::Key key) {
  TMessageForm form("Question?", TMessageKind::Confirmation, buttons, 0, nullptr);
  QTimer::singleShot(0, &form, [&form, key] { QTest::keyClick(&form, key); });
  return form.exec();
}

}  // namespace

class MessageFormTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultAndCancelButtons_data() {
    QTest::addColumn<TMessageButtons>("buttons");
    QTest::addColumn<int>("enter");
    QTest::addColumn<int>("escape");
    QTest::newRow("yes no cancel") << TMessageButtons{B::Yes, B::No, B::Cancel} << int(mrYes) << int(mrCancel);
    QTest::newRow("ok only") << TMessageButtons{B::OK} << int(mrOk) << int(mrOk);
    QTest::newRow("yes no") << TMessageButtons{B::Yes, B::No} << int(mrYes) << int(mrNo);
    QTest::newRow("abort retry ignore") << TMessageButtons{B::Abort, B::Retry, B::Ignore} << int(mrRetry) << -1;
    QTest::newRow("ok cancel") << TMessageButtons{B::OK, B::Cancel} << int(mrOk) << int(mrCancel);
  }

  void defaultAndCancelButtons() {
    QFETCH(TMessageButtons, buttons);
    QFETCH(int, enter);
    QFETCH(int, escape);
    QCOMPARE(AnswerWithKey(buttons, Qt::Key_Return), enter);
    if (escape < 0) {
      QVERIFY(!CancelButton(buttons).has_value());
      return;
    }
    QCOMPARE(AnswerWithKey(buttons, Qt::Key_Escape), escape);
  }

  void eachButtonReturnsItsResult_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("result");
    QTest::newRow("yes") << int(B::Yes) << "Yes" << "&Yes" << int(mrYes);
    QTest::newRow("no") << int(B::No) << "No" << "&No" << int(mrNo);
    QTest::newRow("abort") << int(B::Abort) << "Abort" << "&Abort" << int(mrAbort);
    QTest::newRow("ignore") << int(B::Ignore) << "Ignore" << "&Ignore" << int(mrIgnore);
    QTest::newRow("all") << int(B::All) << "All" << "&All" << int(mrAll);
    QTest::newRow("no to all") << int(B::NoToAll) << "NoToAll" << "N&o to All" << int(mrNoToAll);
    QTest::newRow("yes to all") << int(B::YesToAll) << "YesToAll" << "Yes to &All" << int(mrYesToAll);
  }

  void eachButtonReturnsItsResult() {
    QFETCH(int, button);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, result);
    TMessageForm form("Text", TMessageKind::Warning, {static_cast<B>(button), B::Help}, 0, nullptr);
    auto* push = Named<QPushButton>(&form, name.toLatin1().constData());
    QCOMPARE(push->text(), caption);
    QTimer::singleShot(0, push, &QPushButton::click);
    QCOMPARE(form.exec(), result);
  }

  void helpLeavesTheDialogOpen() {
    TMessageForm form("Text", TMessageKind::Information, {B::OK, B::Help}, 42, nullptr);
    int asked = 0;
    connect(&form, &TMessageForm::HelpRequested, [&](int context) { asked = context; });
    form.show();
    Named<QPushButton>(&form, "Help")->click();
    QCOMPARE(asked, 42);
    QVERIFY(form.isVisible());
  }

  void closeBoxAnswersCancel() {
    TMessageForm form("Text", TMessageKind::Error, {B::Yes, B::No}, 0, nullptr);
    QTimer::singleShot(0, &form, &QDialog::close);
    QCOMPARE(form.exec(), int(mrCancel));
  }

  void kindsGiveTitlesAndIcons_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("icon");
    QTest::newRow("warning") << int(TMessageKind::Warning) << "Warning" << true;
    QTest::newRow("error") << int(TMessageKind::Error) << "Error" << true;
    QTest::newRow("information") << int(TMessageKind::Information) << "Information" << true;
    QTest::newRow("confirmation") << int(TMessageKind::Confirmation) << "Confirm" << true;
    QTest::newRow("custom") << int(TMessageKind::Custom) << "Search" << false;
  }

  void kindsGiveTitlesAndIcons() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    QFETCH(bool, icon);
    QApplication::setApplicationDisplayName("Search");
    TMessageForm form("Text", static_cast<TMessageKind>(kind), {B::OK}, 0, nullptr);
    QCOMPARE(form.windowTitle(), title);
    QCOMPARE(form.findChild<QLabel*>("Image") != nullptr, icon);
  }

  void longMessagesWrapAtHalfTheScreen() {
    const QString message = QString("word ").repeated(400) + "\tend";
    TMessageForm form(message, TMessageKind::Information, {B::OK}, 0, nullptr);
    const int half = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    auto* text = Named<QLabel>(&form, "Message");
    QVERIFY(text->width() <= half + 1);
    QVERIFY(text->height() > 3 * text->fontMetrics().height());
    QVERIFY(form.width() > text->width());
    // Buttons stand below the text, inside the dialog.
    auto* ok = Named<QPushButton>(&form, "OK");
    QVERIFY(ok->geometry().top() > text->geometry().bottom());
    QVERIFY(form.rect().contains(ok->geometry()));
  }
};

SEARCH_QTEST_MAIN(MessageFormTest)
#include "MessageFormTest.moc"

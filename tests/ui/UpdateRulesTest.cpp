// The rules of the update check: versions, the version file's lines, the monthly test, the
// user-agent text and the addresses.

#include <QDate>

#include "search/ui/UpdateRules.h"
#include "ui/support/UiTestSupport.h"

namespace {

int DayOf(int year, int month, int day) { return int(QDate(1899, 12, 30).daysTo(QDate(year, month, day))); }

}  // namespace

class UpdateRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void compareVersions_data() {
    QTest::addColumn<QString>("own");
    QTest::addColumn<QString>("announced");
    QTest::addColumn<int>("result");
    QTest::newRow("next build") << "7.0.0.57" << "7.0.0.58" << 1;
    QTest::newRow("same") << "7.0.0.57" << "7.0.0.57" << 0;
    QTest::newRow("next minor") << "7.0.0.57" << "7.1" << 1;
    QTest::newRow("older") << "7.0.0.57" << "6.9.9.99" << -1;
    QTest::newRow("shorter equal prefix") << "7.0.0.57" << "7.0" << 0;
    QTest::newRow("own shorter") << "7.0" << "7.0.0.57" << 0;
    QTest::newRow("numbers, not text") << "7.0.0.9" << "7.0.0.10" << 1;
    QTest::newRow("blanks around") << "7.0.0.57" << " 7.0.0.58 " << 1;
    QTest::newRow("not a number") << "7.0.0.57" << "8.x" << 0;
    QTest::newRow("empty part") << "7.0.0.57" << "8..1" << 0;
    QTest::newRow("empty") << "7.0.0.57" << "" << 0;
    QTest::newRow("sign") << "7.0.0.57" << "+8" << 0;
  }

  void compareVersions() {
    QFETCH(QString, own);
    QFETCH(QString, announced);
    QFETCH(int, result);
    QCOMPARE(CompareVersions(own.toStdString(), announced.toStdString()), result);
  }

  void getValue_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("as written") << "Version" << "7.1.0.12";
    QTest::newRow("other case") << "download" << "https://example.test/get/";
    QTest::newRow("blanks around the name") << "Note" << "a = b";
    QTest::newRow("missing") << "Missing" << "";
    QTest::newRow("first of two") << "Twice" << "first";
  }

  void getValue() {
    QFETCH(QString, name);
    QFETCH(QString, value);
    const std::vector<std::string> lines = {"# comment",         "VERSION = 7.1.0.12 ",
                                            "no equals sign",    "Download=https://example.test/get/",
                                            "  Note  =  a = b ", "Twice=first",
                                            "Twice=second"};
    QCOMPARE(QString::fromStdString(GetVersionFileValue(lines, name.toStdString())), value);
  }

  void monthlyRule_data() {
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("today");
    QTest::addColumn<bool>("due");
    QTest::newRow("never checked") << 0 << DayOf(2026, 12, 10) << true;
    QTest::newRow("same month") << DayOf(2026, 12, 1) << DayOf(2026, 12, 31) << false;
    QTest::newRow("same day") << DayOf(2026, 12, 10) << DayOf(2026, 12, 10) << false;
    QTest::newRow("previous month") << DayOf(2026, 11, 30) << DayOf(2026, 12, 1) << true;
    QTest::newRow("same month a year ago") << DayOf(2025, 12, 10) << DayOf(2026, 12, 10) << true;
  }

  void monthlyRule() {
    QFETCH(int, last);
    QFETCH(int, today);
    QFETCH(bool, due);
    QCOMPARE(IsUpdateCheckDue(last, today), due);
  }

  void userAgent() {
    QCOMPARE(UpdateUserAgent("7.0.0.57"), std::string("Vantrel Update Bot V7.0.0.57"));
    QCOMPARE(UpdateUserAgent(""), std::string("Vantrel Update Bot"));
  }

  void addresses() {
    qunsetenv("VANTREL_UPDATE_URL");
    QCOMPARE(VersionFileAddress("https://vantrel.test/search/"), std::string("https://vantrel.test/search/version.txt"));
    QCOMPARE(VersionFileAddress(""), std::string());
    qputenv("VANTREL_UPDATE_URL", "http://mirror.test/v.txt");
    QCOMPARE(VersionFileAddress("https://vantrel.test/search/"), std::string("http://mirror.test/v.txt"));

    QCOMPARE(MakerWebsiteAddress("https://www.vantrel.test/search/help/"), std::string("https://www.vantrel.test/"));
    QCOMPARE(MakerWebsiteAddress("https://www.vantrel.test/search/index.html"), std::string("https://www.vantrel.test/"));
    QCOMPARE(MakerWebsiteAddress("no slash"), std::string());

    for (const char* web : {"http://a.test/", "HTTPS://a.test/x"}) QVERIFY2(IsWebAddress(web), web);
    for (const char* other : {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)", "ftp://a.test/", ""}) {
      QVERIFY2(!IsWebAddress(other), other);
    }
  }
};

SEARCH_QTEST_MAIN(UpdateRulesTest)
#include "UpdateRulesTest.moc"

#include "app/AboutDlg.h"
#include "res/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/RecordingDesktop.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace drawbook;
using namespace drawbook::test;

class AboutDlgTest : public QObject {
    Q_OBJECT

private slots:
    void showsNameVersionAndHomePage();
    void homePageOpensEachTimeAndTheBoxStays();
    void okAndEscapeClose();
};

void AboutDlgTest::showsNameVersionAndHomePage() {
    RecordingDesktop desktop;
    CAboutDlg about(desktop);
    QCOMPARE(about.windowTitle(), QStringLiteral("SOMARU屋ナンバーズのﾊﾞｰｼﾞｮﾝ情報"));
    QStringList labels;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            labels << label->text();
        } else {
            QCOMPARE(label->pixmap().size(), QSize(32, 32));
        }
    }
    QCOMPARE(labels, QStringList{QStringLiteral("SOMARU屋  ナンバーズ     Version 2.00")});
    QCOMPARE(TextOf(&about, IDC_HOMEPAGE), QStringLiteral("HP --  http://www.example.jp/somaru/"));
    QVERIFY(about.ControlAs<QPushButton>(IDC_HOMEPAGE)->isFlat());
    QCOMPARE(TextOf(&about, IDOK), QStringLiteral("OK"));
}

void AboutDlgTest::homePageOpensEachTimeAndTheBoxStays() {
    RecordingDesktop desktop;
    CAboutDlg about(desktop);
    about.show();
    Click(&about, IDC_HOMEPAGE);
    Click(&about, IDC_HOMEPAGE);
    const QString page = QStringLiteral("http://www.example.jp/somaru/");
    QCOMPARE(desktop.urls, (std::vector<QString>{page, page}));
    QVERIFY(about.isVisible());
    // Whether a browser started is never reported.
    QVERIFY(desktop.messages.empty());
}

void AboutDlgTest::okAndEscapeClose() {
    RecordingDesktop desktop;
    CAboutDlg about(desktop);
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(QApplication::focusWidget(), about.Control(IDOK));
    Click(&about, IDOK);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));

    about.show();
    QTest::keyClick(&about, Qt::Key_Escape);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Rejected));
}

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"

#include "TestSupport.h"

#include "HostTesting.h"
#include "PasswordVault.h"
#include "PlatformStore.h"

#include "AuthUserInfoWidget.h"
#include "SNTreeViewSimplify.h"
#include "ScheduleTimeWidget.h"
#include "VORNClientOemManager.h"
#include "VornClient.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>

namespace {

// The bundled scenario's user and the password its README names.
const QString kDemoPassword = QStringLiteral("fever-demo");

void tryPassword(AuthUserInfoWidget &dialog, const QString &password)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("lineEditPassword"))->setText(password);
    dialog.findChild<QPushButton *>(QStringLiteral("pushButtonOK"))->click();
}

} // namespace

class TstAuthUser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }
    void init() { PasswordVault::instance()->resetAttempts(); }

    void answersOfTheDialog_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("action"); // 0 OK, 1 Cancel, 2 closed by the window system
        QTest::addColumn<QVariantList>("confirmed");
        QTest::newRow("right password") << kDemoPassword << 0 << QVariantList{1};
        QTest::newRow("wrong password stays open") << "Fever-demo" << 0 << QVariantList{};
        QTest::newRow("cancel") << QString() << 1 << QVariantList{0};
        // A caller waiting in its own event loop must not wait forever.
        QTest::newRow("window closed") << QString() << 2 << QVariantList{0};
    }

    void answersOfTheDialog()
    {
        QFETCH(QString, password);
        QFETCH(int, action);
        QFETCH(QVariantList, confirmed);
        AuthUserInfoWidget dialog;
        QSignalSpy confirm(&dialog, &AuthUserInfoWidget::signalConfirm);
        dialog.showSNDialog();
        if (action == 1)
            dialog.findChild<QPushButton *>(QStringLiteral("pushButtonCancel"))->click();
        else if (action == 2)
            dialog.close();
        else
            tryPassword(dialog, password);
        QVariantList results;
        for (const QList<QVariant> &args : qAsConst(confirm))
            results.append(args.at(0));
        QCOMPARE(results, confirmed);
        QCOMPARE(dialog.isVisible(), confirmed.isEmpty());
        // Whatever was typed is gone from the field.
        QVERIFY(dialog.findChild<QLineEdit *>(QStringLiteral("lineEditPassword"))
                        ->text()
                        .isEmpty());
    }

    void lockedOutAfterFiveWrongTries()
    {
        AuthUserInfoWidget dialog;
        QSignalSpy confirm(&dialog, &AuthUserInfoWidget::signalConfirm);
        dialog.showSNDialog();
        for (int i = 0; i < PasswordVault::MaxFailures; ++i)
            tryPassword(dialog, QStringLiteral("guess %1").arg(i));
        // The sixth try is refused unchecked, even with the right password.
        tryPassword(dialog, kDemoPassword);
        QCOMPARE(confirm.count(), 0);
        QVERIFY(dialog.message().contains(QStringLiteral("30")));

        HostTesting::advanceSecondCount(PasswordVault::LockoutSeconds + 1);
        tryPassword(dialog, kDemoPassword);
        QCOMPARE(confirm.count(), 1);
        QCOMPARE(confirm.at(0).at(0).toInt(), 1);
    }

    void storeKeepsOnlySaltedDigests()
    {
        const int user = VornClient::instance()->getCurUserId();
        const QString password = QStringLiteral("N3w pässword");
        QVERIFY(PasswordVault::instance()->setPassword(user, password));
        const auto first = PlatformStore::instance()->readRecord(QStringLiteral("UserPassword"),
                                                                 QString::number(user));
        QVERIFY(first);
        QVERIFY(!first->contains(password.toUtf8()));
        QVERIFY(PasswordVault::decode(QString::fromLatin1(*first)));
        QVERIFY(PasswordVault::instance()->setPassword(user, password));
        const auto second = PlatformStore::instance()->readRecord(QStringLiteral("UserPassword"),
                                                                  QString::number(user));
        QVERIFY(*second != *first); // a fresh salt each time

        // The stored digest replaces the scenario's.
        QCOMPARE(PasswordVault::instance()->check(user, kDemoPassword),
                 PasswordVault::Result::Rejected);
        QCOMPARE(PasswordVault::instance()->check(user, password), PasswordVault::Result::Accepted);
        QVERIFY(PlatformStore::instance()->removeRecord(QStringLiteral("UserPassword"),
                                                        QString::number(user)));
    }

    void customisationFromScenarioUntilStored()
    {
        const QString name = QStringLiteral("Func_PasswordAgainAuth");
        VORNClientOemManager *oem = VORNClientOemManager::instance();
        QVERIFY(oem->containCustomizationFunc(name));
        QVERIFY(oem->setCustomizationFunc(name, false));
        QVERIFY(!oem->containCustomizationFunc(name));
        QVERIFY(oem->setCustomizationFunc(name, true));
        QVERIFY(oem->containCustomizationFunc(name));
    }

    void scheduleRangesReadBack()
    {
        ScheduleTimeWidget schedule(nullptr, QStringLiteral("TK_DefenceTime"));
        schedule.setTimeRanges({{1, 8 * 3600, 12 * 3600}, {3, 0, 86400}});
        schedule.addTimeRange({6, 3600, 7200});
        QVERIFY(schedule.changeTimeRange(0, {2, 9 * 3600, 10 * 3600}));
        QVERIFY(schedule.removeTimeRange(1));
        // A range ending before it starts is left out of the result.
        schedule.addTimeRange({0, 7200, 3600});
        QCOMPARE(schedule.rowCount(), 3);
        const QList<ScheduleTimeRange> expected{{2, 9 * 3600, 10 * 3600}, {6, 3600, 7200}};
        QCOMPARE(schedule.timeRanges(), expected);
    }

    void treeChecksChildrenWhenRelated()
    {
        SNTreeViewSimplify tree;
        tree.setCheckable(true);
        const auto node = [](int id, const QString &parent, bool checkable = true) {
            Node n;
            n.nId = id;
            n.strKey = QString::number(id);
            n.strParentKey = parent;
            n.bCheckable = checkable;
            return n;
        };
        // The third is held elsewhere: never changed through its parent.
        const std::vector<Node> nodes{node(1, QString()), node(2, "1"), node(3, "1", false)};
        tree.appendItemData(nodes, true);
        tree.setParentChildNodeRelationCheckState(true);

        QStandardItemModel *model = qobject_cast<QStandardItemModel *>(tree.model());
        model->item(0)->setCheckState(Qt::Checked);
        const std::vector<Node> read = tree.getAllItemData();
        QCOMPARE(int(read.size()), 3);
        QVERIFY(read[0].bChecked && read[1].bChecked && !read[2].bChecked);
        QVERIFY(!read[2].bCheckable);
    }
};

FEVER_TEST_MAIN(TstAuthUser)
#include "tst_authuser.moc"

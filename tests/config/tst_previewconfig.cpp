#include "TestSupport.h"

#include "PreviewConfigRules.h"
#include "PreviewConfigWidget.h"
#include "StrategyDefaults.h"
#include "StrategyStorage.h"
#include "TextConfigWidget.h"

#include "AppLanguageTr.h"
#include "CuVORNClientLogManager.h"
#include "HostTesting.h"
#include "Piclab.h"
#include "PlatformPictureStore.h"
#include "PlatformStore.h"
#include "SNSwitchControl.h"
#include "SNTreeViewSimplify.h"
#include "VORNClientAIManager.h"
#include "VoiceStrategyStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using Request = VoiceStrategyStore::Request;

namespace {

int g_nWindow = 100;

QString tk(const char *key)
{
    return AppLanguageTr::translate(QLatin1String(key));
}

// Shows the dialog on a fresh window key holding the stranger and `registryRows` registry
// strategies; the key, or -1 when the store refused one.
int showOnNewWindow(PreviewConfigWidget &dialog, int registryRows = 1)
{
    const int window = ++g_nWindow;
    std::vector<ST_MSGVoiceBroadcastStrategy> list{StrategyDefaults::strangerStrategy(window)};
    for (int i = 0; i < registryRows; ++i)
        list.push_back(StrategyDefaults::registryStrategy(window, {}));
    for (ST_MSGVoiceBroadcastStrategy &strategy : list) {
        if (!StrategyStorage::store(strategy))
            return -1;
    }
    dialog.setStrategyList(list);
    dialog.showSNDialog();
    return window;
}

std::vector<ST_MSGVoiceBroadcastStrategy> platformList(int window)
{
    std::vector<ST_MSGVoiceBroadcastStrategy> list;
    VORNClientAIManager::instance()->getVoiceBroadcastStrategyListByWinID(window, list);
    return list;
}

template<typename T>
T *child(QObject *dialog, const char *name)
{
    return dialog->findChild<T *>(QLatin1String(name));
}

void click(QObject *dialog, const char *button)
{
    child<QPushButton>(dialog, button)->click();
}

QStringList rowTexts(QObject *dialog)
{
    QStringList texts;
    auto *list = child<QListWidget>(dialog, "listWidget");
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

QString lastTip(const BaseWidget *widget)
{
    const auto tips = HostTesting::recentTips(widget);
    return tips.isEmpty() ? QString() : tips.last().first;
}

} // namespace

class TstPreviewConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testsupport::installWarningGuard(); }

    void cleanup()
    {
        HostTesting::strategyStore()->clearFailures();
        HostTesting::resetTransferFaults();
        testsupport::settle();
    }

    void registryNumbering_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("next");
        QTest::newRow("gap is not reused") << QStringList{"Stranger", "Reg_1", "Reg_3"} << 4;
        QTest::newRow("star ignored") << QStringList{"Stranger", "Reg_1", "Reg_2*"} << 3;
        QTest::newRow("no number") << QStringList{"Stranger", "Reg_x"} << 1;
    }

    void registryNumbering()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, next);
        QCOMPARE(PreviewConfigRules::nextRegistryNumber(rows), next);
    }

    void clearTimeField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::newRow("empty is no timed clear") << "" << -1;
        QTest::newRow("zero is kept") << "0" << 0;
        QTest::newRow("upper bound") << "10000000" << 10000000;
        QTest::newRow("above the validator") << "10000001" << -1;
    }

    void clearTimeField()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        QCOMPARE(PreviewConfigRules::clearTimeFromText(text), stored);
        // What is stored shows back as typed; "no timed clear" as an empty field.
        QCOMPARE(PreviewConfigRules::clearTimeText(stored), stored < 0 ? QString() : text);
    }

    // A renamed non-picture is refused in refusedAndVanishedPictures.
    void pictureChecks()
    {
        QTemporaryDir dir;
        const QString good = dir.filePath(QStringLiteral("good.png"));
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(good));
        const QString huge = dir.filePath(QStringLiteral("huge.bmp"));
        QImage big(5000, 4000, QImage::Format_Mono);
        big.fill(0);
        QVERIFY(big.save(huge));

        QCOMPARE(PreviewConfigRules::pictureRefusal(good), QString());
        QCOMPARE(PreviewConfigRules::pictureRefusal(huge), QStringLiteral("TK_PictureTooLarge"));
        QCOMPARE(PreviewConfigRules::pictureRefusal(dir.filePath(QStringLiteral("gone.png"))),
                 QStringLiteral("TK_PictureMissing"));
    }

    void rowsAreBoundedNumberedAndDeletedByTheRules()
    {
        PreviewConfigWidget dialog;
        const int window = showOnNewWindow(dialog, 3);
        QCOMPARE(int(platformList(window).size()), 4);
        auto *rows = child<QListWidget>(&dialog, "listWidget");
        // Row texts are translated: the stranger's key must not show as it is.
        QCOMPARE(rows->item(0)->text(), tk("TK_Stranger"));
        QVERIFY(tk("TK_Stranger") != QStringLiteral("TK_Stranger"));

        rows->setCurrentRow(0);
        click(&dialog, "deletePushButton");
        QCOMPARE(lastTip(&dialog), tk("TK_StrangerPolicyNoDeleted"));

        // Regression: a refused delete used to drop the row silently while the strategy stayed
        // stored. The refusal is injected, so the row can only stay if the dialog checks it.
        rows->setCurrentRow(2);
        HostTesting::strategyStore()->failNext(Request::Delete, 1, QStringLiteral("locked"));
        click(&dialog, "deletePushButton");
        QCOMPARE(rows->count(), 4);
        QCOMPARE(lastTip(&dialog), tk("TK_DeleteFailed") + QStringLiteral("locked"));
        QCOMPARE(int(dialog.strategyList().size()), 4);

        // The second registry row goes: the numbers left are 1 and 3, so the next is 4.
        click(&dialog, "deletePushButton");
        QCOMPARE(int(dialog.strategyList().size()), 3);
        QCOMPARE(int(platformList(window).size()), 3);
        click(&dialog, "addPushButton");
        QCOMPARE(rows->currentItem()->text(), PreviewConfigRules::registryRowText(4, true));

        click(&dialog, "addPushButton");
        click(&dialog, "addPushButton");
        QCOMPARE(rows->count(), 6);
        click(&dialog, "addPushButton");
        QCOMPARE(rows->count(), 6);
        QCOMPARE(lastTip(&dialog), tk("TK_AddVoiceStrategyMax"));

        for (int row = 5; row >= 2; --row) {
            rows->setCurrentRow(row);
            click(&dialog, "deletePushButton");
        }
        QCOMPARE(rows->count(), 2);
        click(&dialog, "deletePushButton");
        QCOMPARE(rows->count(), 2);
        QCOMPARE(lastTip(&dialog), tk("TK_TwoStrategyAtLeast"));
    }

    void failingRowStopsTheSave()
    {
        PreviewConfigWidget dialog;
        const int window = showOnNewWindow(dialog);
        click(&dialog, "addPushButton");
        click(&dialog, "addPushButton");
        QSignalSpy changed(&dialog, &PreviewConfigWidget::ParmChanged);
        const int adds = HostTesting::strategyStore()->requestCount(Request::Add);

        // Rows: stranger, registry 1 (stored), registry 2* and 3* (new): the first add fails.
        HostTesting::strategyStore()->failNext(Request::Add, 1, QStringLiteral("disk full"));
        click(&dialog, "pushButtonApply");
        const QStringList texts = rowTexts(&dialog);
        QVERIFY(!texts.at(2).contains(QLatin1Char('*')));
        QVERIFY(texts.at(3).endsWith(QLatin1Char('*')));
        QCOMPARE(HostTesting::strategyStore()->requestCount(Request::Add), adds + 1);
        QCOMPARE(lastTip(&dialog), tk("TK_SaveFailed") + QStringLiteral("disk full"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(int(platformList(window).size()), 2);

        click(&dialog, "pushButtonApply");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(lastTip(&dialog), tk("TK_SaveSuccess"));
        QCOMPARE(int(platformList(window).size()), 4);
        QCOMPARE(dialog.strategyList(), platformList(window));
        const auto log = CuVORNClientLogManager::instance()->getLogs(1);
        QCOMPARE(int(log.size()), 1);
        QCOMPARE(log.front().nCode, 111);
        QCOMPARE(log.front().strText, QStringLiteral("TK_RealtimeTempScreening"));
    }

    void rowSwitchKeepsOnlyGroups()
    {
        PreviewConfigWidget dialog;
        QVERIFY(showOnNewWindow(dialog) > 0);
        auto *rows = child<QListWidget>(&dialog, "listWidget");
        auto *tree = child<SNTreeViewSimplify>(&dialog, "treeView");
        auto *temperature = child<QCheckBox>(&dialog, "checkBoxTemp");

        rows->setCurrentRow(1);
        QVERIFY(temperature->isChecked());
        std::vector<Node> nodes = tree->getAllItemData();
        QVERIFY(!nodes.empty());
        nodes.front().bChecked = true; // a group no registry row held
        tree->updateItemCheckData(nodes);
        const int group = nodes.front().nId;
        temperature->setChecked(false);

        rows->setCurrentRow(0);
        rows->setCurrentRow(1);
        QVERIFY(temperature->isChecked());
        QCOMPARE(PreviewConfigRules::chosenGroupIds(tree->getAllItemData()),
                 std::vector<int>{group});

        // Add collects every edit of the row it leaves.
        temperature->setChecked(false);
        click(&dialog, "addPushButton");
        rows->setCurrentRow(1);
        QVERIFY(!temperature->isChecked());
        // The new row got no group the first registry row holds.
        rows->setCurrentRow(2);
        const auto marks = tree->getAllItemData();
        QVERIFY(!marks.front().bCheckable);
    }

    void displayFieldsRoundTrip()
    {
        PreviewConfigWidget dialog;
        const int window = showOnNewWindow(dialog);
        const QString name = QString::fromUtf8("<b>Gäst</b> 访客 \u05e9\u05dc\u05d5\u05dd");
        child<QLineEdit>(&dialog, "lineEditStrangerName")->setText(name);
        child<QLineEdit>(&dialog, "lineEditNormalTempClearTime")->setText(QString());
        child<QLineEdit>(&dialog, "lineEditOverTempClearTime")->setText(QStringLiteral("0"));
        auto *size = child<QComboBox>(&dialog, "comboBoxCardSize");
        size->setCurrentIndex(size->findData(1));
        child<SNSwitchControl>(&dialog, "widgetAutoFull")->setToggle(true);
        click(&dialog, "pushButtonApply");

        for (const ST_MSGVoiceBroadcastStrategy &stored : platformList(window)) {
            QCOMPARE(QString::fromStdString(stored.get_stranger_show_name()), name);
            QCOMPARE(stored.normal_temp_clear_time, -1);
            QCOMPARE(stored.over_temp_clear_time, 0);
            QCOMPARE(stored.get_card_size(), 1);
            QCOMPARE(stored.auto_full_screen, FeverValues::SwitchOn);
        }
        // Shown back verbatim at the next opening.
        dialog.closeSNDialog();
        dialog.setStrategyList(dialog.strategyList());
        dialog.showSNDialog();
        QCOMPARE(child<QLineEdit>(&dialog, "lineEditStrangerName")->text(), name);
        QCOMPARE(child<QLineEdit>(&dialog, "lineEditOverTempClearTime")->text(),
                 QStringLiteral("0"));
        QVERIFY(child<QLineEdit>(&dialog, "lineEditNormalTempClearTime")->text().isEmpty());
    }

    void pictureUploadThenSave_data()
    {
        QTest::addColumn<bool>("transferFails");
        QTest::newRow("uploaded") << false;
        QTest::newRow("upload fails") << true;
    }

    void pictureUploadThenSave()
    {
        QFETCH(bool, transferFails);
        PreviewConfigWidget dialog;
        const int window = showOnNewWindow(dialog);
        QTemporaryDir dir;
        // Regression: the path keeps its own separators. Turned into "\\" it would name no
        // file here, and the upload could not succeed.
        const QString path = dir.filePath(QStringLiteral("sub/entrance %1.png").arg(window));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(QImage(32, 32, QImage::Format_RGB32).save(path));

        QVERIFY(dialog.selectPicture(path));
        QSignalSpy changed(&dialog, &PreviewConfigWidget::ParmChanged);
        if (transferFails)
            HostTesting::failNextTransferTasks(1);
        click(&dialog, "pushButtonOK");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(changed.count(), 0); // nothing is saved before the upload ends
        testsupport::settle();

        const QString name = QStringLiteral("cmu_pic/voice/entrance %1.png").arg(window);
        const auto stored = platformList(window);
        if (transferFails) {
            QCOMPARE(changed.count(), 0);
            QCOMPARE(lastTip(&dialog), tk("TK_UploadFailed"));
            QVERIFY(stored.front().get_screen_image_url().empty());
            QVERIFY(!PlatformPictureStore::contains(name));
        } else {
            QCOMPARE(changed.count(), 1);
            QCOMPARE(QString::fromStdString(stored.front().get_screen_image_url()), name);
            QVERIFY(PlatformPictureStore::contains(name));
            // Another dialog of the window fetches it into the cache and shows it.
            PreviewConfigWidget other;
            other.setStrategyList(stored);
            other.showSNDialog();
            testsupport::settle();
            QCOMPARE(other.pictureName(), name);
            QVERIFY(QFileInfo(other.localPicturePath()).isFile());
            QVERIFY(!child<Piclab>(&other, "widgetPicture")->pixmap(Qt::ReturnByValue).isNull());
        }
    }

    void refusedAndVanishedPictures()
    {
        PreviewConfigWidget dialog;
        const int window = showOnNewWindow(dialog);
        QTemporaryDir dir;
        const QString fake = dir.filePath(QStringLiteral("notes.png"));
        QFile file(fake);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("text");
        file.close();

        QVERIFY(!dialog.selectPicture(fake));
        QCOMPARE(lastTip(&dialog), tk("TK_PictureNotImage"));
        QVERIFY(dialog.localPicturePath().isEmpty());

        const QString gone = dir.filePath(QStringLiteral("gone.png"));
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(gone));
        QVERIFY(dialog.selectPicture(gone));
        QVERIFY(QFile::remove(gone));
        click(&dialog, "pushButtonApply");
        QCOMPARE(lastTip(&dialog), tk("TK_SaveSuccess"));
        QVERIFY(dialog.pictureName().isEmpty());
        QVERIFY(platformList(window).front().get_screen_image_url().empty());
    }

    void textDialogReadsThreeItemsInOrder()
    {
        TextConfigWidget dialog;
        // Out of order, with a state the dialog has no row for.
        dialog.setTextItems({{1, "TK_YouCanNotPass", "not OK"},
                             {7, "ignored", "ignored"},
                             {0, "TK_YouCanPass", "OK"},
                             {3, "Bitte erneut messen", "?"}});
        QSignalSpy closed(&dialog, &TextConfigWidget::sendClose);
        dialog.showSNDialog();
        child<QPushButton>(&dialog, "pushButtonOK")->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!dialog.isVisible());

        std::vector<ScreenTextItem> items;
        dialog.textItems(items);
        const std::vector<ScreenTextItem> expected{
                {0, tk("TK_YouCanPass").toStdString(), "OK"},
                {3, "Bitte erneut messen", "?"},
                {1, tk("TK_YouCanNotPass").toStdString(), "not OK"}};
        QCOMPARE(items, expected);

        dialog.showSNDialog();
        child<QPushButton>(&dialog, "pushButtonCancel")->click();
        QCOMPARE(closed.count(), 1);
    }

    void manualClearResetsTodaysTotals()
    {
        PreviewConfigWidget dialog;
        QVERIFY(showOnNewWindow(dialog) > 0);
        QSignalSpy zero(VORNClientAIManager::instance(), &VORNClientAIManager::sendSnapZero);
        click(&dialog, "pushButtonManualClear");
        QCOMPARE(zero.count(), 1);
        QVERIFY(PlatformStore::instance()->lastDailyReset().time.isValid());
    }
};

FEVER_TEST_MAIN(TstPreviewConfig)
#include "tst_previewconfig.moc"

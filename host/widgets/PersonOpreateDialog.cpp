#include "PersonOpreateDialog.h"

#include "AppLanguageTr.h"
#include "FaceLibraryStore.h"
#include "FileDataCacheHelper.h"
#include "VORNClientAIManager.h"
#include "VornClient.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QString tr_(const char *key)
{
    return AppLanguageTr::translate(QLatin1String(key));
}

} // namespace

PersonOpreateDialog::PersonOpreateDialog(OpreateSelectorType p_eType, const QString &p_strUrl,
                                         int p_nArchiveId, QWidget *parent)
    : SNDialog(parent)
    , m_eType(p_eType)
    , m_strUrl(p_strUrl)
{
    setObjectName(QStringLiteral("PersonOpreateDialog"));
    build(p_nArchiveId);
    retranslateUi();
}

void PersonOpreateDialog::build(int p_nArchiveId)
{
    m_pPicture = new QLabel(this);
    m_pPicture->setObjectName(QStringLiteral("labelPicture"));
    m_pPicture->setFixedSize(100, 125);
    m_pPicture->setAlignment(Qt::AlignCenter);
    QPixmap pixmap;
    if (FileDataCacheHelper::tryLoadPixmapData(m_strUrl, pixmap))
        m_pPicture->setPixmap(
                pixmap.scaled(m_pPicture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_pMode = new QButtonGroup(this);
    auto *modeRow = new QHBoxLayout;
    for (int mode : {int(OpreateAddToLibrary), int(OpreateUpdateToLibrary)}) {
        auto *radio = new QRadioButton(this);
        radio->setObjectName(mode == OpreateAddToLibrary ? QStringLiteral("radioAdd")
                                                         : QStringLiteral("radioUpdate"));
        radio->setVisible(m_eType == OpreateAddOrUpdate);
        m_pMode->addButton(radio, mode);
        modeRow->addWidget(radio);
    }
    connect(m_pMode, &QButtonGroup::idClicked, this, &PersonOpreateDialog::showMode);

    m_pPages = new QStackedWidget(this);
    auto *addPage = new QWidget(m_pPages);
    auto *addForm = new QFormLayout(addPage);
    m_pNameCaption = new QLabel(addPage);
    m_pName = new QLineEdit(addPage);
    m_pName->setObjectName(QStringLiteral("editName"));
    m_pName->setMaxLength(MaxNameLength);
    m_pGroupCaption = new QLabel(addPage);
    m_pGroup = new QComboBox(addPage);
    m_pGroup->setObjectName(QStringLiteral("comboGroup"));
    for (const Node &node : VORNClientAIManager::instance()->getPersonGroupTreeNodes())
        m_pGroup->addItem(QString(node.nLevel * 2, QLatin1Char(' ')) + node.strName, node.nId);
    addForm->addRow(m_pNameCaption, m_pName);
    addForm->addRow(m_pGroupCaption, m_pGroup);
    m_pPages->addWidget(addPage);

    auto *updatePage = new QWidget(m_pPages);
    auto *updateForm = new QFormLayout(updatePage);
    m_pPersonCaption = new QLabel(updatePage);
    m_pPerson = new QComboBox(updatePage);
    m_pPerson->setObjectName(QStringLiteral("comboPerson"));
    for (const OrvaneArchive &archive : VornClient::instance()->getArchives())
        m_pPerson->addItem(archive.get_name(), archive.get_id());
    const int known = m_pPerson->findData(p_nArchiveId);
    if (known >= 0)
        m_pPerson->setCurrentIndex(known);
    updateForm->addRow(m_pPersonCaption, m_pPerson);
    m_pPages->addWidget(updatePage);

    m_pOk = new QPushButton(this);
    m_pOk->setObjectName(QStringLiteral("buttonOk"));
    m_pCancel = new QPushButton(this);
    m_pCancel->setObjectName(QStringLiteral("buttonCancel"));
    connect(m_pOk, &QPushButton::clicked, this, &PersonOpreateDialog::apply);
    connect(m_pCancel, &QPushButton::clicked, this, &PersonOpreateDialog::closeSNDialog);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);

    auto *top = new QHBoxLayout;
    top->addWidget(m_pPicture);
    auto *right = new QVBoxLayout;
    right->addLayout(modeRow);
    right->addWidget(m_pPages);
    top->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    // Adding is the first choice unless only an update is asked for, or the face is known.
    const bool update =
            m_eType == OpreateUpdateToLibrary || (m_eType == OpreateAddOrUpdate && known >= 0);
    const int mode = update ? OpreateUpdateToLibrary : OpreateAddToLibrary;
    m_pMode->button(mode)->setChecked(true);
    showMode(mode);
}

void PersonOpreateDialog::retranslateUi()
{
    setWindowTitle(tr_("TK_FaceLib"));
    m_pMode->button(OpreateAddToLibrary)->setText(tr_("TK_AddToLib"));
    m_pMode->button(OpreateUpdateToLibrary)->setText(tr_("TK_UpdateFacePic"));
    m_pNameCaption->setText(tr_("TK_Name"));
    m_pGroupCaption->setText(tr_("TK_PersonGroup"));
    m_pPersonCaption->setText(tr_("TK_Person"));
    m_pOk->setText(tr_("TK_OK"));
    m_pCancel->setText(tr_("TK_Cancel"));
}

void PersonOpreateDialog::showMode(int p_nMode)
{
    m_pPages->setCurrentIndex(p_nMode == OpreateUpdateToLibrary ? 1 : 0);
}

void PersonOpreateDialog::apply()
{
    QString error;
    int archiveId = -99999;
    if (m_pMode->checkedId() == OpreateUpdateToLibrary) {
        if (m_pPerson->currentIndex() < 0) {
            setTips(tr_("TK_NoRecords"), TipFailure);
            return;
        }
        archiveId = m_pPerson->currentData().toInt();
        if (!FaceLibraryStore::updatePerson(archiveId, m_strUrl, &error))
            archiveId = -99999;
    } else {
        if (m_pName->text().trimmed().isEmpty()) {
            setTips(tr_("TK_NameRequired"), TipFailure);
            return;
        }
        OrvaneArchive added;
        if (FaceLibraryStore::addPerson(m_pName->text(), m_pGroup->currentData().toInt(), m_strUrl,
                                        &added, &error))
            archiveId = added.get_id();
    }
    if (archiveId == -99999) {
        qDebug().noquote() << "PersonOpreateDialog not applied:" << error;
        setTips(tr_("TK_SaveFailed"), TipFailure);
        return;
    }
    setTips(tr_("TK_SaveSuccess"), TipSuccess);
    emit signalPersonChanged(archiveId);
    closeSNDialog();
}

#include "ScheduleTimeWidget.h"

#include "AppLanguageTr.h"
#include "AppStyleHelper.h"
#include "ScheduleTime.h"

#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { ColumnWeekday, ColumnStart, ColumnEnd, ColumnCount };

const char *const kWeekdayKeys[] = {"TK_Sunday",   "TK_Monday", "TK_Tuesday", "TK_Wednesday",
                                    "TK_Thursday", "TK_Friday", "TK_Saturday"};

QString shownTime(int seconds)
{
    return ScheduleTime::timeFormatConvert(seconds).replace(QLatin1Char('-'), QLatin1Char(':'));
}

int typedTime(const QString &text)
{
    QString stored = text.trimmed();
    stored.replace(QLatin1Char(':'), QLatin1Char('-'));
    return ScheduleTime::timeFormatConvert(stored);
}

} // namespace

ScheduleTimeWidget::ScheduleTimeWidget(QWidget *parent, const QString &p_strTitleKey)
    : SNDialog(parent, Qt::Dialog)
    , m_strTitleKey(p_strTitleKey)
    , m_pLabelTitle(new QLabel(this))
    , m_pTable(new QTableWidget(0, ColumnCount, this))
    , m_pPushButtonAdd(new QPushButton(this))
    , m_pPushButtonRemove(new QPushButton(this))
    , m_pPushButtonOK(new QPushButton(this))
{
    setObjectName(QStringLiteral("ScheduleTimeWidget"));
    m_pTable->setObjectName(QStringLiteral("tableTimeRanges"));
    m_pLabelTitle->setTextFormat(Qt::PlainText);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pLabelTitle);
    layout->addWidget(m_pTable);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pPushButtonAdd);
    buttons->addWidget(m_pPushButtonRemove);
    buttons->addStretch();
    buttons->addWidget(m_pPushButtonOK);
    layout->addLayout(buttons);
    resize(480, 360);

    connect(m_pPushButtonAdd, &QPushButton::clicked, this,
            [this] { m_pTable->selectRow(addTimeRange(ScheduleTimeRange())); });
    connect(m_pPushButtonRemove, &QPushButton::clicked, this,
            [this] { removeTimeRange(m_pTable->currentRow()); });
    connect(m_pPushButtonOK, &QPushButton::clicked, this, &ScheduleTimeWidget::closeSNDialog);
    retranslateUi();
    AppStyleHelper::updateWidgetStyle(this, AppStyleHelper::StylePanel);
}

ScheduleTimeWidget::~ScheduleTimeWidget() = default;

void ScheduleTimeWidget::retranslateUi()
{
    m_pLabelTitle->setText(AppLanguageTr::translate(m_strTitleKey));
    m_pTable->setHorizontalHeaderLabels({AppLanguageTr::translate(QStringLiteral("TK_Weekday")),
                                         AppLanguageTr::translate(QStringLiteral("TK_StartTime")),
                                         AppLanguageTr::translate(QStringLiteral("TK_EndTime"))});
    m_pPushButtonAdd->setText(AppLanguageTr::translate(QStringLiteral("TK_Add")));
    m_pPushButtonRemove->setText(AppLanguageTr::translate(QStringLiteral("TK_Delete")));
    m_pPushButtonOK->setText(AppLanguageTr::translate(QStringLiteral("TK_OK")));
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        auto *combo = qobject_cast<QComboBox *>(m_pTable->cellWidget(row, ColumnWeekday));
        for (int day = 0; combo && day < combo->count(); ++day)
            combo->setItemText(day, AppLanguageTr::translate(QLatin1String(kWeekdayKeys[day])));
    }
}

void ScheduleTimeWidget::setTimeRanges(const QList<ScheduleTimeRange> &p_lstRanges)
{
    m_pTable->setRowCount(0);
    for (const ScheduleTimeRange &range : p_lstRanges)
        addTimeRange(range);
}

int ScheduleTimeWidget::addTimeRange(const ScheduleTimeRange &p_objRange)
{
    const int row = m_pTable->rowCount();
    m_pTable->insertRow(row);
    auto *combo = new QComboBox(m_pTable);
    for (const char *key : kWeekdayKeys)
        combo->addItem(AppLanguageTr::translate(QLatin1String(key)));
    m_pTable->setCellWidget(row, ColumnWeekday, combo);
    static const QRegularExpression pattern(QStringLiteral("^([01][0-9]|2[0-4]):[0-5][0-9]$"));
    for (int column : {ColumnStart, ColumnEnd}) {
        auto *edit = new QLineEdit(m_pTable);
        edit->setValidator(new QRegularExpressionValidator(pattern, edit));
        m_pTable->setCellWidget(row, column, edit);
    }
    fillRow(row, p_objRange);
    return row;
}

void ScheduleTimeWidget::fillRow(int p_nRow, const ScheduleTimeRange &p_objRange)
{
    auto *combo = qobject_cast<QComboBox *>(m_pTable->cellWidget(p_nRow, ColumnWeekday));
    combo->setCurrentIndex(
            p_objRange.nWeekday >= 0 && p_objRange.nWeekday <= 6 ? p_objRange.nWeekday : -1);
    qobject_cast<QLineEdit *>(m_pTable->cellWidget(p_nRow, ColumnStart))
            ->setText(shownTime(p_objRange.nStart));
    qobject_cast<QLineEdit *>(m_pTable->cellWidget(p_nRow, ColumnEnd))
            ->setText(shownTime(p_objRange.nEnd));
}

bool ScheduleTimeWidget::changeTimeRange(int p_nRow, const ScheduleTimeRange &p_objRange)
{
    if (p_nRow < 0 || p_nRow >= m_pTable->rowCount())
        return false;
    fillRow(p_nRow, p_objRange);
    return true;
}

bool ScheduleTimeWidget::removeTimeRange(int p_nRow)
{
    if (p_nRow < 0 || p_nRow >= m_pTable->rowCount())
        return false;
    m_pTable->removeRow(p_nRow);
    return true;
}

int ScheduleTimeWidget::rowCount() const
{
    return m_pTable->rowCount();
}

QList<ScheduleTimeRange> ScheduleTimeWidget::timeRanges() const
{
    QList<ScheduleTimeRange> ranges;
    for (int row = 0; row < m_pTable->rowCount(); ++row) {
        ScheduleTimeRange range;
        range.nWeekday =
                qobject_cast<QComboBox *>(m_pTable->cellWidget(row, ColumnWeekday))->currentIndex();
        range.nStart = typedTime(
                qobject_cast<QLineEdit *>(m_pTable->cellWidget(row, ColumnStart))->text());
        range.nEnd =
                typedTime(qobject_cast<QLineEdit *>(m_pTable->cellWidget(row, ColumnEnd))->text());
        if (range.nWeekday < 0 || range.nStart < 0 || range.nEnd < range.nStart) {
            qDebug() << "ScheduleTimeWidget::timeRanges row" << row << "left out: incomplete";
            continue;
        }
        ranges.append(range);
    }
    return ranges;
}

// Minimal stand-ins for the alarm handling dialog and the person-operation selector until their
// own implementations land; they only remember the last request.
#include "OverTemperatureProcessDialog.h"
#include "PersonOpreateSelector.h"

class OverTemperatureProcessForm
{};

namespace alarmdialogspending {
int g_nLastOpenedAlarmId = -99999;
int g_nLastSelectorType = -1;
QString g_strLastSelectorUrl;
} // namespace alarmdialogspending

OverTemperatureProcessDialog::OverTemperatureProcessDialog(QWidget *parent)
    : SNDialog(parent)
{
}

OverTemperatureProcessDialog::~OverTemperatureProcessDialog() = default;

void OverTemperatureProcessDialog::setOpenDialogVisible(bool p_bVisible)
{
    Q_UNUSED(p_bVisible)
}

void OverTemperatureProcessDialog::openDialog(const OrvaneSnapTargetSource &p_objSource,
                                              bool p_bModal)
{
    Q_UNUSED(p_bModal)
    alarmdialogspending::g_nLastOpenedAlarmId = p_objSource.alarmId;
    show();
}

PersonOpreateSelector::PersonOpreateSelector(QObject *parent)
    : QObject(parent)
{
}

PersonOpreateSelector *PersonOpreateSelector::instance()
{
    static PersonOpreateSelector selector;
    return &selector;
}

void PersonOpreateSelector::openPersonOpreateSelector(OpreateSelectorType p_eType,
                                                      const QString &p_strUrl,
                                                      int p_nArchiveGroupId, int p_nArchiveId,
                                                      const QPoint &p_objPoint)
{
    Q_UNUSED(p_nArchiveGroupId)
    Q_UNUSED(p_nArchiveId)
    Q_UNUSED(p_objPoint)
    alarmdialogspending::g_nLastSelectorType = p_eType;
    alarmdialogspending::g_strLastSelectorUrl = p_strUrl;
}

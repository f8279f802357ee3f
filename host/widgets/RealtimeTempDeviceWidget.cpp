#include "RealtimeTempDeviceWidget.h"

#include "VornClient.h"

RealtimeTempDeviceWidget::RealtimeTempDeviceWidget(QWidget *parent)
    : DeviceWidget(parent)
{
    setObjectName(QStringLiteral("RealtimeTempDeviceWidget"));
    setShowDevicesType(VornClient::ShowTempScreeningDevices);
    setChannelFilterType(VornClient::ChannelFilterThermal);
}

RealtimeTempDeviceWidget::~RealtimeTempDeviceWidget() = default;
